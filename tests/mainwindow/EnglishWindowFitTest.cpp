// The main window in English at the operator's 1280 x 800: no text is wider
// than its label, button, group, tab or list, in each state that shows other
// texts (link settings or their summary, every state field's texts, the
// parameter tab, the ruler, the moment picker).
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "mainwindow/ChartPanel.h"
#include "mainwindow/ExitQuestion.h"
#include "mainwindow/LinkSettingsBar.h"
#include "mainwindow/LivePanel.h"
#include "support/ClippedTexts.h"
#include "support/EnglishInterface.h"
#include "support/FailingStatusBar.h"
#include "support/StateFeed.h"
#include "support/StationFixture.h"
#include "support/WaitFor.h"
#include "trendview/HistorySelectPopup.h"
#include "widgets/PanelGroup.h"
#include "widgets/PanelStates.h"
#include "widgets/StationFont.h"
#include "widgets/StatusIndicator.h"

namespace {

constexpr QSize kScreen(1280, 800);

class EnglishWindowFit : public StationFixture {
protected:
    void SetUp() override
    {
        StationFixture::SetUp();
        // Measured in the font the station draws in, as main() sets it.
        QApplication::setFont(StationFont::font());
        seed(1, 300, 300);
        startWindow();
        window->resize(kScreen);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    QStringList clipped() const
    {
        QCoreApplication::processEvents();
        return ClippedTexts::of(window.get());
    }

    // Loaded before SetUp builds the window, so the window is built in English.
    EnglishInterface english;
};

// A failure lists every clipped text at once.
std::string listed(const QStringList& texts)
{
    return texts.join(QLatin1Char('\n')).toStdString();
}

TEST_F(EnglishWindowFit, theWindowIsInEnglishAndEveryTextFitsWithTheLinkSettingsShownAndHidden)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Process Controller  TQ5800"));
    EXPECT_EQ(window->settings()->openButton()->text(), QStringLiteral("Open"));
    EXPECT_LE(window->width(), kScreen.width());
    EXPECT_LE(window->minimumSizeHint().width(), kScreen.width());
    EXPECT_TRUE(clipped().isEmpty()) << listed(clipped());
    EXPECT_FALSE(window->linkIndicator()->isElided());
    const QPoint openAt = window->settings()->openButton()->mapTo(window.get(), QPoint());
    const QPoint closeAt = window->settings()->closeButton()->mapTo(window.get(), QPoint());

    QTest::mouseClick(window->settings()->openButton(), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return window->settings()->groupsHidden(); }));
    EXPECT_LE(window->width(), kScreen.width());
    EXPECT_TRUE(clipped().isEmpty()) << listed(clipped());
    EXPECT_FALSE(window->settings()->summary()->isElided()) << window->settings()->summary()->text().toStdString();
    // The longer English captions move no button when the link opens.
    EXPECT_EQ(window->settings()->openButton()->mapTo(window.get(), QPoint()), openAt);
    EXPECT_EQ(window->settings()->closeButton()->mapTo(window.get(), QPoint()), closeAt);
}

TEST_F(EnglishWindowFit, everyStateAndAlarmTypeTextFitsItsField)
{
    for (const bool on : {true, false}) {
        for (int coil = 1; coil <= PanelStates::kCoilCount; ++coil)
            StateFeed::setCoil(state, coil, on);
        for (const int input : {1, 2, 3, 5, 6})
            StateFeed::setDiscreteInput(state, input, on);
        window->refreshLiveValues();
        EXPECT_TRUE(clipped().isEmpty()) << (on ? "set: " : "clear: ") << listed(clipped());
    }
    for (int code = 0; code <= 5; ++code) {
        for (int alarm = 6; alarm <= 8; ++alarm)
            StateFeed::setMeasurement(state, alarm, static_cast<float>(code));
        window->refreshLiveValues();
        EXPECT_TRUE(clipped().isEmpty()) << "alarm type " << code << ": " << listed(clipped());
    }
}

