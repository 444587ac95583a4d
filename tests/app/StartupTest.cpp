#include <memory>

#include <QComboBox>
#include <QDateTimeEdit>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "support/FakeClock.h"
#include "support/OwnerFileAccess.h"
#include "support/StateFeed.h"
#include "support/FakeFieldbus.h"
#include "support/ForwardingFieldbus.h"
#include "app/Station.h"
#include "core/StationLock.h"
#include "exportwindow/ExportWindow.h"
#include "mainwindow/ChartPanel.h"
#include "mainwindow/ExitQuestion.h"
#include "support/PeriodFiles.h"
#include "widgets/ElidedLabel.h"
#include "support/WaitFor.h"
#include "journal/JournalReader.h"
#include "journal/JournalStore.h"
#include "journal/ShownEvent.h"
#include "journalwindow/JournalModel.h"
#include "journalwindow/JournalWindow.h"
#include "mainwindow/LinkSettingsBar.h"
#include "mainwindow/MainWindow.h"
#include "widgets/StatusIndicator.h"

namespace {

class Startup : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        options.databasePath = dir.filePath(QStringLiteral("history.sqlite"));
        // Devices of the test's own: the station locks the device of the
        // port it opens, and another test run must not meet that lock.
        options.portDevices.setDevice(1, devicePath(1).toStdString());
        options.portDevices.setDevice(2, devicePath(2).toStdString());
    }

    QString devicePath(int port) const { return dir.filePath(QStringLiteral("tty%1").arg(port)); }

    void makeStation()
    {
        station = std::make_unique<Station>(options, std::make_unique<ForwardingFieldbus>(bus), clock);
    }

    // The splash's real wait, about one and a half seconds.
    void handOver()
    {
        QSignalSpy started(station.get(), &Station::started);
        station->start();
        ASSERT_TRUE(started.wait(5000));
    }

    // The station.exited events of the station's journal (beside its history file).
    std::vector<JournalEvent> journaledExits() const
    {
        JournalReader reader(dir.filePath(QStringLiteral("journal.sqlite")), QStringLiteral("startup-exits"));
        if (!reader.open())
            return {};
        JournalFilter exited;
        exited.kinds = {JournalEvent::Kind::StationExited};
        return reader.page(exited, 10);
    }

    QTemporaryDir dir;
    StationOptions options;
    FakeFieldbus bus;
    FakeClock clock;
    std::unique_ptr<Station> station;
};

TEST_F(Startup, splashShowsItsMessageWhileTheMainWindowWaits)
{
    makeStation();
    station->start();
    EXPECT_EQ(station->splash().message(), QStringLiteral("系统正在初始化数据引擎，请稍后。。。。。。"));
    EXPECT_TRUE(station->splash().isVisible());
    EXPECT_FALSE(station->mainWindow()->isVisible());
    EXPECT_FALSE(station->hasStarted());
    EXPECT_FALSE(station->core().recorder().running());
}

TEST_F(Startup, splashHandsOverAfterSevenWaitStepsAndThePauseNotSooner)
{
    makeStation();
    QElapsedTimer elapsed;
    elapsed.start();
    handOver();
    // Seven 200 ms steps and the 100 ms pause; six steps and the pause would
    // end by 1365 ms even with every timer 5 % early.
    EXPECT_GE(elapsed.elapsed(), 1400);
    EXPECT_FALSE(station->splash().isVisible());
    EXPECT_TRUE(station->mainWindow()->isVisible());
    EXPECT_TRUE(station->hasStarted());
}

TEST_F(Startup, keysOnTheSplashDoNotShortenTheWait)
{
    makeStation();
    QSignalSpy started(station.get(), &Station::started);
    QElapsedTimer elapsed;
    elapsed.start();
    station->start();
    QTest::keyClick(&station->splash(), Qt::Key_Escape);
    QTest::keyClick(&station->splash(), Qt::Key_Return);
    EXPECT_TRUE(station->splash().isVisible());
    EXPECT_FALSE(station->mainWindow()->isVisible());
    ASSERT_TRUE(started.wait(5000));
    EXPECT_GE(elapsed.elapsed(), 1400);
}

