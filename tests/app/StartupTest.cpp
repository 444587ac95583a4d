#include <memory>

#include <QFile>
#include <QElapsedTimer>
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

    // The splash's real wait, about one and a half seconds.
    void handOver()
    {
        QSignalSpy started(station.get(), &Station::started);
        station->start();
        ASSERT_TRUE(started.wait(5000));
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

TEST_F(Startup, exitFromTheMainWindowEndsTheStation)
{
    makeStation();
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
