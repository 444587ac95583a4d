#include <ctime>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/PeriodFiles.h"

namespace {

struct ToolRun {
    int exitCode = -1;
    QString err;
};

class ExportToolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The ring keeps local time: seed it in the tool's time zone.
        qputenv("TZ", "UTC");
        tzset();
        ASSERT_TRUE(dir.isValid());
        // The ring from 23:30 on 31 October, the archive from midnight on.
        ASSERT_TRUE(PeriodFiles::writeRing(ringPath, start, 3600, 65000));
        ASSERT_TRUE(PeriodFiles::writeArchive(archive, PeriodFiles::seconds(start.addSecs(1800), 1800, 0.0f)));
    }

    // In UTC, so times without an offset mean the same as in the seed.
    ToolRun run(const QStringList& arguments)
    {
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TZ"), QStringLiteral("UTC"));
        tool.setProcessEnvironment(environment);
        tool.start(QStringLiteral(TQ5800_EXPORT_TOOL_PATH), arguments);
        EXPECT_TRUE(tool.waitForFinished(30000));
        return {tool.exitCode(), QString::fromUtf8(tool.readAllStandardError())};
    }

    QStringList period(const QString& from, const QString& to)
    {
        return {QStringLiteral("--db"), ringPath, QStringLiteral("--archive"), archive, QStringLiteral("--from"), from,
                QStringLiteral("--to"), to, QStringLiteral("--csv"), csvPath};
    }

    QTemporaryDir dir;
    QDateTime start{QDate(2026, 10, 31), QTime(23, 30), Qt::UTC};
    QString ringPath = dir.filePath(QStringLiteral("history.sqlite"));
    QString archive = dir.filePath(QStringLiteral("archive"));
    QString csvPath = dir.filePath(QStringLiteral("period.csv"));
};

TEST_F(ExportToolTest, writesEverySampleOnceInTimeOrderAcrossTheRingWrapAndAMonthBoundary)
{
    // The ring wraps at 23:38:20, the archive takes over at midnight.
    const ToolRun done = run(period(QStringLiteral("2026-10-31T23:35:00"), QStringLiteral("2026-11-01T01:10:00+01:00")));
    EXPECT_EQ(done.exitCode, 0) << done.err.toStdString();
    QFile csv(csvPath);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().split('\n');
    ASSERT_EQ(lines.size(), 1 + 2100 + 1);
    const QDateTime first(QDate(2026, 10, 31), QTime(23, 35), Qt::UTC);
    for (int i = 1; i <= 2100; ++i) {
        const QByteArray time = first.addSecs(i - 1).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.000+00:00")).toUtf8();
        ASSERT_TRUE(lines[i].startsWith(time + ',')) << i << ": " << lines[i].toStdString();
    }
    EXPECT_TRUE(lines[1].endsWith(",65300,40,250,,,\r"));  // from the ring: alarms unknown
    EXPECT_TRUE(lines[201].endsWith(",65500,40,250,,,\r"));
    EXPECT_TRUE(lines[202].endsWith(",1,40,250,,,\r"));  // the first record after the wrap
    EXPECT_TRUE(lines[2100].endsWith(",1,0,0\r"));          // from the archive
}

TEST_F(ExportToolTest, aDamagedMonthIsNamedAndTheRestWritten)
{
    QFile damaged(archive + QStringLiteral("/2026-11.sqlite"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    damaged.write(QByteArray(4096, 'x'));
    damaged.close();
    const ToolRun skipped = run(period(QStringLiteral("2026-10-31T23:50:00"), QStringLiteral("2026-11-01T00:10:00")));
    EXPECT_EQ(skipped.exitCode, 0);
    EXPECT_TRUE(skipped.err.contains(QStringLiteral("2026-11.sqlite"))) << skipped.err.toStdString();
    QFile csv(csvPath);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(csv.readAll().count('\n'), 1 + 1200);  // the ring's records of the period
}

TEST_F(ExportToolTest, badUsageExitsWithTwoAndNothingToWriteWithOne)
{
    const QStringList bad[] = {
        {},
        {QStringLiteral("--db"), ringPath, QStringLiteral("--csv"), csvPath},
        period(QStringLiteral("yesterday"), QStringLiteral("2026-11-01T00:10:00")),
        period(QStringLiteral("2026-11-01T00:10:00"), QStringLiteral("2026-11-01T00:00:00")),
        period(QStringLiteral("2999-01-01T00:00:00"), QStringLiteral("2999-01-02T00:00:00")),
        period(QStringLiteral("2026-11-01T00:00:00"), QStringLiteral("2026-11-01T00:10:00")) << QStringLiteral("extra"),
    };
    for (const QStringList& arguments : bad) {
        const ToolRun r = run(arguments);
        EXPECT_EQ(r.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(r.err.startsWith(QStringLiteral("tq5800-export: "))) << r.err.toStdString();
    }

    const ToolRun empty = run(period(QStringLiteral("2026-10-01T00:00:00"), QStringLiteral("2026-10-02T00:00:00")));
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_TRUE(empty.err.contains(QStringLiteral("no samples")));

    QStringList unreadable = period(QStringLiteral("2026-11-01T00:00:00"), QStringLiteral("2026-11-01T00:10:00"));
    unreadable[1] = dir.filePath(QStringLiteral("missing.sqlite"));
    const ToolRun missing = run(unreadable);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("missing.sqlite")));
    EXPECT_FALSE(QFile::exists(csvPath));
}

} // namespace
