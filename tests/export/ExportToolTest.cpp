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

TEST_F(ExportToolTest, writesThePeriodFromRingAndArchiveAndNamesASkippedMonth)
{
    const ToolRun done = run(period(QStringLiteral("2026-10-31T23:50:00"), QStringLiteral("2026-11-01T01:10:00+01:00")));
    EXPECT_EQ(done.exitCode, 0) << done.err.toStdString();
    QFile csv(csvPath);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().split('\n');
    ASSERT_EQ(lines.size(), 1 + 1200 + 1);
    EXPECT_TRUE(lines[1].startsWith("2026-10-31T23:50:00.000+00:00,"));
    EXPECT_TRUE(lines[1].endsWith(",,,\r"));  // from the ring: alarms unknown
    EXPECT_TRUE(lines[1200].startsWith("2026-11-01T00:09:59.000+00:00,"));
    EXPECT_TRUE(lines[1200].endsWith(",1,0,0\r"));

    QFile damaged(archive + QStringLiteral("/2026-11.sqlite"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    damaged.write(QByteArray(4096, 'x'));
    damaged.close();
    const ToolRun skipped = run(period(QStringLiteral("2026-10-31T23:50:00"), QStringLiteral("2026-11-01T00:10:00")));
    EXPECT_EQ(skipped.exitCode, 0);
    EXPECT_TRUE(skipped.err.contains(QStringLiteral("2026-11.sqlite"))) << skipped.err.toStdString();
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
