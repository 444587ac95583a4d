#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Answer {
    int exitCode = -1;
    QString output;
    QString error;
};

// The station program as a console starts it: no display, no platform
// chosen.
Answer runWithoutDisplay(const QStringList& arguments, const QString& configHome = QString())
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    if (!configHome.isEmpty())
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    QProcess station;
    station.setProcessEnvironment(environment);
    station.start(QStringLiteral(TQ5800_STATION_PATH), arguments);
    if (!station.waitForFinished(30000)) {
        station.kill();
        station.waitForFinished();
        return {};
    }
    Answer answer;
    answer.exitCode = station.exitStatus() == QProcess::NormalExit ? station.exitCode() : -1;
    answer.output = QString::fromLocal8Bit(station.readAllStandardOutput());
    answer.error = QString::fromLocal8Bit(station.readAllStandardError());
    return answer;
}

TEST(StationCommandLine, helpAnswersOnAConsoleWithoutADisplay)
{
    const Answer help = runWithoutDisplay({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.output.contains(QStringLiteral("--port-device"))) << help.output.toStdString();
    EXPECT_TRUE(help.output.contains(QStringLiteral("--install-autostart"))) << help.output.toStdString();
}

TEST(StationCommandLine, theAutostartEntryIsWrittenAndRemovedWithoutAWindow)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QString entry = home.path() + QStringLiteral("/autostart/tq5800-station.desktop");

    const Answer installed = runWithoutDisplay(
        {QStringLiteral("--install-autostart"), QStringLiteral("--connect"), QStringLiteral("--port"), QStringLiteral("2")},
        home.path());
    EXPECT_EQ(installed.exitCode, 0);
    EXPECT_TRUE(installed.output.contains(entry)) << installed.output.toStdString();
    QFile file(entry);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("\nExec=" TQ5800_STATION_PATH " --connect --port 2 --baud 9600")))
        << text.toStdString();
    file.close();

    const Answer removed = runWithoutDisplay({QStringLiteral("--remove-autostart")}, home.path());
    EXPECT_EQ(removed.exitCode, 0);
    EXPECT_FALSE(QFile::exists(entry));
}

TEST(StationCommandLine, aFolderGivenAsTheHistoryFileIsRefusedWithOneLineBeforeAnythingIsWritten)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QString folder = home.filePath(QStringLiteral("plant"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString line = QStringLiteral("tq5800-station: --db %1 is a folder, not a file\n").arg(folder);

    const Answer started = runWithoutDisplay({QStringLiteral("--db"), folder});
    EXPECT_EQ(started.exitCode, 2);
    EXPECT_EQ(started.error, line);

    const Answer installed =
        runWithoutDisplay({QStringLiteral("--install-autostart"), QStringLiteral("--db"), folder}, home.path());
    EXPECT_EQ(installed.exitCode, 2);
    EXPECT_EQ(installed.error, line);
    EXPECT_FALSE(QFile::exists(home.filePath(QStringLiteral("autostart/tq5800-station.desktop"))));
    // Nothing beside it either: no journal, archive or lock of a station.
    EXPECT_EQ(QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{QStringLiteral("plant")});
    EXPECT_TRUE(QDir(folder).isEmpty());
}

} // namespace
