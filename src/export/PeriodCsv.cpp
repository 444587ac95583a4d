#include "export/PeriodCsv.h"

#include <charconv>
#include <cstdlib>

#include <QSaveFile>

#include "instrument/RegisterMap.h"

namespace {

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

char* twoDigits(char* at, int value)
{
    at[0] = static_cast<char>('0' + value / 10);
    at[1] = static_cast<char>('0' + value % 10);
    return at + 2;
}

// "2026-12-07T19:53:09.000+01:00", written digit by digit: a formatted
// print per line would cost more than reading the sample.
char* writeTime(char* at, int64_t utcMs, int offsetSeconds)
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
    at = twoDigits(at, year / 100 % 100);
    at = twoDigits(at, year % 100);
    *at++ = '-';
    at = twoDigits(at, month);
    *at++ = '-';
    at = twoDigits(at, day);
    *at++ = 'T';
    at = twoDigits(at, ms / 3600000);
    *at++ = ':';
    at = twoDigits(at, ms / 60000 % 60);
    *at++ = ':';
    at = twoDigits(at, ms / 1000 % 60);
    *at++ = '.';
    *at++ = static_cast<char>('0' + ms % 1000 / 100);
    at = twoDigits(at, ms % 100);
    *at++ = offsetSeconds < 0 ? '-' : '+';
    at = twoDigits(at, minutes / 60 % 100);
    *at++ = ':';
    return twoDigits(at, minutes % 60);
}

// As numberText writes it (seven significant digits, "0" for -0, exponent
// in capitals), straight into the line.
char* writeNumber(char* at, char* end, float value)
{
    if (value == 0.0f) {
        *at++ = '0';
        return at;
    }
    const auto result = std::to_chars(at, end, static_cast<double>(value), std::chars_format::general, 7);
    for (char* c = at; c != result.ptr; ++c)
        if (*c == 'e')
            *c = 'E';
    return result.ptr;
}

} // namespace

namespace PeriodCsv {

QByteArray header()
{
    return QByteArray("\xEF\xBB\xBF" "time,PV,OP,SV,ALM1,ALM2,ALM3\r\n");
}

void appendLine(QByteArray& out, const PeriodSample& sample)
{
    char line[128];
    char* const end = line + sizeof line;
    char* at = writeTime(line, sample.utcMs, sample.utcOffset);
    *at++ = ',';
    at = writeNumber(at, end, sample.pv);
    *at++ = ',';
    at = writeNumber(at, end, sample.op);
    *at++ = ',';
    at = writeNumber(at, end, sample.sv);
    for (int alarm = 0; alarm < RegisterMap::kAlarms; ++alarm) {
        *at++ = ',';
        if (sample.alarmBits)
            *at++ = (*sample.alarmBits >> (RegisterMap::kAlarmOutput1 - 1 + alarm)) & 1 ? '1' : '0';
    }
    *at++ = '\r';
    *at++ = '\n';
    out.append(line, at - line);
}

} // namespace PeriodCsv

namespace {

// The CSV file under a temporary name, filled a megabyte at a time.
class CsvFile {
public:
    explicit CsvFile(const QString& path) : path_(path), file_(path) {}

    bool open(PeriodCsv::Result& result)
    {
        if (file_.open(QIODevice::WriteOnly)) {
            buffer_ = PeriodCsv::header();
            buffer_.reserve(kFlushBytes + 256);
            return true;
        }
        failToWrite(result);
        return false;
    }

    // False once a write failed.
    bool add(const PeriodSample& sample)
    {
        PeriodCsv::appendLine(buffer_, sample);
        return buffer_.size() < kFlushBytes || flush();
    }

    bool flush()
    {
        if (file_.write(buffer_) != buffer_.size()) {
            writeFailed_ = true;
            return false;
        }
        buffer_.resize(0);  // keeps the capacity
        return true;
    }

    bool writeFailed() const { return writeFailed_; }

    void failToWrite(PeriodCsv::Result& result)
    {
        result.failure = PeriodCsv::Failure::CannotWrite;
        result.error = QStringLiteral("cannot write %1: %2").arg(path_, file_.errorString());
    }

    // Takes the path's place, unless the period held nothing.
    void finish(PeriodCsv::Result& result)
    {
        if (result.samples == 0) {
            result.failure = PeriodCsv::Failure::NoSamples;
            result.error = QStringLiteral("no samples were recorded in the period");
        } else if (!file_.commit()) {
            failToWrite(result);
        } else {
            result.written = true;
            return;
        }
        cancel();
    }

    void cancel() { file_.cancelWriting(); }

private:
    QString path_;
    QSaveFile file_;
    QByteArray buffer_;
    bool writeFailed_ = false;
};

} // namespace

namespace PeriodCsv {

Result write(const QString& csvPath, const PeriodSamples& samples, const QDateTime& from, const QDateTime& to,
             const Progress& progress)
{
    Result result;
    CsvFile file(csvPath);
    if (!file.open(result))
        return result;
    int64_t sinceProgress = 0;
    const PeriodSamples::Outcome read = samples.read(from, to, [&](const PeriodSample& sample) {
        if (!file.add(sample))
            return false;
        // Asked at the first sample already, so a cancel never waits long.
        return !progress || sinceProgress++ % kProgressEvery != 0 || progress(sample.utcMs);
    });
    result.samples = read.samples;
    result.skipped = read.skipped;
    if (file.writeFailed() || (read.ringRead && !read.cancelled && !file.flush())) {
        file.failToWrite(result);
    } else if (!read.ringRead) {
        result.failure = Failure::CannotReadHistory;
        result.error = QStringLiteral("cannot read the history file %1").arg(read.error);
    } else if (read.cancelled) {
        result.cancelled = true;
    } else if (!read.error.isEmpty()) {
        result.failure = Failure::CannotReadHistory;
        result.error = QStringLiteral("reading the history file failed: %1").arg(read.error);
    } else {
        file.finish(result);
        return result;
    }
    file.cancel();
    return result;
}

Result write(const QString& csvPath, PeriodSampleSource& source, const QDateTime& from, const QDateTime& to)
{
    Result result;
    CsvFile file(csvPath);
    if (!file.open(result))
        return result;
    QString readError;
    // A source cannot be stopped: after a failed write the rest is read and dropped.
    const bool read = source.read(from.toMSecsSinceEpoch(), to.toMSecsSinceEpoch(),
                                  [&](const PeriodSample& sample) {
                                      if (!file.writeFailed() && file.add(sample))
                                          ++result.samples;
                                  },
                                  readError);
    if (file.writeFailed() || (read && !file.flush())) {
        file.failToWrite(result);
    } else if (!read) {
        result.failure = Failure::CannotReadHistory;
        result.error = readError;
    } else {
        file.finish(result);
        return result;
    }
    file.cancel();
    return result;
}

} // namespace PeriodCsv
