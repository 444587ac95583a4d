#include <memory>

#include <QFile>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "support/FakeClock.h"
#include "support/FakeFieldbus.h"
#include "support/ForwardingFieldbus.h"
#include "app/Station.h"
#include "support/WaitFor.h"
#include "mainwindow/MainWindow.h"

namespace {

class Startup : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        options.databasePath = dir.filePath(QStringLiteral("history.sqlite"));
    }

    void makeStation()
    {
        station = std::make_unique<Station>(options, std::make_unique<ForwardingFieldbus>(bus), clock);
    }

    // The splash's own timers, ticked by hand: seven counting ticks, then
    // the hand-over tick.
    void handOver()
    {
        SplashScreen& splash = station->splash();
        splash.Timer2.stop();
        for (int i = 0; i < 7; ++i)
            splash.Timer2_Timer();
        splash.Timer1.stop();
        splash.Timer1_Timer();
    }

    QTemporaryDir dir;
    StationOptions options;
    FakeFieldbus bus;
    FakeClock clock;
    std::unique_ptr<Station> station;
};

TEST_F(Startup, splashHandsOverOnTheSeventhTickNotTheSixth)
{
    makeStation();
    station->start();
    SplashScreen& splash = station->splash();
    EXPECT_EQ(splash.Label1->text(), QStringLiteral("系统正在初始化数据引擎，请稍后。。。。。。"));
    EXPECT_TRUE(splash.Timer2.isActive());
    splash.Timer2.stop();
    for (int i = 0; i < 6; ++i)
        splash.Timer2_Timer();
    EXPECT_FALSE(splash.Timer1.isActive());
    EXPECT_FALSE(station->mainWindow()->isVisible());
    splash.Timer2_Timer();
    EXPECT_TRUE(splash.Timer1.isActive());
    EXPECT_FALSE(splash.Timer2.isActive());
    EXPECT_EQ(splash.splashTicks, 0);
    splash.Timer1.stop();
    splash.Timer1_Timer();
    EXPECT_FALSE(splash.isVisible());
    EXPECT_TRUE(station->mainWindow()->isVisible());
    EXPECT_TRUE(station->hostsLoaded());
}

TEST_F(Startup, keysOnTheSplashDoNotShortenTheWait)
{
    makeStation();
    station->start();
    QTest::keyClick(&station->splash(), Qt::Key_Escape);
    QTest::keyClick(&station->splash(), Qt::Key_Return);
    EXPECT_TRUE(station->splash().isVisible());
    EXPECT_FALSE(station->mainWindow()->isVisible());
    EXPECT_EQ(station->splash().splashTicks, 0);
}

TEST_F(Startup, realTimersHandOverInAboutOneAndAHalfSeconds)
{
    makeStation();
    QSignalSpy started(station.get(), &Station::started);
    QElapsedTimer elapsed;
    elapsed.start();
    station->start();
    ASSERT_TRUE(started.wait(5000));
    EXPECT_GE(elapsed.elapsed(), 1400);
    EXPECT_TRUE(station->mainWindow()->isVisible());
}

TEST_F(Startup, mainWindowIsLoadedBeforeTheRecorderHost)
{
    // A database that cannot be opened makes the recorder report at its
    // load, which lets the test look at the main window at that moment.
    QFile blocker(dir.filePath(QStringLiteral("not-a-folder")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    options.databasePath = dir.filePath(QStringLiteral("not-a-folder/history.sqlite"));
    makeStation();
    bool windowShownAtRecorderLoad = false;
    bool mainWindowOpenAtRecorderLoad = false;
    QObject::connect(&station->recorder(), &SampleRecorder::healthChanged, [&] {
        windowShownAtRecorderLoad = station->mainWindow()->isVisible();
        mainWindowOpenAtRecorderLoad = station->image().mainWindowOpen == ProcessImage::kTrue;
    });
    station->start();
    handOver();
    EXPECT_TRUE(windowShownAtRecorderLoad);
    EXPECT_TRUE(mainWindowOpenAtRecorderLoad);
    EXPECT_TRUE(station->recorder().Timer1.isActive());
    EXPECT_FALSE(station->poll().running());  // the poll waits for the operator
    EXPECT_TRUE(bus.calls().empty());
}

TEST_F(Startup, connectOptionOpensTheLinkWithTheChosenSettings)
{
    options.connect = true;
    options.link = LinkChoices{QStringLiteral("2 "), 2, 1, QStringLiteral("5 ")};
    makeStation();
    station->start();
    handOver();
    EXPECT_TRUE(station->poll().running());
    ASSERT_TRUE(waitFor([&] { return !bus.calls().empty(); }));
    EXPECT_EQ(bus.calls().front(), (FakeFieldbus::Call{"open", {2, 2, 1, 5}}));
}

TEST_F(Startup, shutdownClosesThePortAndFinishesOnce)
{
    options.connect = true;
    makeStation();
    station->start();
    handOver();
    QSignalSpy finished(station.get(), &Station::finished);
    station->shutdown();
    station->shutdown();
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(station->poll().running());
    EXPECT_FALSE(station->recorder().Timer1.isActive());
    station.reset();
    EXPECT_EQ(bus.callNames().back(), "close");
}

TEST_F(Startup, exitFromTheMainWindowEndsTheStation)
{
    makeStation();
    station->start();
    handOver();
    ASSERT_TRUE(QTest::qWaitForWindowActive(station->mainWindow()));
    QSignalSpy finished(station.get(), &Station::finished);
    QTest::keyClick(station->mainWindow(), Qt::Key_Escape);
    EXPECT_EQ(finished.count(), 1);
}

TEST(StationFont, aSimplifiedChineseFontIsInstalled)
{
    EXPECT_FALSE(QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty());
}

} // namespace
