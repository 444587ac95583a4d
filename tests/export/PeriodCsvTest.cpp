#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "export/PeriodCsv.h"
#include "support/FileSizeLimit.h"
#include "support/ListedSamples.h"
#include "support/PeriodFiles.h"

namespace {

QDateTime utc(int day, int hour, int minute = 0)
{
    return QDateTime(QDate(2026, 11, day), QTime(hour, minute), Qt::UTC);
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(PeriodCsvLineTest, showsLocalTimeWithItsOffsetTheValuesAndTheAlarmsKnown)
{
    PeriodSample sample;
    sample.utcMs = utc(30, 23, 30).toMSecsSinceEpoch();
    sample.utcOffset = 3600;
    sample.pv = 123.4f;
    sample.op = 52.3f;
    sample.sv = -0.0f;
    sample.alarmBits = 0x5;  // alarms 1 and 3

    QByteArray line;
    PeriodCsv::appendLine(line, sample);
    EXPECT_EQ(line, QByteArray("2026-12-01T00:30:00.000+01:00,123.4,52.3,0,1,0,1\r\n"));

    sample.alarmBits.reset();
    sample.utcOffset = -5 * 3600 - 1800;
    sample.sv = 1.5e7f;
    line.clear();
    PeriodCsv::appendLine(line, sample);
    EXPECT_EQ(line, QByteArray("2026-11-30T18:00:00.000-05:30,123.4,52.3,1.5E+07,,,\r\n"));
    EXPECT_TRUE(PeriodCsv::header().startsWith("\xEF\xBB\xBFtime,PV,OP,SV,ALM1,ALM2,ALM3\r\n"));
}

class PeriodCsvTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(PeriodFiles::writeRing(ringPath, utc(1, 8), 3600, 1));
        QFile earlier(csvPath);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("an earlier export");
    }

    // No half-written file under another name beside it either.
    void expectEarlierExportUntouched()
    {
        EXPECT_EQ(contents(csvPath), QByteArray("an earlier export"));
        const QStringList exports = QDir(dir.path()).entryList({QStringLiteral("period*")}, QDir::Files);
        EXPECT_EQ(exports, QStringList{QStringLiteral("period.csv")});
    }

    QTemporaryDir dir;
    QString ringPath = dir.filePath(QStringLiteral("history.sqlite"));
    QString csvPath = dir.filePath(QStringLiteral("period.csv"));
    PeriodSamples samples{ringPath, QString()};
};

TEST_F(PeriodCsvTest, writesAHeaderAndOneLinePerSampleInTimeOrder)
{
    const PeriodCsv::Result result = PeriodCsv::write(csvPath, samples, utc(1, 8, 10), utc(1, 8, 20));
    ASSERT_TRUE(result.written) << result.error.toStdString();
    EXPECT_EQ(result.samples, 600);
    const QList<QByteArray> lines = contents(csvPath).split('\n');
    ASSERT_EQ(lines.size(), 602);  // header, 600 lines, nothing after the last line end
    EXPECT_EQ(lines[0], PeriodCsv::header().chopped(1));
    const QDateTime local = utc(1, 8, 10).toLocalTime();
    EXPECT_TRUE(lines[1].startsWith(local.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.000")).toUtf8()));
    EXPECT_TRUE(lines[1].endsWith(",601,40,250,,,\r"));
    EXPECT_TRUE(lines[600].endsWith(",1200,40,250,,,\r"));
    EXPECT_TRUE(lines[601].isEmpty());
}

TEST_F(PeriodCsvTest, aFailedCancelledOrEmptyExportLeavesTheEarlierFile)
{
    const PeriodCsv::Result empty = PeriodCsv::write(csvPath, samples, utc(2, 8), utc(2, 9));
    EXPECT_FALSE(empty.written);
    EXPECT_TRUE(empty.error.contains("no samples"));
    expectEarlierExportUntouched();

    const PeriodCsv::Result cancelled = PeriodCsv::write(csvPath, samples, utc(1, 8), utc(1, 9),
                                                         [](int64_t) { return false; });
    EXPECT_FALSE(cancelled.written);
    EXPECT_TRUE(cancelled.cancelled);
    expectEarlierExportUntouched();

    {
        FileSizeLimit full(64 * 1024);  // room for the reader's shared memory file, not the export
        ASSERT_TRUE(full.active());
        const PeriodCsv::Result failed = PeriodCsv::write(csvPath, samples, utc(1, 8), utc(1, 9));
        EXPECT_FALSE(failed.written);
        EXPECT_TRUE(failed.error.contains(csvPath)) << failed.error.toStdString();
    }
    expectEarlierExportUntouched();

    const PeriodSamples missing(dir.filePath(QStringLiteral("no-such.sqlite")), QString());
    const PeriodCsv::Result unreadable = PeriodCsv::write(csvPath, missing, utc(1, 8), utc(1, 9));
    EXPECT_FALSE(unreadable.written);
    EXPECT_TRUE(unreadable.error.contains("no-such.sqlite"));
    expectEarlierExportUntouched();
}

// The same from a sample source (the server's): a failed read names the
// source's reason as it is.
TEST_F(PeriodCsvTest, fromASourceAFailedReadFullDiskOrEmptyPeriodLeavesTheEarlierFile)
{
    ListedSamples lost({}, QStringLiteral("the server went away"));
    const PeriodCsv::Result failedRead = PeriodCsv::write(csvPath, lost, utc(1, 8), utc(1, 9));
    EXPECT_EQ(failedRead.failure, PeriodCsv::Failure::CannotReadHistory);
    EXPECT_EQ(failedRead.error, QStringLiteral("the server went away"));
    expectEarlierExportUntouched();

    ListedSamples listed(PeriodFiles::seconds(utc(1, 8), 3600, 0.0f));
    const PeriodCsv::Result empty = PeriodCsv::write(csvPath, listed, utc(2, 8), utc(2, 9));
    EXPECT_EQ(empty.failure, PeriodCsv::Failure::NoSamples);
    expectEarlierExportUntouched();
    {
        FileSizeLimit full(64 * 1024);
        ASSERT_TRUE(full.active());
        const PeriodCsv::Result failedWrite = PeriodCsv::write(csvPath, listed, utc(1, 8), utc(1, 9));
        EXPECT_EQ(failedWrite.failure, PeriodCsv::Failure::CannotWrite);
    }
    expectEarlierExportUntouched();
}

} // namespace
