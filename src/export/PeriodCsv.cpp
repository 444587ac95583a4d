#include "export/PeriodCsv.h"

#include <charconv>
#include <cstdlib>

#include <QSaveFile>

#include "instrument/RegisterMap.h"

namespace {

const QByteArray kLineEnd("\r\n");
constexpr qsizetype kFlushBytes = 1 << 20;
constexpr int kProgressEvery = 4096;

// The civil date of a day count since 1970 (proleptic Gregorian): the
// station's own offset is in the sample, so no time zone look-up is needed
// for two and a half million lines.
void civilFromDays(int64_t days, int& year, int& month, int& day)
{
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t doe = days - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

void appendTime(QByteArray& out, int64_t utcMs, int offsetSeconds)
{
    const int64_t localMs = utcMs + int64_t(offsetSeconds) * 1000;
    int64_t days = localMs / 86400000;
    int64_t msOfDay = localMs % 86400000;
    if (msOfDay < 0) {
        msOfDay += 86400000;
        --days;
    }
    int year, month, day;
    civilFromDays(days, year, month, day);
    const int ms = static_cast<int>(msOfDay);
    const int minutes = std::abs(offsetSeconds) / 60;
    char text[40];
    const int n = std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03d%c%02d:%02d", year, month, day,
                                ms / 3600000, ms / 60000 % 60, ms / 1000 % 60, ms % 1000,
                                offsetSeconds < 0 ? '-' : '+', minutes / 60, minutes % 60);
    out.append(text, n);
}

// As numberText writes it (seven significant digits, "0" for -0, exponent
// in capitals), straight into the line.
void appendNumber(QByteArray& out, float value)
{
    if (value == 0.0f) {
        out.append('0');
        return;
    }
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, static_cast<double>(value),
                                      std::chars_format::general, 7);
    for (char* c = text; c != result.ptr; ++c)
        if (*c == 'e')
            *c = 'E';
    out.append(text, result.ptr - text);
}

} // namespace

namespace PeriodCsv {

QByteArray header()
{
    return QByteArray("\xEF\xBB\xBF" "time,PV,OP,SV,ALM1,ALM2,ALM3") + kLineEnd;
}

void appendLine(QByteArray& out, const PeriodSample& sample)
{
    appendTime(out, sample.utcMs, sample.utcOffset);
    out.append(',');
    appendNumber(out, sample.pv);
    out.append(',');
    appendNumber(out, sample.op);
    out.append(',');
    appendNumber(out, sample.sv);
    for (int alarm = 0; alarm < RegisterMap::kAlarms; ++alarm) {
        out.append(',');
        if (sample.alarmBits)
            out.append((*sample.alarmBits >> (RegisterMap::kAlarmOutput1 - 1 + alarm)) & 1 ? '1' : '0');
    }
    out.append(kLineEnd);
}

Result write(const QString& csvPath, const PeriodSamples& samples, const QDateTime& from, const QDateTime& to,
             const Progress& progress)
{
    Result result;
    QSaveFile file(csvPath);
    if (!file.open(QIODevice::WriteOnly)) {
        result.error = QStringLiteral("cannot write %1: %2").arg(csvPath, file.errorString());
        return result;
    }
    QByteArray buffer = header();
    buffer.reserve(kFlushBytes + 256);
    bool writeFailed = false;
    int64_t sinceProgress = 0;
    const PeriodSamples::Outcome read = samples.read(from, to, [&](const PeriodSample& sample) {
        appendLine(buffer, sample);
        if (buffer.size() >= kFlushBytes) {
            if (file.write(buffer) != buffer.size()) {
                writeFailed = true;
                return false;
            }
            buffer.clear();
        }
        // Asked at the first sample already, so a cancel never waits long.
        return !progress || sinceProgress++ % kProgressEvery != 0 || progress(sample.utcMs);
    });
    result.samples = read.samples;
    result.skipped = read.skipped;
    if (writeFailed || (read.ringRead && !read.cancelled && file.write(buffer) != buffer.size())) {
        result.error = QStringLiteral("cannot write %1: %2").arg(csvPath, file.errorString());
    } else if (!read.ringRead) {
        result.error = QStringLiteral("cannot read the history file %1").arg(read.error);
    } else if (read.cancelled) {
        result.cancelled = true;
    } else if (!read.error.isEmpty()) {
        result.error = QStringLiteral("reading the history file failed: %1").arg(read.error);
    } else if (read.samples == 0) {
        result.error = QStringLiteral("no samples were recorded in the period");
    } else if (!file.commit()) {
        result.error = QStringLiteral("cannot write %1: %2").arg(csvPath, file.errorString());
    } else {
        result.written = true;
        return result;
    }
    file.cancelWriting();
    return result;
}

} // namespace PeriodCsv
