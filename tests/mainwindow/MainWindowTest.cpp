#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QWindow>

#include "mainwindow/ChartPanel.h"
#include "mainwindow/ExitQuestion.h"
#include "mainwindow/HeaderBar.h"
#include "mainwindow/LinkSettingsBar.h"
#include "mainwindow/LivePanel.h"
#include "support/StationFixture.h"
#include "widgets/StationFont.h"
#include "trendview/TrendChartView.h"
#include "support/WaitFor.h"
#include "support/StateFeed.h"

namespace {

// How the operator asks to leave: the key anywhere in the window, or the button.
enum class Asking { Esc, EscWhileTypingAPort, ExitButton };

class MainWindowTest : public StationFixture {
protected:
    void showActive()
    {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    void ask(Asking asking)
    {
        switch (asking) {
        case Asking::Esc: QTest::keyClick(window.get(), Qt::Key_Escape); break;
        case Asking::EscWhileTypingAPort: {
            QLineEdit* portText = window->settings()->portList()->lineEdit();
            portText->setFocus();
            QTest::keyClicks(portText, QStringLiteral("3"));
            QTest::keyClick(portText, Qt::Key_Escape);
            break;
        }
        case Asking::ExitButton: QTest::mouseClick(window->exitButton(), Qt::LeftButton); break;
        }
    }

    // The question open and in front: the platform activates a new window
    // a little later. (The modal question counts as active with its window.)
    bool questionActive()
    {
        return window->exitQuestion() != nullptr
            && waitFor([&] { return QApplication::activeWindow() == window->exitQuestion(); });
    }

    // What the confirmed exit leaves behind.
    void expectEnded(const QSignalSpy& exits)
    {
        EXPECT_EQ(exits.count(), 1);
        EXPECT_FALSE(window->isVisible());
        EXPECT_FALSE(window->databaseOpen());
        EXPECT_FALSE(window->liveRefreshRunning());
        EXPECT_TRUE(window->close());  // the frame no longer refuses
    }
};

TEST_F(MainWindowTest, startChoosesTheDefaultLinkSettings)
{
    startWindow();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("过程控制仪表  TQ5800"));
    const LinkSettingsBar* s = window->settings();
    ASSERT_EQ(s->portList()->count(), 20);
    EXPECT_EQ(s->portList()->itemText(0), QStringLiteral("1 "));
    EXPECT_EQ(s->portList()->itemText(19), QStringLiteral("20 "));
    EXPECT_EQ(s->portList()->currentText(), QStringLiteral("1 "));
    ASSERT_EQ(s->addressList()->count(), 16);
    EXPECT_EQ(s->addressList()->itemText(15), QStringLiteral("16 "));
    EXPECT_EQ(s->addressList()->currentText(), QStringLiteral("1 "));
    EXPECT_TRUE(s->baudButton(1)->isChecked());
    EXPECT_EQ(s->baudButton(1)->text(), QStringLiteral("9600"));
    EXPECT_FALSE(s->baudButton(0)->isChecked() || s->baudButton(2)->isChecked());
    EXPECT_TRUE(s->parityButton(0)->isChecked());
    EXPECT_EQ(s->parityButton(0)->text(), QStringLiteral("无校验"));
    EXPECT_EQ(s->portGroup()->title(), QStringLiteral("通讯端口选择"));
    EXPECT_EQ(s->baudGroup()->title(), QStringLiteral("波特率"));
    EXPECT_EQ(s->addressGroup()->title(), QStringLiteral("模块地址"));
    EXPECT_EQ(s->parityGroup()->title(), QStringLiteral("校验方式"));
    EXPECT_EQ(s->openButton()->text(), QStringLiteral("打开"));
    EXPECT_EQ(s->closeButton()->text(), QStringLiteral("关闭"));
}

TEST_F(MainWindowTest, startSetsTheYRangeAndTheCloseRefusal)
{
    startWindow();
    EXPECT_EQ(window->yRange().span, 60);
    EXPECT_EQ(window->yRange().minimum, 0);
    EXPECT_FALSE(window->navigator().rulerOn);
    EXPECT_EQ(window->zoom().zoomLevel, 1);
    EXPECT_TRUE(window->databaseOpen());
    EXPECT_FALSE(window->configurationButton()->isEnabled());
    EXPECT_FALSE(window->calibrationButton()->isEnabled());
    EXPECT_EQ(window->configurationButton()->text(), QStringLiteral("CONFIG"));
    EXPECT_EQ(window->calibrationButton()->text(), QStringLiteral("参数校准"));
    EXPECT_EQ(window->exitButton()->text(), QStringLiteral("退出"));
    EXPECT_FALSE(window->close());  // only through "退出" or Esc
    EXPECT_TRUE(window->databaseOpen());
}

TEST_F(MainWindowTest, onItsOwnTimersTheStartedWindowRefreshesTheValuesAndTheClock)
{
    window = std::make_unique<MainWindow>(core);
    EXPECT_FALSE(window->liveRefreshRunning());
    window->start();
    EXPECT_TRUE(window->liveRefreshRunning());
    StateFeed::setMeasurement(state, 1, 523.0f);
    clock.advanceMs(2000);
    EXPECT_TRUE(waitFor([&] { return window->panel()->liveValueField(0)->text() == QStringLiteral("523"); }, 1000));
    EXPECT_TRUE(waitFor([&] { return window->header()->timeField()->text() == QStringLiteral("14:05:09"); }, 2000));
}

TEST_F(MainWindowTest, startShowsTheNewestRecordsWithTheClockInTheHeader)
{
    seed(1, 300, 300);
    startWindow();
    const TrendBuffers& b = window->trendBuffers();
    EXPECT_EQ(b.loadedCount, 241);
    EXPECT_EQ(b.markEnd, 241);
    EXPECT_EQ(b.curveEnd, 241);
    EXPECT_EQ(window->playback().window.latestId, 300);
    EXPECT_EQ(idAt(1), 60);
    EXPECT_EQ(idAt(241), 300);
    // Live, no sample's moment passes for now.
    EXPECT_EQ(window->header()->dateField()->text(), QStringLiteral("2001-03-12"));
    EXPECT_EQ(window->header()->timeField()->text(), QStringLiteral("14:05:07"));
}

// A station whose history file lies behind a plain file where its folder
// should be: neither the recorder nor the window can open it.
class BlockedHistory : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        QFile blocker(dir.filePath(QStringLiteral("blocker")));
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        blocked = std::make_unique<StationCore>(std::make_unique<ForwardingFieldbus>(bus), clock,
                                                dir.filePath(QStringLiteral("blocker/Rdatabj.sqlite")));
        blockedWindow = std::make_unique<MainWindow>(*blocked, MainWindow::Ticking::ByCaller);
        blockedWindow->start();
    }
    void TearDown() override
    {
        blockedWindow.reset();
        blocked.reset();
    }
    void tickWithSample()
    {
        emit blocked->recorder().sampleTaken(takenSample(blocked->state(), sampleSeconds.next(clock.now())));
        blockedWindow->refreshLiveValues();
    }

    std::unique_ptr<StationCore> blocked;
    std::unique_ptr<MainWindow> blockedWindow;
};

