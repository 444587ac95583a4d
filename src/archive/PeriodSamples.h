#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include <QDateTime>
#include <QString>

#include "archive/PeriodSample.h"

// Reads the samples of a period [from, to) oldest first, one at a time: from
// the archive's month files, and from the ring (the history file) wherever
// the archive holds nothing, e.g. before it existed or while it was off.
// Nothing is kept beyond the current row of each file, so a month costs no
// more memory than a minute.
class PeriodSamples {
public:
    // Gets each sample in turn; returning false stops the reading.
    using Sink = std::function<bool(const PeriodSample&)>;

    struct SkippedFile {
        QString name;    // the month file's name, e.g. "2026-11.sqlite"
        QString reason;
    };

    struct Outcome {
        bool ringRead = false;  // false: the history file could not be read (see error)
        bool cancelled = false;
        int64_t samples = 0;
        std::vector<SkippedFile> skipped;  // damaged month files, the rest was read
        QString error;
    };

    // archiveFolder empty: no archive, the ring alone.
    PeriodSamples(QString ringPath, QString archiveFolder);

    // Why a period cannot be read (from not before to, from in the future);
    // empty when it can.
    static std::optional<QString> refusal(const QDateTime& from, const QDateTime& to, const QDateTime& now);

    // The oldest moment the archive or the ring holds: a period starting
    // before it cannot be had whole. Empty when neither holds a sample or
    // can be read (read() then says why).
    std::optional<QDateTime> oldestHeld() const;

    // Reads a period refusal() lets through; callable from any thread, on
    // connections of its own.
    Outcome read(const QDateTime& from, const QDateTime& to, const Sink& sink) const;

private:
    QString ringPath_;
    QString archiveFolder_;
};