TEST_F(Startup, mainWindowIsShownBeforeTheRecorderStarts)
{
    // A database that cannot be opened makes the recorder report as it
    // starts, which lets the test look at the main window at that moment.
    QFile blocker(dir.filePath(QStringLiteral("not-a-folder")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    options.databasePath = dir.filePath(QStringLiteral("not-a-folder/history.sqlite"));
    makeStation();
    bool windowShownAtRecorderStart = false;
    QObject::connect(&station->core().recorder(), &SampleRecorder::healthChanged, [&] {
        windowShownAtRecorderStart = station->mainWindow()->isVisible();
    });
    handOver();
    EXPECT_TRUE(windowShownAtRecorderStart);
    EXPECT_TRUE(station->core().recorder().running());
    EXPECT_FALSE(station->core().poller().running());  // the poll waits for the operator
    EXPECT_TRUE(bus.calls().empty());
}

TEST_F(Startup, connectOptionOpensTheLinkWithTheChosenSettings)
{
    options.connect = true;
    options.link = LinkChoices{QStringLiteral("2 "), 2, 1, QStringLiteral("5 ")};
    makeStation();
    handOver();
    EXPECT_TRUE(station->core().poller().running());
    ASSERT_TRUE(waitFor([&] { return !bus.calls().empty(); }));
    EXPECT_EQ(bus.calls().front(), (FakeFieldbus::Call{"open", {2, 2, 1, 5}}));
}

TEST_F(Startup, shutdownClosesThePortAndFinishesOnce)
{
    options.connect = true;
    makeStation();
    handOver();
    QSignalSpy finished(station.get(), &Station::finished);
    station->shutdown();
    station->shutdown();
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(station->core().poller().running());
    EXPECT_FALSE(station->core().recorder().running());
    station.reset();
    EXPECT_EQ(bus.callNames().back(), "close");
}

TEST_F(Startup, theMainWindowsExitAsksAndOnlyTheConfirmedOneEndsTheStationAndIsJournaledWithItsUser)
{
    makeStation();
    handOver();
    MainWindow& window = *station->mainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QSignalSpy finished(station.get(), &Station::finished);

    QTest::keyClick(&window, Qt::Key_Escape);
    ASSERT_NE(window.exitQuestion(), nullptr);
    QTest::mouseClick(window.exitQuestion()->cancelButton(), Qt::LeftButton);
    EXPECT_EQ(finished.count(), 0);
    EXPECT_TRUE(station->core().recorder().running());
    EXPECT_TRUE(journaledExits().empty());

    ASSERT_TRUE(waitFor([&] { return window.exitQuestion() == nullptr; }));
    QTest::mouseClick(window.exitButton(), Qt::LeftButton);
    ASSERT_NE(window.exitQuestion(), nullptr);
    QTest::mouseClick(window.exitQuestion()->exitButton(), Qt::LeftButton);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(station->core().recorder().running());
    const std::vector<JournalEvent> exits = journaledExits();
    ASSERT_EQ(exits.size(), 1u);
    EXPECT_EQ(exits[0].origin, WriteOrigin::kMainWindow);
    EXPECT_EQ(exits[0].user, JournalIdentity::user());
}

TEST_F(Startup, theStartJournalsALastRunThatEndedUnjournaledAndTheMonthFilesTheRetentionRemoves)
{
    // A run killed after its last event: no station.exited follows its start.
    const QString journalPath = dir.filePath(QStringLiteral("journal.sqlite"));
    const QDateTime lastEvent = clock.now().addSecs(-3600);
    {
        JournalStore killed(journalPath, clock, {}, QStringLiteral("startup-killed"));
        killed.open();
        for (const auto& [kind, time] : {std::pair{JournalEvent::Kind::StationStarted, lastEvent.addSecs(-60)},
                                         std::pair{JournalEvent::Kind::LinkOpened, lastEvent}}) {
            JournalEvent event;
            event.kind = kind;
            event.time = time;
            killed.append(event);
        }
    }
    const QDir archive(dir.filePath(QStringLiteral("archive")));
    ASSERT_TRUE(archive.mkpath(QStringLiteral(".")));
    for (const QString& month : {QStringLiteral("2000-12.sqlite"), QStringLiteral("2001-01.sqlite")})
        QFile(archive.filePath(month)).open(QIODevice::WriteOnly);
    options.archiveMonths = 1;

    makeStation();
    handOver();
    station->shutdown();
    station.reset();

    JournalReader reader(journalPath, QStringLiteral("startup-interrupted"));
    ASSERT_TRUE(reader.open());
    std::vector<JournalEvent> events = reader.newer(JournalFilter{}, 0, 20);
    QStringList kinds;
    for (const JournalEvent& event : events)
        kinds << JournalKinds::code(event.kind);
    EXPECT_EQ(kinds, (QStringList{QStringLiteral("station.started"), QStringLiteral("link.opened"),
                                  QStringLiteral("station.interrupted"), QStringLiteral("station.started"),
                                  QStringLiteral("archive.removed"), QStringLiteral("archive.removed"),
                                  QStringLiteral("station.exited")}));
    ASSERT_EQ(events.size(), 7u);
    EXPECT_EQ(events[2].time, clock.now());
    EXPECT_EQ(shownEvent(events[2]).text,
              QStringLiteral("上次运行没有记录退出（被强行结束或断电）；它的最后一条事件在 %1")
                  .arg(lastEvent.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))));
    EXPECT_EQ(events[4].what, QStringLiteral("2000-12.sqlite"));
    EXPECT_EQ(events[5].what, QStringLiteral("2001-01.sqlite"));
    EXPECT_EQ(shownEvent(events[5]).text, QStringLiteral("保留期限 1 个月：已删除月文件 2001-01.sqlite"));
    EXPECT_FALSE(QFile::exists(archive.filePath(QStringLiteral("2001-01.sqlite"))));

    // This run ended properly: the next start finds nothing to journal.
    makeStation();
    handOver();
    JournalFilter interrupted;
    interrupted.kinds = {JournalEvent::Kind::StationInterrupted};
    EXPECT_EQ(reader.count(interrupted), 1);
}

