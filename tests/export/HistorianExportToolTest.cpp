#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/HistorianSeed.h"
#include "support/PdfText.h"
#include "support/PeriodFiles.h"
#include "support/PostgresServer.h"

namespace {

struct ToolRun {
    int exitCode = -1;
    QString err;
};

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Station line-a forwarded two instruments on one line, line-b one with
// line-a's first address; line-c has address 1 on two lines.
class HistorianExportToolTest : public PostgresFixture {
protected:
    void SetUp() override
    {
        PostgresFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(HistorianSeed::applySchema(connection()));
        const QString line = QStringLiteral("/dev/ttyS1");
        ASSERT_TRUE(HistorianSeed::samples(connection(), QStringLiteral("line-a"), line, 1, instrument1));
        ASSERT_TRUE(HistorianSeed::samples(connection(), QStringLiteral("line-a"), line, 2,
                                           PeriodFiles::seconds(start, 300, 1000.0f, 3600)));
        ASSERT_TRUE(HistorianSeed::samples(connection(), QStringLiteral("line-b"), line, 1,
                                           PeriodFiles::seconds(start, 600, 5000.0f, 3600)));
        for (const QString& port : {line, QStringLiteral("/dev/ttyS2")})
            ASSERT_TRUE(HistorianSeed::samples(connection(), QStringLiteral("line-c"), port, 1,
                                               PeriodFiles::seconds(start, 10, 0.0f)));
    }

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

    QStringList fromServer(const QString& station, const QString& connectionText,
                           const QString& from = QStringLiteral("2026-11-01T00:00:00Z"))
    {
        return {QStringLiteral("--historian"), connectionText, QStringLiteral("--station"), station,
                QStringLiteral("--from"), from, QStringLiteral("--to"), QStringLiteral("2026-11-01T00:10:00Z"),
                QStringLiteral("--csv"), csvPath};
    }

