#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/JournalFiles.h"

namespace {

using Kind = JournalEvent::Kind;

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

class JournalToolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const QDateTime start(QDate(2026, 12, 7), QTime(8, 0), Qt::UTC);
        JournalEvent write = JournalFiles::event(Kind::Write, start.addSecs(60), QStringLiteral("register 1"));
        write.source = QStringLiteral("port 1 address 1");
        write.oldValue = QStringLiteral("100.0");
        write.newValue = QStringLiteral("250.0");
        write.outcome = QStringLiteral("ok");
        ASSERT_TRUE(JournalFiles::append(path, {JournalFiles::event(Kind::StationStarted, start), write,
                                                JournalFiles::event(Kind::AlarmRaised, start.addSecs(120),
                                                                    QStringLiteral("ALM1"))}));
    }

    // In UTC, so times without an offset mean the same as in the seed; in
    // the locale given (Chinese unless told).
    ToolRun run(const QStringList& arguments, const QString& locale = QStringLiteral("zh_CN.UTF-8"))
    {
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TZ"), QStringLiteral("UTC"));
        environment.remove(QStringLiteral("LC_ALL"));
        environment.remove(QStringLiteral("LC_MESSAGES"));
        environment.insert(QStringLiteral("LANG"), locale);
        tool.setProcessEnvironment(environment);
        tool.start(QStringLiteral(TQ5800_JOURNAL_TOOL_PATH), arguments);
        EXPECT_TRUE(tool.waitForFinished(30000));
        return {tool.exitCode(), QString::fromUtf8(tool.readAllStandardOutput()),
                QString::fromUtf8(tool.readAllStandardError())};
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("journal.sqlite"));
};

TEST_F(JournalToolTest, printsATableNewestFirstNarrowedByKindAndTime)
{
    const ToolRun all = run({QStringLiteral("--journal"), path});
    EXPECT_EQ(all.exitCode, 0) << all.err.toStdString();
    const QStringList lines = all.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("2026-12-07T08:02:00.000+00:00  报警发生  ALM1")));
    EXPECT_TRUE(lines[1].contains(QStringLiteral("端口 1 地址 1  设定SV  100.0 -> 250.0  成功")));

    const ToolRun narrowed = run({QStringLiteral("--journal"), path, QStringLiteral("--kind"), QStringLiteral("write"),
                              QStringLiteral("--kind"), QStringLiteral("station.started"), QStringLiteral("--from"),
                              QStringLiteral("2026-12-07T08:00:30"), QStringLiteral("--to"),
                              QStringLiteral("2026-12-07T09:01:30+01:00")});
    EXPECT_EQ(narrowed.exitCode, 0);
    EXPECT_EQ(narrowed.out.count(QLatin1Char('\n')), 1);
    EXPECT_TRUE(narrowed.out.contains(QStringLiteral("写入仪表")));
}

struct LanguageCase {
    QStringList options;
    const char* locale;
    const char* writeLine;  // the write's line from its kind on
};

TEST_F(JournalToolTest, wordsTheEventsInTheLanguageAskedForElseInTheLocales)
{
    const LanguageCase cases[] = {
        {{QStringLiteral("--lang"), QStringLiteral("en")}, "zh_CN.UTF-8",
         "Instrument write  Port 1 address 1  Set SV  100.0 -> 250.0  OK  register 1"},
        {{QStringLiteral("--lang"), QStringLiteral("zh")}, "C.UTF-8", "写入仪表  端口 1 地址 1  设定SV  100.0 -> 250.0  成功  寄存器 1"},
        {{}, "C.UTF-8", "Instrument write  Port 1 address 1  Set SV  100.0 -> 250.0  OK  register 1"},
        {{}, "zh_TW.UTF-8", "写入仪表  端口 1 地址 1  设定SV  100.0 -> 250.0  成功  寄存器 1"},
    };
    for (const LanguageCase& c : cases) {
        const ToolRun table = run(QStringList{QStringLiteral("--journal"), path} + c.options, QString::fromLatin1(c.locale));
        const QString context = c.options.join(QLatin1Char(' ')) + QLatin1Char(' ') + QString::fromLatin1(c.locale);
        EXPECT_EQ(table.exitCode, 0) << context.toStdString();
        EXPECT_TRUE(table.out.contains(QStringLiteral("2026-12-07T08:01:00.000+00:00  ") + QString::fromUtf8(c.writeLine)))
            << context.toStdString() << "\n" << table.out.toStdString();
        // The CSV the same words, the codes as stored.
        const ToolRun csv = run(QStringList{QStringLiteral("--journal"), path, QStringLiteral("--csv")} + c.options,
                                QString::fromLatin1(c.locale));
        const QString shownWhat = QString::fromUtf8(c.writeLine).section(QStringLiteral("  "), 2, 2);
        EXPECT_TRUE(csv.out.contains(QStringLiteral(",write,%1,").arg(QString::fromUtf8(c.writeLine).section(QStringLiteral("  "), 0, 0))
                                     + QString::fromUtf8(c.writeLine).section(QStringLiteral("  "), 1, 1) + QLatin1Char(',') + shownWhat
                                     + QStringLiteral(",100.0,250.0,ok,")))
            << context.toStdString() << "\n" << csv.out.toStdString();
    }
    EXPECT_EQ(run({QStringLiteral("--journal"), path, QStringLiteral("--lang"), QStringLiteral("fr")}).exitCode, 2);
}

TEST_F(JournalToolTest, badUsageExitsWithTwoAndAnUnreadableJournalWithOne)
{
    const QStringList bad[] = {
        {},
        {QStringLiteral("--journal")},
        {QStringLiteral("--journal"), path, QStringLiteral("--kind"), QStringLiteral("alarm")},
        {QStringLiteral("--journal"), path, QStringLiteral("--from"), QStringLiteral("yesterday")},
        {QStringLiteral("--journal"), path, QStringLiteral("--from"), QStringLiteral("2026-12-07T09:00"),
         QStringLiteral("--to"), QStringLiteral("2026-12-07T08:00")},
        {QStringLiteral("--journal"), path, QStringLiteral("--colour")},
        {QStringLiteral("--journal"), path, QStringLiteral("extra")},
    };
    for (const QStringList& arguments : bad) {
        const ToolRun r = run(arguments);
        EXPECT_EQ(r.exitCode, 2) << arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(r.err.endsWith(QStringLiteral("\nTry 'tq5800-journal --help'.\n"))) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    const ToolRun missing = run({QStringLiteral("--journal"), dir.filePath(QStringLiteral("none.sqlite"))});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("cannot read")));

    const ToolRun help = run({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: tq5800-journal")));
}

} // namespace