TEST_F(Startup, aSecondStationOnTheSameHistoryFileRefusesToStartAndNamesTheFirst)
{
    makeStation();
    QSignalSpy started(station.get(), &Station::started);
    ASSERT_TRUE(station->start());

    StationOptions sameFile = options;
    sameFile.databasePath = dir.filePath(QStringLiteral("./history.sqlite"));  // another spelling
    Station second(sameFile, std::make_unique<ForwardingFieldbus>(bus), clock);
    QSignalSpy finished(&second, &Station::finished);
    EXPECT_FALSE(second.start());

    const QString pid = QString::number(QCoreApplication::applicationPid());
    EXPECT_TRUE(second.refusal().contains(options.databasePath)) << second.refusal().toStdString();
    EXPECT_TRUE(second.refusal().contains(QStringLiteral("process ") + pid));
    EXPECT_TRUE(second.splash().isVisible());
    EXPECT_TRUE(second.splash().message().startsWith(QStringLiteral("历史数据库 %1 已被占用：进程 %2（%3），主机 ")
                                                         .arg(options.databasePath, pid,
                                                              QCoreApplication::applicationName())))
        << second.splash().message().toStdString();
    // It ends by itself without having recorded or polled anything.
    ASSERT_TRUE(finished.wait(Station::kRefusalShownMs + 10000));
    EXPECT_FALSE(second.hasStarted());
    EXPECT_FALSE(second.core().recorder().running());
    EXPECT_FALSE(second.mainWindow()->isVisible());

    // The first one starts as ever; once it is gone the file is free.
    ASSERT_TRUE(started.count() == 1 || started.wait(5000));
    station.reset();
    Station third(sameFile, std::make_unique<ForwardingFieldbus>(bus), clock);
    EXPECT_TRUE(third.start());
}

