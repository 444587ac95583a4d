#include <memory>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "ForwardedRows.h"
#include "app/Station.h"
#include "core/Clock.h"
#include "link/ModbusFieldbus.h"
#include "mainwindow/MainWindow.h"
#include "support/PostgresServer.h"
#include "support/SimProcess.h"
#include "support/WaitFor.h"
#include "widgets/StatusIndicator.h"

namespace {

class HistorianStatusEndToEnd : public PostgresFixture {};

TEST_F(HistorianStatusEndToEnd, serverAbsentAtStartIsShownUntilItComesAndThenWhatWasArchivedMeanwhileIsSent)
{
    SimProcess sim({"--frozen", "--set", "3x:1=523"});
    ASSERT_TRUE(sim.started());
    QTemporaryDir dir;
    StationOptions options;
    options.databasePath = dir.filePath(QStringLiteral("history.sqlite"));
    options.portDevices.setDevice(1, sim.devicePath());
    options.connect = true;
    options.historian = connection();
    options.historianInit = true;
    options.stationName = QStringLiteral("line-a");
    const QString archive = dir.filePath(QStringLiteral("archive"));

    ASSERT_TRUE(server().stop());
    SystemClock clock;
    Station station(options, std::make_unique<ModbusFieldbus>(options.portDevices), clock);
    station.start();
    const MainWindow* window = station.mainWindow();
    const StatusIndicator* field = window->historianIndicator();
    ASSERT_NE(field, nullptr);
    ASSERT_TRUE(waitFor([&] { return window->isVisible() && field->isVisible(); }, 15000));
    EXPECT_TRUE(field->text().contains(QStringLiteral("转发中断"))) << field->text().toStdString();
    EXPECT_EQ(field->line().severity, StatusSeverity::Fault);

    // The station records on: the archive's first batch waits for the server.
    ASSERT_TRUE(waitForQueried([&] { return !ForwardedRows::archived(archive, QStringLiteral("1")).empty(); }, 30000));
    const std::vector<QString> archivedMeanwhile = ForwardedRows::archived(archive, QStringLiteral("1"));
    ASSERT_TRUE(server().start()) << server().failure().toStdString();

    ASSERT_TRUE(waitFor([&] { return field->isHidden(); }, 60000)) << field->text().toStdString();
    const std::vector<QString> forwarded = ForwardedRows::onServer(connection(), QStringLiteral("line-a"));
    ASSERT_GE(forwarded.size(), archivedMeanwhile.size());
    EXPECT_EQ(std::vector<QString>(forwarded.begin(), forwarded.begin() + long(archivedMeanwhile.size())),
              archivedMeanwhile);
    // The episode's end is journaled after the pass that ended it, so the
    // next pass sends it.
    const auto episode = [&] {
        return ForwardedRows::kinds(ForwardedRows::eventsOnServer(connection(), QStringLiteral("line-a")))
            .filter(QStringLiteral("historian."));
    };
    const QStringList failedAndResumed{QStringLiteral("historian.failing"), QStringLiteral("historian.resumed")};
    EXPECT_TRUE(waitForQueried([&] { return episode() == failedAndResumed; }, 20000))
        << episode().join(QLatin1Char(' ')).toStdString();
    station.shutdown();
}

} // namespace
