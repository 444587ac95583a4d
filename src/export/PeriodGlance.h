#pragma once

#include <optional>

#include <QDateTime>
#include <QString>

class PeriodSamples;

// A first look at a period before its report is drawn: whether it holds a
// sample at all, and the module address its samples carry. Samples recorded
// while the link was open carry the address; the ring's, and those the
// archive copied from it, carry none.
struct PeriodGlance {
    bool readable = false;  // false: the history file could not be read (see error)
    bool empty = true;
    std::optional<int> address;  // the first the period's samples carry
    QString error;
};

// Reads only as far as the first sample with an address.
PeriodGlance glanceAtPeriod(const PeriodSamples& samples, const QDateTime& from, const QDateTime& to);

// The instrument as the report's heading names it: "仪表 3", or "仪表"
// when no sample tells the address.
QString instrumentName(const std::optional<int>& address);