TEST_F(Startup, aSecondStationOnTheSameJournalOrArchiveFolderRefusesToStartAndNamesTheFirst)
{
    options.journalPath = dir.filePath(QStringLiteral("shared/journal.sqlite"));
    options.archivePath = dir.filePath(QStringLiteral("shared/archive"));
    makeStation();
    ASSERT_TRUE(station->start());
    const QString holder = QStringLiteral("process %1").arg(QCoreApplication::applicationPid());

    struct Case {
        const char* shares;
        QString journal;
        QString archive;
        QString refusal;  // begins so
        QString shown;    // on the splash, begins so
    };
    const Case cases[] = {
        {"the journal", options.journalPath, dir.filePath(QStringLiteral("own/archive")),
         QStringLiteral("the journal %1 is in use by ").arg(options.journalPath),
         QStringLiteral("事件记录文件 %1 已被占用：进程 ").arg(options.journalPath)},
        {"the archive folder", dir.filePath(QStringLiteral("own/journal.sqlite")), options.archivePath,
         QStringLiteral("the archive folder %1 is in use by ").arg(options.archivePath),
         QStringLiteral("归档文件夹 %1 已被占用：进程 ").arg(options.archivePath)},
    };
    for (const Case& c : cases) {
        StationOptions second = options;
        second.databasePath = dir.filePath(QStringLiteral("own/history.sqlite"));
        second.journalPath = c.journal;
        second.archivePath = c.archive;
        Station other(second, std::make_unique<ForwardingFieldbus>(bus), clock);
        EXPECT_FALSE(other.start()) << c.shares;
        EXPECT_TRUE(other.refusal().startsWith(c.refusal + holder)) << other.refusal().toStdString();
        EXPECT_TRUE(other.splash().message().startsWith(c.shown)) << other.splash().message().toStdString();
        // What it had taken is let go again: its own history file is free.
        StationLock own(StationLock::pathBeside(second.databasePath));
        EXPECT_EQ(own.take(), StationLock::Outcome::Taken) << c.shares;
    }
}

TEST_F(Startup, aHistoryFolderWritableOnlyLaterIsLockedWhenTheRecorderFirstWritesAndKeepsASecondStationOff)
{
    const QString folder = dir.filePath(QStringLiteral("later"));
    ASSERT_TRUE(QDir().mkpath(folder));
    options.databasePath = folder + QStringLiteral("/history.sqlite");
    options.journalLimits.retryMs = 20;
    const QString historyLock = StationLock::pathBeside(options.databasePath);
    const QString journalLock = StationLock::pathBeside(folder + QStringLiteral("/journal.sqlite"));
    constexpr auto kReadable = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup;
    ASSERT_TRUE(QFile::setPermissions(folder, kReadable));
    OwnerFileAccess asOwner;  // the modes bind even when the tests run as root
    makeStation();
    handOver();
    SampleRecorder& recorder = station->core().recorder();
    StatusIndicator& light = *station->mainWindow()->recorderIndicator();
    EXPECT_EQ(recorder.health().state(), RecorderHealth::State::Failing);
    EXPECT_EQ(light.text(), QStringLiteral("● 记录失败（文件未锁定）：无权写入文件夹 %1（14:05:07 起）").arg(folder));
    EXPECT_FALSE(QFile::exists(historyLock));

    ASSERT_TRUE(QFile::setPermissions(folder, kReadable | QFile::WriteOwner));
    for (int second = 0; second <= SampleRecorder::kRecheckSeconds && !recorder.databaseOpen(); ++second) {
        clock.advanceMs(1000);
        recorder.tick();
    }
    ASSERT_TRUE(recorder.databaseOpen()) << recorder.health().reason().toStdString();
    EXPECT_TRUE(QFile::exists(historyLock));
    StateFeed::measuredAgain(station->core().state(), clock.now().addSecs(1));
    clock.advanceMs(1000);
    recorder.tick();
    EXPECT_EQ(light.text(), QStringLiteral("● 记录正常"));
    // The journal, in the same folder, takes its lock at its next try.
    ASSERT_TRUE(waitFor([&] { return station->core().journal().writing(); }));
    EXPECT_TRUE(QFile::exists(journalLock));

    StationOptions second = options;
    second.journalPath = dir.filePath(QStringLiteral("other/journal.sqlite"));
    second.archivePath = dir.filePath(QStringLiteral("other/archive"));
    Station other(second, std::make_unique<ForwardingFieldbus>(bus), clock);
    EXPECT_FALSE(other.start());
    EXPECT_TRUE(other.refusal().startsWith(QStringLiteral("the history file %1 is in use by process %2")
                                               .arg(options.databasePath)
                                               .arg(QCoreApplication::applicationPid())))
        << other.refusal().toStdString();
}