TEST_F(EnglishWindowFit, theParameterTabTheRulerAndTheMomentPickerFit)
{
    auto* tabs = window->findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        EXPECT_TRUE(clipped().isEmpty()) << "tab " << i << ": " << listed(clipped());
    }

    window->chartPanel()->rulerButton()->click();
    EXPECT_EQ(window->chartPanel()->rulerButton()->text(), QStringLiteral("F4 Reset"));
    EXPECT_TRUE(clipped().isEmpty()) << listed(clipped());
    window->chartPanel()->rulerButton()->click();

    window->chartPanel()->chooseMomentButton()->click();
    auto* picker = window->findChild<HistorySelectPopup*>();
    ASSERT_NE(picker, nullptr);
    ASSERT_TRUE(picker->isVisible());
    EXPECT_TRUE(ClippedTexts::of(picker).isEmpty()) << listed(ClippedTexts::of(picker));
}

TEST(EnglishStatusBarFit, theLinkLightKeepsItsWholeTextWithEveryFailureShowingAndTheOthersShareTheRest)
{
    EnglishInterface english;
    QApplication::setFont(StationFont::font());
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    FailingStatusBar(dir.path()).expectEveryFailureFits(kScreen, QStringLiteral("Link lost"));
}

TEST_F(EnglishWindowFit, thePagingCaptionsSayTheDirectionOfTime)
{
    ChartPanel& chart = *window->chartPanel();
    EXPECT_EQ(chart.pageForwardButton()->text(), QStringLiteral("F6 Newer"));
    EXPECT_EQ(chart.pageBackButton()->text(), QStringLiteral("F7 Older"));
    EXPECT_TRUE(chart.pageBackButton()->toolTip().contains(QStringLiteral("older"))) << chart.pageBackButton()->toolTip().toStdString();
    EXPECT_TRUE(chart.pageForwardButton()->toolTip().contains(QStringLiteral("newer")));
}

TEST_F(EnglishWindowFit, theExitQuestionAndTheAgesOfStaleValuesAreEnglishAndFit)
{
    window->askToExit();
    ExitQuestion* question = window->exitQuestion();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->text(), QStringLiteral("Exit the station? Recording, communication and forwarding will stop"));
    EXPECT_EQ(question->exitButton()->text(), QStringLiteral("Exit"));
    EXPECT_EQ(question->cancelButton()->text(), QStringLiteral("Cancel"));
    question->cancelButton()->click();

    // Every group answered once, 59 minutes ago: the widest age of an hour.
    const QDateTime answered = clock.now().addSecs(-59 * 60);
    StateFeed::setMeasurement(state, 1, 523, answered);
    StateFeed::setCommand(state, 1, 250, answered);
    StateFeed::setDiscreteInput(state, 1, true, answered);
    StateFeed::setCoil(state, 1, true, answered);
    StateFeed::setParameter(state, 1, 10, answered);
    StateFeed::setAlarmRegister(state, 0, 150, answered);
    window->refreshLiveValues();
    EXPECT_EQ(window->parameterTabs()->tabText(0), QStringLiteral("Alarms (59 min ago)"));
    EXPECT_TRUE(clipped().isEmpty()) << listed(clipped());
    LivePanel& panel = *window->panel();
    for (PanelGroup* group : {panel.valuesGroup(), panel.writtenGroup(), panel.alarmTypesGroup(),
                              panel.currentAlarmsGroup(), panel.operatingStatesGroup()}) {
        const QLabel& age = *group->ageLabel();
        EXPECT_EQ(age.text(), QStringLiteral("59 min ago"));
        // Clear of the title and within the group.
        const int titleEnd = group->fontMetrics().horizontalAdvance(group->title()) + 10;
        EXPECT_GT(age.x(), titleEnd) << group->title().toStdString();
        EXPECT_LE(age.geometry().right(), group->width()) << group->title().toStdString();
        EXPECT_GE(age.width(), age.fontMetrics().horizontalAdvance(age.text()));
    }
}

} // namespace