TEST_F(BlockedHistory, theWindowStillWorksAndSaysWhy)
{
    EXPECT_FALSE(blockedWindow->databaseOpen());
    EXPECT_EQ(blockedWindow->trendBuffers().loadedCount, 241);
    EXPECT_EQ(blockedWindow->trendBuffers().trendValues[241][0], 0.0f);
    EXPECT_TRUE(blockedWindow->statusBar()->currentMessage().contains(QStringLiteral("历史数据库无法打开")));
    blockedWindow->settings()->openButton()->click();
    EXPECT_TRUE(blocked->poller().running());
}

TEST_F(BlockedHistory, aDatabaseThatFailedAtStartIsTriedAgainAtTheNextReload)
{
    ASSERT_FALSE(blockedWindow->databaseOpen());
    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("blocker"))));
    for (int n = 1; n < 20; ++n)
        tickWithSample();
    EXPECT_FALSE(blockedWindow->databaseOpen());  // not before a reload needs it
    tickWithSample();
    EXPECT_TRUE(blockedWindow->databaseOpen());
    EXPECT_EQ(blockedWindow->statusBar()->currentMessage(), QStringLiteral("历史数据库已重新打开"));
    EXPECT_EQ(blockedWindow->trendBuffers().curveEnd, 242);  // after the empty file's live edge
}

TEST_F(MainWindowTest, closingThroughTheFrameIsRefusedAndChangesNothing)
{
    startWindow();
    showActive();
    QSignalSpy exits(window.get(), &MainWindow::exitRequested);
    window->windowHandle()->close();  // what the frame's close button does
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->databaseOpen());
    EXPECT_TRUE(window->liveRefreshRunning());
    EXPECT_EQ(exits.count(), 0);
    EXPECT_TRUE(window->statusBar()->currentMessage().contains(QStringLiteral("退出")));

    // The recorder still hands its samples to the chart.
    recorder.start();
    recorder.stop();
    const int16_t before = window->trendBuffers().curveEnd;
    instrumentAnswers();
    recorder.tick();
    window->refreshLiveValues();
    EXPECT_EQ(window->trendBuffers().curveEnd, before + 1);
    EXPECT_FALSE(window->close());
}