TEST_F(Startup, connectingToADeviceAnotherStationHoldsRefusesTheStart)
{
    StationLock other(StationLock::pathForDevice(devicePath(2)));
    ASSERT_EQ(other.take(), StationLock::Outcome::Taken);
    options.connect = true;
    options.link.portText = QStringLiteral("2 ");
    makeStation();
    EXPECT_FALSE(station->start());
    EXPECT_TRUE(station->refusal().contains(QStringLiteral("port 2 (%1)").arg(devicePath(2))))
        << station->refusal().toStdString();
    EXPECT_TRUE(station->splash().message().startsWith(QStringLiteral("端口 2（%1）已被占用：").arg(devicePath(2))));
    // The history file is not kept while the refusal shows.
    StationLock history(StationLock::pathBeside(options.databasePath));
    EXPECT_EQ(history.take(), StationLock::Outcome::Taken);
}

TEST_F(Startup, openingAPortAnotherStationHoldsIsRefusedInTheStatusBarAndTheLinkStaysClosed)
{
    makeStation();
    handOver();
    MainWindow& window = *station->mainWindow();
    LinkSettingsBar& bar = *window.settings();
    StationLock other(StationLock::pathForDevice(devicePath(2)));
    ASSERT_EQ(other.take(), StationLock::Outcome::Taken);

    bar.portList()->lineEdit()->selectAll();
    QTest::keyClicks(bar.portList()->lineEdit(), QStringLiteral("2 "));
    QTest::mouseClick(bar.openButton(), Qt::LeftButton);
    EXPECT_TRUE(window.statusBar()->currentMessage().startsWith(
        QStringLiteral("端口 2（%1）已被占用：进程 %2（%3），主机 ")
            .arg(devicePath(2))
            .arg(QCoreApplication::applicationPid())
            .arg(QCoreApplication::applicationName())))
        << window.statusBar()->currentMessage().toStdString();
    EXPECT_FALSE(station->core().connection().isOpen());
    EXPECT_FALSE(bar.portGroup()->isHidden());
    EXPECT_FALSE(window.configurationButton()->isEnabled());

    // Port 1 is free: the station holds its device while the link is open
    // and lets it go when the operator closes the link.
    bar.portList()->lineEdit()->selectAll();
    QTest::keyClicks(bar.portList()->lineEdit(), QStringLiteral("1 "));
    QTest::mouseClick(bar.openButton(), Qt::LeftButton);
    ASSERT_TRUE(station->core().connection().isOpen());
    StationLock portOne(StationLock::pathForDevice(devicePath(1)));
    EXPECT_EQ(portOne.take(), StationLock::Outcome::Held);
    QTest::mouseClick(bar.closeButton(), Qt::LeftButton);
    EXPECT_EQ(portOne.take(), StationLock::Outcome::Taken);

    // Nothing reached the fieldbus for port 2.
    for (const FakeFieldbus::Call& call : bus.calls()) {
        if (call.name == "open") {
            EXPECT_EQ(call.args.front(), 1);
        }
    }
}

