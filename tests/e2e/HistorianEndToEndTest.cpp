#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "ForwardedRows.h"
#include "support/HistoryFiles.h"
#include "support/PostgresServer.h"
#include "support/SimProcess.h"
#include "support/WaitFor.h"

namespace {

// tq5800-station as a program, offscreen, on a history folder of its own,
// the link open at start to the simulator as port 1 at the module address,
// forwarding to the server under the station's name. Its output goes to a
// file, shown when a test fails.
class StationProgram {
public:
    StationProgram(const SimProcess& sim, const QString& connection, const QString& name, int address)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.setStandardOutputFile(dir_.filePath(QStringLiteral("station.log")));
        process_.start(QStringLiteral(TQ5800_STATION_PATH),
                       {QStringLiteral("--db"), historyPath(), QStringLiteral("--port-device"),
                        QStringLiteral("1=") + QString::fromStdString(sim.devicePath()), QStringLiteral("--connect"),
                        QStringLiteral("--address"), QString::number(address), QStringLiteral("--historian"),
                        connection, QStringLiteral("--historian-init"), QStringLiteral("--station-name"), name});
    }

    ~StationProgram()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }

    bool started() { return process_.waitForStarted(5000); }

    // SIGTERM; true when the station ended by itself with code 0.
    bool end()
    {
        process_.terminate();
        return process_.waitForFinished(30000) && process_.exitStatus() == QProcess::NormalExit
            && process_.exitCode() == 0;
    }

    QString historyPath() const { return dir_.filePath(QStringLiteral("history.sqlite")); }
    QString archiveFolder() const { return dir_.filePath(QStringLiteral("archive")); }
    // Samples recorded so far: the ring's pointer moves on with each.
    int recorded() const { return HistoryFiles::pointer(historyPath()).value_or(0); }
    std::vector<QString> archived() const
    {
        return ForwardedRows::archived(archiveFolder(), QStringLiteral("1"));
    }
    std::vector<QString> journaled() const { return ForwardedRows::journaled(dir_.filePath(QStringLiteral("journal.sqlite"))); }
    QStringList journaledKinds() const { return ForwardedRows::kinds(journaled()); }

    std::string log() const
    {
        QFile file(dir_.filePath(QStringLiteral("station.log")));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    }

private:
    QTemporaryDir dir_;
    QProcess process_;
};

// tq5800-export's CSV of the period's samples, in UTC; empty when it failed.
QByteArray exportedCsv(const QStringList& source, const QString& from, const QString& to, const QString& path)
{
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TZ"), QStringLiteral("UTC"));
    tool.setProcessEnvironment(env);
    tool.start(QStringLiteral(TQ5800_EXPORT_TOOL_PATH),
               source + QStringList{QStringLiteral("--from"), from, QStringLiteral("--to"), to, QStringLiteral("--csv"),
                                    path});
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0)
        return {};
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString utcText(const QString& archivedRow, qint64 addMs = 0)
{
    return QDateTime::fromMSecsSinceEpoch(archivedRow.section(QLatin1Char('|'), 0, 0).toLongLong() + addMs, Qt::UTC)
        .toString(Qt::ISODateWithMs);
}

// The simulated plant heats ten times faster than real time, so the
// samples differ from second to second.
std::vector<std::string> plantAt(int address)
{
    return {"--speed", "10", "--address", std::to_string(address)};
}

class HistorianEndToEnd : public PostgresFixture {};

