#include <csignal>
#include <memory>

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "core/Clock.h"
#include "journal/JournalReader.h"
#include "journal/JournalStore.h"
#include "journal/StoredForms.h"
#include "mainwindow/LivePanel.h"
#include "link/ModbusFieldbus.h"
#include "widgets/PanelField.h"
#include "support/SimProcess.h"
#include "app/Station.h"
#include "support/WaitFor.h"
#include "mainwindow/MainWindow.h"

namespace {

const std::vector<std::string> kInstrument{
    "--frozen", "--set", "3x:1=523", "--set", "3x:2=456", "--set", "3x:3=250"};

// Rows of pv_data as (w_id, w_time, PV, OP, SV), read through a connection
// of the test's own.
struct Row {
    int id;
    double time;
    double pv, op, sv;
};

std::vector<Row> storedRows(const QString& path)
{
    std::vector<Row> rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("e2e-reader"));
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery q(QStringLiteral("select * from pv_data order by w_date, w_time"), db);
            while (q.next())
                rows.push_back({q.value(0).toInt(), q.value(2).toDouble(), q.value(3).toDouble(),
                                q.value(4).toDouble(), q.value(5).toDouble()});
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("e2e-reader"));
    return rows;
}

QString scalar(const QString& path, const QString& sql)
{
    QString value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("e2e-scalar"));
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery q(sql, db);
            if (q.next())
                value = q.value(0).toString();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("e2e-scalar"));
    return value;
}

int instrumentRows(const std::vector<Row>& rows)
{
    return static_cast<int>(std::count_if(rows.begin(), rows.end(), [](const Row& r) { return r.pv == 523; }));
}

// The station program offscreen on the history file at db and the
// simulator's line as port 1, the link opened at start.
void startStationProgram(QProcess& station, const QString& db, const SimProcess& sim)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    station.setProcessEnvironment(env);
    station.start(QStringLiteral(TQ5800_STATION_PATH),
                  {QStringLiteral("--db"), db, QStringLiteral("--port-device"),
                   QStringLiteral("1=") + QString::fromStdString(sim.devicePath()), QStringLiteral("--connect")});
}

TEST(StationEndToEnd, recordsOneSamplePerSecondFromTheInstrumentAndEndsCleanlyOnSigterm)
{
    SimProcess sim(kInstrument);
    ASSERT_TRUE(sim.started());
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("history.sqlite"));

    QProcess station;
    startStationProgram(station, db, sim);
    ASSERT_TRUE(station.waitForStarted(5000));

    ASSERT_TRUE(waitFor([&] { return instrumentRows(storedRows(db)) >= 4; }, 15000))
        << "rows: " << storedRows(db).size();
    station.terminate();  // SIGTERM
    ASSERT_TRUE(station.waitForFinished(5000));
    EXPECT_EQ(station.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(station.exitCode(), 0);

    const auto rows = storedRows(db);
    std::vector<Row> fromInstrument;
    std::copy_if(rows.begin(), rows.end(), std::back_inserter(fromInstrument), [](const Row& r) { return r.pv == 523; });
    ASSERT_GE(fromInstrument.size(), 4u);
    for (size_t i = 0; i < fromInstrument.size(); ++i) {
        EXPECT_FLOAT_EQ(static_cast<float>(fromInstrument[i].op), 45.6f);
        EXPECT_EQ(fromInstrument[i].sv, 250);
        if (i > 0) {
            EXPECT_EQ(fromInstrument[i].id, fromInstrument[i - 1].id + 1);
            EXPECT_NEAR((fromInstrument[i].time - fromInstrument[i - 1].time) * 86400.0, 1.0, 1e-6);
        }
    }
    EXPECT_EQ(scalar(db, QStringLiteral("pragma integrity_check")), QStringLiteral("ok"));
    const QString newest = scalar(db, QStringLiteral("select * from sl_void"));
    EXPECT_EQ(newest.toInt(), rows.back().id);

    // The journal beside the history file names the signal and who sent it.
    JournalReader journal(dir.filePath(QStringLiteral("journal.sqlite")), QStringLiteral("e2e-journal"));
    ASSERT_TRUE(journal.open()) << journal.errorText().toStdString();
    JournalFilter exited;
    exited.kinds = {JournalEvent::Kind::StationExited};
    const std::vector<JournalEvent> exits = journal.page(exited, 10);
    ASSERT_EQ(exits.size(), 1u);
    EXPECT_EQ(exits[0].origin, QStringLiteral("SIGTERM"));
    EXPECT_EQ(exits[0].user, JournalIdentity::user());
    EXPECT_TRUE(exits[0].text.contains(QString::number(QCoreApplication::applicationPid()))) << exits[0].text.toStdString();
}