TEST_F(Startup, journalButtonAndF8ShowOneJournalWindowBesideTheRunningMainWindow)
{
    makeStation();
    handOver();
    MainWindow& window = *station->mainWindow();
    EXPECT_TRUE(window.journalButton()->isEnabled());  // also with the link closed
    QTest::mouseClick(window.journalButton(), Qt::LeftButton);
    JournalWindow* journal = station->journalWindow();
    ASSERT_NE(journal, nullptr);
    EXPECT_TRUE(journal->isVisible());
    EXPECT_EQ(journal->windowTitle(), QStringLiteral("事件记录"));
    // The file the station writes, with the station's start in it.
    EXPECT_EQ(journal->model()->reader().path(), dir.filePath(QStringLiteral("journal.sqlite")));
    ASSERT_GE(journal->model()->rowCount(), 1);
    EXPECT_EQ(journal->model()->event(journal->model()->rowCount() - 1).kind, JournalEvent::Kind::StationStarted);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(station->core().recorder().running());

    window.activateWindow();
    QTest::keyClick(&window, Qt::Key_F8);
    EXPECT_EQ(station->journalWindow(), journal);  // the open one, not a second
    EXPECT_TRUE(journal->isVisible());

    journal->close();
    ASSERT_TRUE(waitFor([&] { return station->journalWindow() == nullptr; }));
    QTest::keyClick(&window, Qt::Key_F8);
    ASSERT_NE(station->journalWindow(), nullptr);
    station->shutdown();
    EXPECT_FALSE(station->journalWindow() && station->journalWindow()->isVisible());
}

TEST_F(Startup, exportButtonAndF9ShowOneExportDialogAtTheChartsPeriodAndItsOutcomeReachesTheStatusBar)
{
    // Ten minutes recorded up to the station's clock: the chart shows them.
    ASSERT_TRUE(PeriodFiles::writeRing(options.databasePath, clock.now().addSecs(-600), 600, 1));
    makeStation();
    handOver();
    MainWindow& window = *station->mainWindow();
    const std::optional<ShownPeriod> shown = window.chartPanel()->shownPeriod();
    ASSERT_TRUE(shown);
    EXPECT_TRUE(window.exportButton()->isEnabled());  // also with the link closed
    QTest::mouseClick(window.exportButton(), Qt::LeftButton);
    ExportWindow* dialog = station->exportWindow();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("导出记录"));
    EXPECT_EQ(dialog->fromField()->dateTime(), shown->from);
    EXPECT_EQ(dialog->toField()->dateTime(), shown->to);
    EXPECT_EQ(dialog->instrumentField()->text(), QStringLiteral("仪表 1 · %1").arg(devicePath(1)));

    window.activateWindow();
    QTest::keyClick(&window, Qt::Key_F9);
    EXPECT_EQ(station->exportWindow(), dialog);  // the open one, not a second

    QSignalSpy finished(dialog, &ExportWindow::finished);
    dialog->setPath(dir.filePath(QStringLiteral("period.csv")));
    dialog->startButton()->click();
    ASSERT_TRUE(finished.wait(30000));
    EXPECT_TRUE(finished.first().first().toBool()) << dialog->statusLine()->text().toStdString();
    EXPECT_EQ(window.statusBar()->currentMessage(), dialog->statusLine()->text());
    station->shutdown();
    EXPECT_FALSE(station->exportWindow() && station->exportWindow()->isVisible());
}

TEST(StationFont, aSimplifiedChineseFontIsInstalled)
{
    EXPECT_FALSE(QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty());
}

} // namespace