TEST_F(HistorianEndToEnd, halfAMinuteWithoutTheServerLeavesItHoldingEveryArchivedSampleAndJournaledEventOnce)
{
    SimProcess sim(plantAt(1));
    ASSERT_TRUE(sim.started());
    StationProgram station(sim, connection(), QStringLiteral("line-a"), 1);
    ASSERT_TRUE(station.started());
    const auto forwarded = [&] { return ForwardedRows::onServer(connection(), QStringLiteral("line-a")).size(); };

    // Two archive batches forwarded: about twenty seconds of recording.
    ASSERT_TRUE(waitForQueried([&] { return forwarded() >= 20; }, 60000)) << station.log();

    const QDateTime stoppedAt = QDateTime::currentDateTimeUtc();
    ASSERT_TRUE(server().stop());
    const int recordedAtStop = station.recorded();
    ASSERT_TRUE(waitForQueried([&] { return station.journaledKinds().contains(QStringLiteral("historian.failing")); },
                               30000)) << station.log();
    ASSERT_TRUE(waitForQueried([&] { return station.recorded() >= recordedAtStop + 30; }, 60000));
    const QDateTime restartedAt = QDateTime::currentDateTimeUtc();
    ASSERT_TRUE(server().start()) << server().failure().toStdString();

    // The retry after the outage; then twenty more seconds of recording.
    ASSERT_TRUE(waitForQueried([&] { return station.journaledKinds().contains(QStringLiteral("historian.resumed")); },
                               70000)) << station.log();
    const int recordedAtResume = station.recorded();
    ASSERT_TRUE(waitForQueried([&] { return station.recorded() >= recordedAtResume + 20; }, 60000));
    ASSERT_TRUE(station.end()) << station.log();

    // The station's files against the server, row by row: nothing missing,
    // nothing twice, nothing changed on the way, nothing under another name.
    const std::vector<QString> archived = station.archived();
    EXPECT_GE(archived.size(), 60U);
    EXPECT_EQ(ForwardedRows::onServer(connection(), QStringLiteral("line-a")), archived);
    const std::vector<QString> journaled = station.journaled();
    EXPECT_EQ(ForwardedRows::eventsOnServer(connection(), QStringLiteral("line-a")), journaled);
    EXPECT_EQ(ServerRows::column(connection(), QStringLiteral("select station from samples union select station "
                                                              "from events union select name from stations")),
              std::vector<QString>{QStringLiteral("line-a")});

    // One episode for the outage, reported within it; the exit forwarded too.
    const QStringList kinds = ForwardedRows::kinds(journaled);
    ASSERT_EQ(kinds.count(QStringLiteral("historian.failing")), 1) << kinds.join(QLatin1Char(' ')).toStdString();
    ASSERT_EQ(kinds.count(QStringLiteral("historian.resumed")), 1) << kinds.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(kinds.last(), QStringLiteral("station.exited"));
    const auto timeOf = [&](const QString& kind) {
        return journaled[size_t(kinds.indexOf(kind))].section(QLatin1Char('|'), 1, 1).toLongLong();
    };
    EXPECT_GE(timeOf(QStringLiteral("historian.failing")), stoppedAt.toMSecsSinceEpoch());
    EXPECT_LT(timeOf(QStringLiteral("historian.failing")), restartedAt.toMSecsSinceEpoch());
    EXPECT_GE(timeOf(QStringLiteral("historian.resumed")), restartedAt.toMSecsSinceEpoch());
}

TEST_F(HistorianEndToEnd, twoStationsForwardingAtOnceFindOnlyTheirOwnRowsUnderTheirNameAndAddress)
{
    SimProcess simA(plantAt(1));
    SimProcess simB(plantAt(2));
    ASSERT_TRUE(simA.started());
    ASSERT_TRUE(simB.started());
    StationProgram a(simA, connection(), QStringLiteral("line-a"), 1);
    StationProgram b(simB, connection(), QStringLiteral("line-b"), 2);
    ASSERT_TRUE(a.started());
    ASSERT_TRUE(b.started());

    // Both initialise the schema and forward two archive batches.
    ASSERT_TRUE(waitForQueried([&] {
        return ForwardedRows::onServer(connection(), QStringLiteral("line-a")).size() >= 20
            && ForwardedRows::onServer(connection(), QStringLiteral("line-b")).size() >= 20;
    }, 60000)) << a.log() << b.log();
    ASSERT_TRUE(a.end()) << a.log();
    ASSERT_TRUE(b.end()) << b.log();

    const std::vector<QString> archivedA = a.archived();
    const std::vector<QString> archivedB = b.archived();
    EXPECT_EQ(ForwardedRows::onServer(connection(), QStringLiteral("line-a"), 1), archivedA);
    EXPECT_EQ(ForwardedRows::onServer(connection(), QStringLiteral("line-b"), 2), archivedB);
    EXPECT_EQ(ForwardedRows::onServer(connection(), QStringLiteral("line-a")).size(), archivedA.size());
    EXPECT_EQ(ForwardedRows::onServer(connection(), QStringLiteral("line-b")).size(), archivedB.size());
    EXPECT_EQ(ForwardedRows::eventsOnServer(connection(), QStringLiteral("line-a")), a.journaled());
    EXPECT_EQ(ForwardedRows::eventsOnServer(connection(), QStringLiteral("line-b")), b.journaled());
    // The export of one station's instrument from the server is the export
    // of that station's own files, byte for byte.
    ASSERT_FALSE(archivedA.empty());
    const QString from = utcText(archivedA.front());
    const QString to = utcText(archivedA.back(), 1000);
    QTemporaryDir out;
    const QByteArray fromServer =
        exportedCsv({QStringLiteral("--historian"), connection(), QStringLiteral("--station"), QStringLiteral("line-a")},
                    from, to, out.filePath(QStringLiteral("server.csv")));
    const QByteArray fromFiles = exportedCsv(
        {QStringLiteral("--db"), a.historyPath(), QStringLiteral("--archive"), a.archiveFolder()}, from, to,
        out.filePath(QStringLiteral("local.csv")));
    EXPECT_FALSE(fromServer.isEmpty());
    EXPECT_EQ(fromServer, fromFiles);
    // Neither had to retry: two stations initialising at once do not trip over each other.
    EXPECT_FALSE(a.journaledKinds().contains(QStringLiteral("historian.failing"))) << a.log();
    EXPECT_FALSE(b.journaledKinds().contains(QStringLiteral("historian.failing"))) << b.log();
}


