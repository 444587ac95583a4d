#include <ctime>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/PdfText.h"
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

    // The same period as a report instead of CSV.
    QStringList report(const QString& from, const QString& to)
    {
        QStringList arguments = period(from, to);
        arguments[arguments.indexOf(QStringLiteral("--csv"))] = QStringLiteral("--pdf");
        arguments[arguments.indexOf(csvPath)] = pdfPath;
        return arguments;
    }

    QTemporaryDir dir;
    QString pdfPath = dir.filePath(QStringLiteral("period.pdf"));
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

TEST_F(ExportToolTest, aPeriodStartingBeforeTheOldestSampleHeldIsNotedAndWrittenFromThere)
{
    const ToolRun within = run(period(QStringLiteral("2026-10-31T23:30:00"), QStringLiteral("2026-10-31T23:40:00")));
    EXPECT_EQ(within.exitCode, 0) << within.err.toStdString();
    EXPECT_FALSE(within.err.contains(QStringLiteral("oldest"))) << within.err.toStdString();

    const ToolRun before = run(period(QStringLiteral("2026-10-31T22:00:00"), QStringLiteral("2026-10-31T23:40:00")));
    EXPECT_EQ(before.exitCode, 0) << before.err.toStdString();
    EXPECT_TRUE(before.err.contains(QStringLiteral("note: the period starts before the oldest sample held, "
                                                   "2026-10-31T23:30:00")))
        << before.err.toStdString();
    QFile csv(csvPath);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(csv.readAll().count('\n'), 1 + 600);
}

TEST_F(ExportToolTest, theReportNamesTheArchivedAddressTheBandAndThePeriodsStatistics)
{
    // From the archive: PV 0 to 599, SV 250, address 1; no journal beside the ring.
    const ToolRun archived = run(report(QStringLiteral("2026-11-01T00:00:00"), QStringLiteral("2026-11-01T00:10:00")));
    ASSERT_EQ(archived.exitCode, 0) << archived.err.toStdString();
    QString text = PdfText::squeezed(PdfText::of(pdfPath));
    for (const QString& expected :
         {QStringLiteral("周期报表 仪表 1"), QStringLiteral("时段 2026-11-01 00:00:00 至 2026-11-01 00:09:59"),
          QStringLiteral("最小 0.0 最大 599.0 平均 299.5"), QStringLiteral("SV ± 5.0"),
          QStringLiteral("600 个采样"), QStringLiteral("无事件记录文件")})
        EXPECT_TRUE(text.contains(PdfText::squeezed(expected))) << expected.toStdString() << "\n" << text.toStdString();

    // From the ring alone, which keeps no address; named and banded on the command line.
    const ToolRun ring = run(report(QStringLiteral("2026-10-31T23:30:00"), QStringLiteral("2026-10-31T23:40:00")));
    ASSERT_EQ(ring.exitCode, 0) << ring.err.toStdString();
    text = PdfText::squeezed(PdfText::of(pdfPath));
    EXPECT_TRUE(text.contains(QStringLiteral("周期报表仪表第1页"))) << text.toStdString();
    const ToolRun named = run(report(QStringLiteral("2026-10-31T23:30:00"), QStringLiteral("2026-10-31T23:40:00"))
                              << QStringLiteral("--instrument") << QStringLiteral("反应釜 2") << QStringLiteral("--band")
                              << QStringLiteral("2.5"));
    ASSERT_EQ(named.exitCode, 0) << named.err.toStdString();
    text = PdfText::squeezed(PdfText::of(pdfPath));
    EXPECT_TRUE(text.contains(QStringLiteral("周期报表反应釜2第1页"))) << text.toStdString();
    EXPECT_TRUE(text.contains(PdfText::squeezed(QStringLiteral("SV ± 2.5")))) << text.toStdString();
}

TEST_F(ExportToolTest, aReportOfAnEmptyPeriodOrAnUnreadableRingIsRefusedAndOneWithADamagedMonthNamesIt)
{
    const ToolRun empty = run(report(QStringLiteral("2026-10-01T00:00:00"), QStringLiteral("2026-10-02T00:00:00")));
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_TRUE(empty.err.contains(QStringLiteral("no samples"))) << empty.err.toStdString();
    EXPECT_FALSE(QFile::exists(pdfPath));

    QStringList unreadable = report(QStringLiteral("2026-11-01T00:00:00"), QStringLiteral("2026-11-01T00:10:00"));
    unreadable[1] = dir.filePath(QStringLiteral("missing.sqlite"));
    const ToolRun missing = run(unreadable);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("missing.sqlite"))) << missing.err.toStdString();
    EXPECT_FALSE(QFile::exists(pdfPath));

    QFile damaged(archive + QStringLiteral("/2026-11.sqlite"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    damaged.write(QByteArray(4096, 'x'));
    damaged.close();
    const ToolRun skipped = run(report(QStringLiteral("2026-10-31T23:50:00"), QStringLiteral("2026-11-01T00:10:00")));
    EXPECT_EQ(skipped.exitCode, 0) << skipped.err.toStdString();
    EXPECT_TRUE(skipped.err.contains(QStringLiteral("skipped the damaged month file 2026-11.sqlite")))
        << skipped.err.toStdString();
    EXPECT_TRUE(PdfText::squeezed(PdfText::of(pdfPath)).contains(QStringLiteral("1200个采样")));
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
        period(QStringLiteral("2026-11-01T00:00:00"), QStringLiteral("2026-11-01T00:10:00")) << QStringLiteral("--pdf")
            << pdfPath,
        period(QStringLiteral("2026-11-01T00:00:00"), QStringLiteral("2026-11-01T00:10:00")) << QStringLiteral("--band")
            << QStringLiteral("2"),
        report(QStringLiteral("2026-11-01T00:00:00"), QStringLiteral("2026-11-01T00:10:00")) << QStringLiteral("--band")
            << QStringLiteral("-1"),
        report(QStringLiteral("2026-11-01T00:00:00"), QStringLiteral("2026-11-01T00:10:00")) << QStringLiteral("--band")
            << QStringLiteral("wide"),
    };
    for (const QStringList& arguments : bad) {
        const ToolRun r = run(arguments);
        EXPECT_EQ(r.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(r.err.startsWith(QStringLiteral("tq5800-export: "))) << r.err.toStdString();
    }

    // A password on the command line is refused as the station refuses it,
    // before any server is asked and without showing it.
    for (const QString& connection : {QStringLiteral("host=db user=reader password=hunter2"),
                                      QStringLiteral("postgresql://reader:hunter2@db/history")}) {
        const ToolRun withPassword = run({QStringLiteral("--historian"), connection, QStringLiteral("--station"),
                                          QStringLiteral("line-a"), QStringLiteral("--from"),
                                          QStringLiteral("2026-11-01T00:00:00"), QStringLiteral("--to"),
                                          QStringLiteral("2026-11-01T00:10:00"), QStringLiteral("--csv"), csvPath});
        EXPECT_EQ(withPassword.exitCode, 2);
        EXPECT_EQ(withPassword.err, QStringLiteral("tq5800-export: --historian takes no password: put it in ~/.pgpass "
                                                   "or the file PGPASSFILE names\nTry 'tq5800-export --help'.\n"));
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
