#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QThread>

#include <gtest/gtest.h>

#include "support/SimProcess.h"

namespace {

QJsonObject lastObject(const std::string& output)
{
    const QStringList lines = QString::fromStdString(output).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (lines.isEmpty())
        return {};
    return QJsonDocument::fromJson(lines.last().toUtf8()).object();
}

TEST(Probe, printsTheRegistersTheInstrumentWasGiven)
{
    SimProcess sim({"--frozen", "--set", "3x:1=523", "--set", "3x:2=456", "--set", "4x:4102=15",
                    "--set", "4x:257=-1999", "--set", "1x:5=1", "--set", "0x:2=1"});
    ASSERT_TRUE(sim.started());
    const auto result = runProgram(TQ5800_PROBE_PATH, {"--device", sim.devicePath(), "--cycles", "2"});
    EXPECT_EQ(result.exitCode, 0) << result.output;

    const QStringList lines = QString::fromStdString(result.output).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    const QJsonObject json = lastObject(result.output);
    EXPECT_EQ(json[QStringLiteral("cycle")].toInt(), 2);
    const QJsonArray input = json[QStringLiteral("inputValues")].toArray();
    ASSERT_EQ(input.size(), 8);
    EXPECT_EQ(input[0].toDouble(), 523);
    EXPECT_EQ(input[1].toDouble(), 45.6);
    const QJsonArray params = json[QStringLiteral("paramValues")].toArray();
    ASSERT_EQ(params.size(), 37);
    EXPECT_EQ(params[5].toDouble(), 1.5);  // parameter 6, in tenths
    EXPECT_EQ(json[QStringLiteral("alarmRegs")].toArray()[0].toInt(), -1999);
    EXPECT_EQ(json[QStringLiteral("inputBits")].toArray()[4].toInt(), 1);
    EXPECT_EQ(json[QStringLiteral("coilBits")].toArray()[1].toInt(), 1);
    EXPECT_EQ(json[QStringLiteral("holdingValues")].toArray().size(), 8);
    EXPECT_EQ(json[QStringLiteral("alarmRegs")].toArray().size(), 16);
    EXPECT_EQ(json[QStringLiteral("coilBits")].toArray().size(), 16);
    const QJsonObject link = json[QStringLiteral("link")].toObject();
    EXPECT_EQ(link[QStringLiteral("state")].toString(), QStringLiteral("answering"));
    EXPECT_EQ(link[QStringLiteral("failedCalls")].toInt(), 0);
}

TEST(Probe, failsClearlyAndQuicklyWhenNothingAnswers)
{
    const auto result = runProgram(TQ5800_PROBE_PATH, {"--device", "/nonexistent/tty-for-probe"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_LT(result.seconds, 2.0);
    const QJsonObject link = lastObject(result.output)[QStringLiteral("link")].toObject();
    EXPECT_EQ(link[QStringLiteral("state")].toString(), QStringLiteral("silent"));
    EXPECT_EQ(link[QStringLiteral("failedCalls")].toInt(), 8);
    EXPECT_TRUE(link[QStringLiteral("lastError")].toString().contains(QStringLiteral("/nonexistent/tty-for-probe")));
}

TEST(Probe, rejectsBadOptionsWithUsageExitCode)
{
    EXPECT_EQ(runProgram(TQ5800_PROBE_PATH, {}).exitCode, 2);
    EXPECT_EQ(runProgram(TQ5800_PROBE_PATH, {"--device", "/dev/null", "--baud", "1200"}).exitCode, 2);
    EXPECT_EQ(runProgram(TQ5800_PROBE_PATH, {"--device", "/dev/null", "--parity", "mark"}).exitCode, 2);
}

TEST(Probe, stoppedBeforeACycleEndsIsNotASuccess)
{
    // A silent instrument holds the first cycle for eight response time-outs.
    SimProcess sim({"--fault", "silent"});
    ASSERT_TRUE(sim.started());
    QProcess probe;
    probe.start(QStringLiteral(TQ5800_PROBE_PATH),
                {QStringLiteral("--device"), QString::fromStdString(sim.devicePath())});
    ASSERT_TRUE(probe.waitForStarted());
    QThread::msleep(500);
    probe.terminate();
    ASSERT_TRUE(probe.waitForFinished(10000));
    EXPECT_EQ(probe.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(probe.exitCode(), 1) << probe.readAllStandardError().toStdString();
    EXPECT_TRUE(probe.readAllStandardOutput().isEmpty());
}

} // namespace