TEST(StationEndToEnd, aSecondStationAndTheProbeAreRefusedWhileAStationRunsAndNotAfterItIsKilled)
{
    SimProcess sim(kInstrument);
    ASSERT_TRUE(sim.started());
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("history.sqlite"));
    QProcess first;
    startStationProgram(first, db, sim);
    ASSERT_TRUE(first.waitForStarted(5000));
    ASSERT_TRUE(waitFor([&] { return instrumentRows(storedRows(db)) >= 1; }, 15000));
    const std::string holder = "in use by process " + std::to_string(first.processId()) + " (tq5800-station) on host";

    // The probe on the node the station's link points to: the same line.
    QProcess probe;
    probe.setProcessChannelMode(QProcess::MergedChannels);
    probe.start(QStringLiteral(TQ5800_PROBE_PATH),
                {QStringLiteral("--device"), QFileInfo(QString::fromStdString(sim.devicePath())).canonicalFilePath()});
    ASSERT_TRUE(probe.waitForFinished(10000));
    const std::string probeTold = probe.readAll().toStdString();
    EXPECT_EQ(probe.exitCode(), 3) << probeTold;
    EXPECT_NE(probeTold.find(holder), std::string::npos) << probeTold;

    QProcess second;
    second.setProcessChannelMode(QProcess::MergedChannels);
    startStationProgram(second, db, sim);
    ASSERT_TRUE(second.waitForFinished(Station::kRefusalShownMs + 10000));
    EXPECT_EQ(second.exitCode(), 3);
    const std::string told = second.readAll().toStdString();
    EXPECT_NE(told.find("the history file " + db.toStdString() + " is " + holder), std::string::npos) << told;

    // Killed, the first leaves its lock files behind; they block nobody.
    first.kill();
    ASSERT_TRUE(first.waitForFinished(5000));
    const int rowsBefore = instrumentRows(storedRows(db));
    QProcess third;
    startStationProgram(third, db, sim);
    ASSERT_TRUE(waitFor([&] { return instrumentRows(storedRows(db)) > rowsBefore; }, 15000));
    third.terminate();
    ASSERT_TRUE(third.waitForFinished(5000));
    EXPECT_EQ(third.exitCode(), 0);

    // The third found the first's run without its exit; the refused second
    // started nothing and journaled nothing.
    JournalReader journal(dir.filePath(QStringLiteral("journal.sqlite")), QStringLiteral("e2e-killed"));
    ASSERT_TRUE(journal.open()) << journal.errorText().toStdString();
    QStringList runs;
    JournalFilter lifecycle;
    lifecycle.kinds = {JournalEvent::Kind::StationStarted, JournalEvent::Kind::StationExited,
                       JournalEvent::Kind::StationInterrupted};
    const std::vector<JournalEvent> ends = journal.newer(lifecycle, 0, 10);
    for (const JournalEvent& event : ends)
        runs << JournalKinds::code(event.kind);
    EXPECT_EQ(runs, (QStringList{QStringLiteral("station.started"), QStringLiteral("station.interrupted"),
                                 QStringLiteral("station.started"), QStringLiteral("station.exited")}));
    ASSERT_EQ(ends.size(), 4u);
    const std::optional<QDateTime> lastOfKilled = StoredForms::parseMoment(ends[1].oldValue);
    ASSERT_TRUE(lastOfKilled) << ends[1].oldValue.toStdString();
    EXPECT_GE(*lastOfKilled, ends[0].time.addSecs(-1));  // stored to the second
    EXPECT_LE(*lastOfKilled, ends[1].time);
}

TEST(StationEndToEnd, panelShowsWhatTheInstrumentHolds)
{
    SimProcess sim(kInstrument);
    ASSERT_TRUE(sim.started());
    QTemporaryDir dir;
    StationOptions options;
    options.databasePath = dir.filePath(QStringLiteral("history.sqlite"));
    options.portDevices.setDevice(1, sim.devicePath());
    options.connect = true;
    SystemClock clock;
    Station station(options, std::make_unique<ModbusFieldbus>(options.portDevices), clock);
    station.start();

    ASSERT_TRUE(waitFor([&] {
        const MainWindow* window = station.mainWindow();
        return window->isVisible() && window->panel()->liveValueField(0)->text() == QStringLiteral("523");
    }, 10000));
    const LivePanel* panel = station.mainWindow()->panel();
    EXPECT_EQ(panel->liveValueField(1)->text(), QStringLiteral("45.6"));
    EXPECT_EQ(panel->liveValueField(2)->text(), QStringLiteral("250"));
    EXPECT_EQ(station.core().poller().linkHealth().state(), LinkHealth::State::Answering);
    station.shutdown();
}

} // namespace