    QTemporaryDir dir;
    QString csvPath = dir.filePath(QStringLiteral("server.csv"));
    QString pdfPath = dir.filePath(QStringLiteral("server.pdf"));
    QDateTime start{QDate(2026, 11, 1), QTime(0, 0), Qt::UTC};
    std::vector<PeriodSample> instrument1 = PeriodFiles::seconds(start, 600, 0.0f, 3600);
};

TEST_F(HistorianExportToolTest, OneInstrumentsCsvHoldsOnlyItsRowsAsTheLocalExportOfTheSameSamplesWritesThem)
{
    const ToolRun server =
        run(fromServer(QStringLiteral("line-a"), connection()) << QStringLiteral("--address") << QStringLiteral("1"));
    ASSERT_EQ(server.exitCode, 0) << server.err.toStdString();

    // The same samples in the station's own files; the ring holds an earlier day.
    const QString archive = dir.filePath(QStringLiteral("archive"));
    const QString ring = dir.filePath(QStringLiteral("history.sqlite"));
    ASSERT_TRUE(PeriodFiles::writeArchive(archive, instrument1));
    ASSERT_TRUE(PeriodFiles::writeRing(ring, start.addDays(-1), 10, 1));
    const QString localCsv = dir.filePath(QStringLiteral("local.csv"));
    const ToolRun local = run({QStringLiteral("--db"), ring, QStringLiteral("--archive"), archive,
                               QStringLiteral("--from"), QStringLiteral("2026-11-01T00:00:00Z"), QStringLiteral("--to"),
                               QStringLiteral("2026-11-01T00:10:00Z"), QStringLiteral("--csv"), localCsv});
    ASSERT_EQ(local.exitCode, 0) << local.err.toStdString();

    const QByteArray written = contents(csvPath);
    EXPECT_EQ(written.count('\n'), 1 + 600);
    EXPECT_TRUE(written.contains("2026-11-01T01:09:59.000+01:00,599,52.3,250,1,0,0\r\n"));
    EXPECT_EQ(written, contents(localCsv));
}

TEST_F(HistorianExportToolTest, TheReportFromTheServerHasTheStationsEventsOfThePeriod)
{
    const QDateTime t = start.toOffsetFromUtc(3600);
    ASSERT_TRUE(HistorianSeed::events(
        connection(), QStringLiteral("line-a"),
        {{1, t.addSecs(60), QStringLiteral("alarm.raised"), QStringLiteral("ALM1"), QStringLiteral("MarkRaised")},
         {2, t.addSecs(120), QStringLiteral("station.started"), QString(), QStringLiteral("MarkStarted")},
         {3, t.addSecs(300), QStringLiteral("write"), QStringLiteral("SV"), QStringLiteral("MarkWrite")},
         {4, t.addSecs(3600), QStringLiteral("alarm.cleared"), QStringLiteral("ALM1"), QStringLiteral("MarkLater")}}));
    ASSERT_TRUE(HistorianSeed::events(connection(), QStringLiteral("line-b"),
                                      {{1, t.addSecs(90), QStringLiteral("alarm.raised"), QStringLiteral("ALM2"),
                                        QStringLiteral("MarkOtherStation")}}));
    QStringList arguments = fromServer(QStringLiteral("line-a"), connection()) << QStringLiteral("--address")
                                                                               << QStringLiteral("1");
    arguments[arguments.indexOf(QStringLiteral("--csv"))] = QStringLiteral("--pdf");
    arguments[arguments.indexOf(csvPath)] = pdfPath;
    const ToolRun report = run(arguments);
    ASSERT_EQ(report.exitCode, 0) << report.err.toStdString();

    const QString text = PdfText::squeezed(PdfText::of(pdfPath));
    for (const QString& expected :
         {QStringLiteral("周期报表 仪表 1"), QStringLiteral("600 个采样"), QStringLiteral("报警事件与操作记录 2 条"),
          QStringLiteral("2026-11-01 01:01:00"), QStringLiteral("MarkRaised"), QStringLiteral("MarkWrite")})
        EXPECT_TRUE(text.contains(PdfText::squeezed(expected))) << expected.toStdString() << "\n" << text.toStdString();
    for (const QString& absent : {QStringLiteral("MarkStarted"), QStringLiteral("MarkLater"),
                                  QStringLiteral("MarkOtherStation")})
        EXPECT_FALSE(text.contains(absent)) << absent.toStdString();
}

TEST_F(HistorianExportToolTest, WhatCannotBeExportedIsOneLineWithoutThePasswordAndLeavesNoFile)
{
    const QString secret = QStringLiteral(" password=hunter2");
    struct Case {
        const char* name;
        QStringList arguments;
        int exitCode;
        QString said;
    };
    const std::vector<Case> cases{
        {"unreachable", fromServer(QStringLiteral("line-a"), QStringLiteral("host=") + dir.filePath(QStringLiteral("nowhere"))),
         1, QStringLiteral("cannot connect")},
        {"login refused", fromServer(QStringLiteral("line-a"), connection() + QStringLiteral(" user=nobody")), 1,
         QStringLiteral("user=nobody: cannot connect")},
        {"a password", fromServer(QStringLiteral("line-a"), connection() + secret), 2,
         QStringLiteral("--historian takes no password")},
        {"uri", fromServer(QStringLiteral("line-a"), QStringLiteral("postgresql://bob@localhost/history")), 2,
         QStringLiteral("a connection URI cannot be used")},
        {"no such station", fromServer(QStringLiteral("line-z"), connection()), 1,
         QStringLiteral("has no station line-z")},
        {"no samples", fromServer(QStringLiteral("line-a"), connection(), QStringLiteral("2026-11-01T00:09:59.001Z")), 1,
         QStringLiteral("station line-a forwarded no samples in the period")},
        {"no such address", fromServer(QStringLiteral("line-a"), connection()) << QStringLiteral("--address")
                                                                               << QStringLiteral("7"),
         1, QStringLiteral("it forwarded addresses 1, 2 (ports /dev/ttyS1)")},
        {"two instruments", fromServer(QStringLiteral("line-a"), connection()), 2,
         QStringLiteral("name one with --address (addresses 1, 2)")},
        {"two lines", fromServer(QStringLiteral("line-c"), connection()), 2,
         QStringLiteral("name one with --port (ports /dev/ttyS1, /dev/ttyS2)")},
        {"local files too", fromServer(QStringLiteral("line-a"), connection()) << QStringLiteral("--db")
                                                                               << QStringLiteral("history.sqlite"),
         2, QStringLiteral("--db is for the local files")},
        {"no station", fromServer(QStringLiteral("line-a"), connection()).mid(4)
                           << QStringLiteral("--historian") << connection(),
         2, QStringLiteral("--station NAME is needed once")},
    };
    for (const Case& c : cases) {
        const ToolRun failed = run(c.arguments);
        EXPECT_EQ(failed.exitCode, c.exitCode) << c.name << ": " << failed.err.toStdString();
        EXPECT_TRUE(failed.err.startsWith(QStringLiteral("tq5800-export: "))) << c.name;
        EXPECT_TRUE(failed.err.contains(c.said)) << c.name << ": " << failed.err.toStdString();
        EXPECT_FALSE(failed.err.contains(QStringLiteral("hunter2"))) << c.name;
        if (c.exitCode == 1) {  // usage errors add a hint at --help
            EXPECT_EQ(failed.err.count(QLatin1Char('\n')), 1) << c.name << ": " << failed.err.toStdString();
        }
        EXPECT_FALSE(QFile::exists(csvPath)) << c.name;
    }

    const ToolRun named = run(fromServer(QStringLiteral("line-c"), connection()) << QStringLiteral("--port")
                                                                               << QStringLiteral("/dev/ttyS2"));
    EXPECT_EQ(named.exitCode, 0) << named.err.toStdString();
    EXPECT_EQ(contents(csvPath).count('\n'), 1 + 10);
}

} // namespace
