#include <QFile>
#include <QPushButton>
#include <QStatusBar>
#include <QSignalSpy>
#include <QTest>

#include "mainwindow/LinkSettingsBar.h"
#include "support/OwnerFileAccess.h"
#include "support/StationFixture.h"
#include "widgets/StatusIndicator.h"
#include "support/WaitFor.h"
#include "support/StateFeed.h"

namespace {

class StatusDisplay : public StationFixture {
protected:
    void SetUp() override
    {
        StationFixture::SetUp();
        startWindow();
    }

    QString linkText() const { return window->linkIndicator()->text(); }
    QString recorderText() const { return window->recorderIndicator()->text(); }
};

TEST_F(StatusDisplay, beforeAnythingRunsItSaysSoCalmly)
{
    EXPECT_EQ(linkText(), QStringLiteral("● 链路未打开"));
    EXPECT_EQ(recorderText(), QStringLiteral("● 记录未启动"));
    EXPECT_EQ(window->linkIndicator()->line().severity, StatusSeverity::Idle);
}

TEST_F(StatusDisplay, anInstrumentThatAnswersShowsGreen)
{
    bus.setInputRegister(1, 250);
    window->settings()->openButton()->click();
    EXPECT_EQ(linkText(), QStringLiteral("● 正在连接仪表"));
    ASSERT_TRUE(waitFor([&] { return linkText() == QStringLiteral("● 通讯正常"); }));
    EXPECT_EQ(window->linkIndicator()->palette().color(QPalette::Window), QColor(128, 255, 128));
}

TEST_F(StatusDisplay, aSilentInstrumentIsReportedOncePerEpisodeWithTheTimeItBegan)
{
    bus.failAll();
    window->settings()->openButton()->click();
    ASSERT_TRUE(waitFor([&] { return linkText().startsWith(QStringLiteral("● 通讯中断 自 14:05:07（从未应答）：")); }));
    EXPECT_EQ(window->linkIndicator()->line().severity, StatusSeverity::Fault);
    const QString reported = linkText();

    // Further failed cycles of the same episode leave the text alone.
    const int cycles = poll.linkHealth().cycles();
    clock.advanceMs(5000);
    ASSERT_TRUE(waitFor([&] { return poll.linkHealth().cycles() >= cycles + 2; }));
    EXPECT_EQ(linkText(), reported);

    bus.failAll(false);
    ASSERT_TRUE(waitFor([&] { return linkText() == QStringLiteral("● 通讯正常"); }));
    window->settings()->closeButton()->click();
    EXPECT_EQ(linkText(), QStringLiteral("● 链路未打开"));
}

TEST_F(StatusDisplay, recordingThatWorksShowsGreen)
{
    recorder.start();
    recorder.stop();
    instrumentAnswers();
    recorder.tick();
    EXPECT_EQ(recorderText(), QStringLiteral("● 记录正常"));
    EXPECT_EQ(window->recorderIndicator()->line().severity, StatusSeverity::Ok);
}

TEST_F(StatusDisplay, recordingThatCannotReachItsFileSaysSinceWhenAndWhy)
{
    // A plain file where the recorder's folder should be.
    QFile blocker(dir.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    window.reset();
    StationCore failingCore(std::make_unique<ForwardingFieldbus>(bus), clock,
                            dir.filePath(QStringLiteral("blocker/Rdatabj.sqlite")));
    SampleRecorder& failing = failingCore.recorder();
    MainWindow station(failingCore);
    station.start();

    failing.start();
    failing.stop();
    const QString text = station.recorderIndicator()->text();
    EXPECT_EQ(text, QStringLiteral("● 记录失败：是文件而不是文件夹：%1（14:05:07 起）").arg(blocker.fileName()));
    EXPECT_EQ(station.recorderIndicator()->line().severity, StatusSeverity::Fault);
    EXPECT_TRUE(station.recorderIndicator()->toolTip().contains(QStringLiteral("blocker")));

    // The recorder goes on counting samples; the display does not repeat itself.
    clock.advanceMs(10000);
    StateFeed::setMeasurement(failingCore.state(), RegisterMap::kProcessValue, 0, clock.now());
    failing.tick();
    EXPECT_EQ(station.recorderIndicator()->text(), text);
}

// The window must first meet the file when it is already read-only, so this
// fixture does not start it in its set-up.
using ReadOnlyHistory = StationFixture;

TEST_F(ReadOnlyHistory, saysWhyWhileTheLiveChartGoesOnAndRecordingResumesOnceWritable)
{
    seed(1, 300, 300);
    const QByteArray before = HistoryFiles::sha256(path);
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    OwnerFileAccess asOwner;  // the modes bind even when the tests run as root

    startWindow();
    EXPECT_FALSE(window->databaseOpen());
    EXPECT_EQ(window->statusBar()->currentMessage(), QStringLiteral("历史数据库无法打开，曲线只显示实时数据：无权写入文件 ") + path);
    recorder.start();
    recorder.stop();
    const QString text = window->recorderIndicator()->text();
    EXPECT_EQ(text, QStringLiteral("● 记录失败：无权写入文件 %1（14:05:07 起）").arg(path));
    EXPECT_TRUE(window->recorderIndicator()->toolTip().contains(QStringLiteral("cannot be written")));

    // Every second still reaches the chart from the instrument state.
    StateFeed::setMeasurement(state, 1, 321);
    for (int i = 0; i < 3; ++i) {
        clock.advanceMs(1000);
        instrumentAnswers();
        recorder.tick();
        const int end = window->trendBuffers().curveEnd;
        window->refreshLiveValues();
        EXPECT_EQ(window->trendBuffers().curveEnd, end + 1);
        EXPECT_FLOAT_EQ(window->trendBuffers().trendValues[static_cast<size_t>(end + 1)][0], 321.0f);
    }
    EXPECT_EQ(HistoryFiles::sha256(path), before);

    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    for (int i = 0; i < SampleRecorder::kRecheckSeconds; ++i) {
        clock.advanceMs(1000);
        instrumentAnswers();
        recorder.tick();
    }
    EXPECT_EQ(window->recorderIndicator()->text(), QStringLiteral("● 记录正常"));
    for (int i = 0; i < 20 && !window->databaseOpen(); ++i)
        tickWithSample();
    EXPECT_TRUE(window->databaseOpen());
}

TEST_F(StatusDisplay, aPortThatCannotBeOpenedSaysWhyInTheMessageLineUntilTheLinkAnswers)
{
    bus.failAll();
    bus.setFailure({LinkFailure::Kind::NoDevice}, "cannot open /dev/ttyUSB0: No such file or directory");
    window->settings()->openButton()->click();
    ASSERT_TRUE(waitFor([&] { return window->statusBar()->currentMessage().startsWith(QStringLiteral("端口打开失败")); }));
    EXPECT_EQ(window->statusBar()->currentMessage(), QStringLiteral("端口打开失败：设备不存在"));
    EXPECT_EQ(window->statusBar()->toolTip(), QStringLiteral("cannot open /dev/ttyUSB0: No such file or directory"));
    ASSERT_TRUE(waitFor([&] { return linkText().startsWith(QStringLiteral("● 通讯中断")); }));
    EXPECT_EQ(window->statusBar()->currentMessage(), QStringLiteral("端口打开失败：设备不存在"));

    // The message and its reason go once the link answers again.
    bus.failAll(false);
    ASSERT_TRUE(waitFor([&] { return linkText() == QStringLiteral("● 通讯正常"); }));
    EXPECT_EQ(window->statusBar()->currentMessage(), QString());
    EXPECT_TRUE(window->statusBar()->toolTip().isEmpty());
}

} // namespace