TEST_F(MainWindowTest, escAndTheExitButtonAskFirstAndTheStationRunsOnMeanwhile)
{
    startWindow();
    showActive();
    QTest::mouseClick(window->settings()->openButton(), Qt::LeftButton);
    ASSERT_TRUE(poll.running());
    QSignalSpy exits(window.get(), &MainWindow::exitRequested);
    for (const Asking asking : {Asking::Esc, Asking::EscWhileTypingAPort, Asking::ExitButton}) {
        ask(asking);
        ExitQuestion* question = window->exitQuestion();
        ASSERT_NE(question, nullptr) << int(asking);
        ASSERT_TRUE(questionActive());
        EXPECT_EQ(question->text(), QStringLiteral("退出工作站？记录、通讯和转发将停止"));
        EXPECT_EQ(question->exitButton()->text(), QStringLiteral("退出"));
        EXPECT_EQ(question->cancelButton()->text(), QStringLiteral("取消"));
        EXPECT_EQ(question->defaultButton(), question->cancelButton());
        EXPECT_TRUE(question->cancelButton()->hasFocus());
        // Window-modal and not waited for: the poll goes on behind it.
        EXPECT_EQ(question->windowModality(), Qt::WindowModal);
        const size_t calls = bus.calls().size();
        EXPECT_TRUE(waitFor([&] { return bus.calls().size() > calls; }));
        EXPECT_TRUE(window->liveRefreshRunning());

        // Asking again brings up the same question, not a second one.
        QTest::keyClick(window.get(), Qt::Key_Escape);
        window->askToExit();
        EXPECT_EQ(window->exitQuestion(), question);
        EXPECT_EQ(window->findChildren<ExitQuestion*>().size(), 1);

        QTest::keyClick(question, Qt::Key_Return);  // Enter right away cancels
        ASSERT_TRUE(waitFor([&] { return window->exitQuestion() == nullptr; }));
        EXPECT_EQ(exits.count(), 0);
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(window->databaseOpen());
        EXPECT_TRUE(poll.running());
        showActive();  // as the desktop gives the window back its focus
    }
}

// How the operator answers the question.
enum class Answer { Escape, ClickCancel, ClickExit, TabToExitAndEnter };

TEST_F(MainWindowTest, onlyTheQuestionsExitEndsTheStation)
{
    const std::pair<Answer, bool> cases[] = {
        {Answer::Escape, false},
        {Answer::ClickCancel, false},
        {Answer::ClickExit, true},
        {Answer::TabToExitAndEnter, true},
    };
    for (const auto& [answer, ends] : cases) {
        window.reset();
        startWindow();
        showActive();
        QSignalSpy exits(window.get(), &MainWindow::exitRequested);
        ask(Asking::ExitButton);
        ExitQuestion* question = window->exitQuestion();
        ASSERT_NE(question, nullptr);
        ASSERT_TRUE(questionActive());
        switch (answer) {
        case Answer::Escape: QTest::keyClick(question, Qt::Key_Escape); break;
        case Answer::ClickCancel: QTest::mouseClick(question->cancelButton(), Qt::LeftButton); break;
        case Answer::ClickExit: QTest::mouseClick(question->exitButton(), Qt::LeftButton); break;
        case Answer::TabToExitAndEnter:
            QTest::keyClick(question, Qt::Key_Tab);
            ASSERT_TRUE(question->exitButton()->hasFocus());
            QTest::keyClick(question->exitButton(), Qt::Key_Return);
            break;
        }
        if (ends) {
            expectEnded(exits);
            window->exitStation();  // a second request is not a second exit
            EXPECT_EQ(exits.count(), 1);
        } else {
            EXPECT_EQ(exits.count(), 0) << int(answer);
            EXPECT_TRUE(window->isVisible());
            EXPECT_TRUE(window->liveRefreshRunning());
        }
    }
}

TEST_F(MainWindowTest, theStartUpEndsTheStationWithoutAskingAlsoWhileTheQuestionIsOpen)
{
    startWindow();
    showActive();
    QSignalSpy exits(window.get(), &MainWindow::exitRequested);
    ask(Asking::Esc);
    QPointer<ExitQuestion> question = window->exitQuestion();
    ASSERT_NE(question, nullptr);
    window->exitStation();  // what a termination signal does
    expectEnded(exits);
    EXPECT_TRUE(question.isNull() || !question->isVisible());
}

TEST_F(MainWindowTest, chineseTextHasAFontAndTheStationNamesItsFamily)
{
    EXPECT_FALSE(QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty());
    startWindow();
    EXPECT_EQ(window->font().families().value(0), QStringLiteral("WenQuanYi Micro Hei"));
    EXPECT_EQ(window->font().families().value(1), QStringLiteral("Noto Sans CJK SC"));
}

TEST_F(MainWindowTest, windowFitsTheOperatorScreenAndTheChartTakesTheRoomWhenItGrows)
{
    startWindow();
    window->resize(1280, 800);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    // Room left on a 1280 x 800 screen for the title bar and a desktop panel.
    EXPECT_LE(window->minimumSizeHint().width(), 1280);
    EXPECT_LE(window->minimumSizeHint().height(), 720);
    const QSize small = window->chart()->size();
    window->resize(1920, 1080);
    ASSERT_TRUE(waitFor([&] { return window->chart()->width() > small.width(); }));
    EXPECT_GT(window->chart()->width() - small.width(), 500);
    EXPECT_GT(window->chart()->height(), small.height());
}

} // namespace
