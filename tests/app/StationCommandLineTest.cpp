#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace {

struct Answer {
    int exitCode = -1;
    QString output;
};

// The station program as a console starts it: no display, no platform
// chosen.
Answer runWithoutDisplay(const QString& option)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    QProcess station;
    station.setProcessEnvironment(environment);
    station.start(QStringLiteral(TQ5800_STATION_PATH), {option});
    if (!station.waitForFinished(30000)) {
        station.kill();
        station.waitForFinished();
        return {};
    }
    Answer answer;
    answer.exitCode = station.exitStatus() == QProcess::NormalExit ? station.exitCode() : -1;
    answer.output = QString::fromLocal8Bit(station.readAllStandardOutput());
    return answer;
}

TEST(StationCommandLine, helpAndVersionAnswerOnAConsoleWithoutADisplay)
{
    const Answer help = runWithoutDisplay(QStringLiteral("--help"));
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.output.contains(QStringLiteral("--port-device"))) << help.output.toStdString();

    const Answer version = runWithoutDisplay(QStringLiteral("--version"));
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.output.startsWith(QStringLiteral("tq5800-station "))) << version.output.toStdString();
}

} // namespace
