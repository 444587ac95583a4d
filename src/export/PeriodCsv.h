#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include "archive/PeriodSample.h"
#include "archive/PeriodSamples.h"
#include "export/PeriodSampleSource.h"

// A period's samples as CSV: UTF-8 with a byte-order mark, a header line,
// one line per sample (CRLF), the time in ISO 8601 local time with the
// offset the station's clock had, PV, OP and SV in the instrument's units,
// ALM1..3 as 0/1 and empty where the sample does not know them.
namespace PeriodCsv {

QByteArray header();  // with the byte-order mark
void appendLine(QByteArray& out, const PeriodSample& sample);

// Why nothing was written, for front ends that word it their own way.
enum class Failure { None, CannotWrite, CannotReadHistory, NoSamples };

struct Result {
    bool written = false;  // the file is in place under its name
    Failure failure = Failure::None;
    bool cancelled = false;
    int64_t samples = 0;
    std::vector<PeriodSamples::SkippedFile> skipped;
    QString error;  // why nothing was written
};

// Called with each sample's moment (UTC ms) now and then; false cancels.
using Progress = std::function<bool(int64_t utcMs)>;

// Writes the period to csvPath through a temporary file that takes the
// name only when complete: a failed, cancelled or empty export leaves
// whatever was under that name before.
Result write(const QString& csvPath, const PeriodSamples& samples, const QDateTime& from, const QDateTime& to,
             const Progress& progress = {});
// The same from any source (the central server); a failed read is
// CannotReadHistory with the source's error as it is.
Result write(const QString& csvPath, PeriodSampleSource& source, const QDateTime& from, const QDateTime& to);

} // namespace PeriodCsv