// A server that freezes (SIGSTOP) under a forwarding station: reported
// within seconds of the first statement it leaves unanswered (the next pass
// starts within five seconds), with its cause. Frozen again under the last
// pass or a statement, it holds the station's exit no more than a few
// seconds, and what the forwarder meets then is not journaled after the
// exit.
TEST_F(HistorianEndToEnd, aFrozenServerIsReportedSoonAndHoldsNeitherTheExitNorAnEventAfterIt)
{
    SimProcess sim(plantAt(1));
    ASSERT_TRUE(sim.started());
    StationProgram station(sim, connection(), QStringLiteral("line-a"), 1);
    ASSERT_TRUE(station.started());
    ASSERT_TRUE(waitForQueried(
        [&] { return ForwardedRows::onServer(connection(), QStringLiteral("line-a")).size() >= 10; }, 60000))
        << station.log();

    ASSERT_TRUE(server().freeze(true));
    QElapsedTimer frozen;
    frozen.start();
    const bool reported = waitForQueried(
        [&] { return station.journaledKinds().contains(QStringLiteral("historian.failing")); }, 60000);
    const qint64 reportedAfterMs = frozen.elapsed();
    ASSERT_TRUE(server().freeze(false));
    RecordProperty("reported_after_ms", int(reportedAfterMs));
    ASSERT_TRUE(reported) << station.log();
    EXPECT_LT(reportedAfterMs, 20000) << station.log();
    ASSERT_TRUE(waitForQueried(
        [&] { return station.journaledKinds().contains(QStringLiteral("historian.resumed")); }, 90000))
        << station.log();

    ASSERT_TRUE(server().freeze(true));
    runEventLoopFor(1000);
    QElapsedTimer ending;
    ending.start();
    const bool ended = station.end();
    const qint64 endedAfterMs = ending.elapsed();
    ASSERT_TRUE(server().freeze(false));
    RecordProperty("ended_after_ms", int(endedAfterMs));
    ASSERT_TRUE(ended) << station.log();
    EXPECT_LT(endedAfterMs, 8000) << station.log();

    const std::vector<QString> journaled = station.journaled();
    const QStringList kinds = ForwardedRows::kinds(journaled);
    EXPECT_EQ(kinds.filter(QRegularExpression(QStringLiteral("^(station|historian)\\."))),
              (QStringList{QStringLiteral("station.started"), QStringLiteral("historian.failing"),
                           QStringLiteral("historian.resumed"), QStringLiteral("station.exited")}))
        << station.log();
    const qsizetype failing = kinds.indexOf(QStringLiteral("historian.failing"));
    ASSERT_GE(failing, 0);
    EXPECT_EQ(journaled[size_t(failing)].section(QLatin1Char('|'), 5, 5), QStringLiteral("no-answer"));
}

} // namespace
