#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWheelEvent>

#include "support/ConfigFixture.h"
#include "widgets/PanelField.h"
#include "configwindow/ParameterRowView.h"
#include "widgets/StatusIndicator.h"
#include "support/StateFeed.h"

namespace {

using ParameterCatalogue::Parameter;

class ConfigWindowTest : public ConfigFixture {
protected:
    // What every opening shows, whatever an earlier opening left, before
    // the poll has read the parameters: no value anywhere, never item 0.
    void expectOpeningState()
    {
        EXPECT_EQ(window->pageTabs()->currentIndex(), 1);
        EXPECT_EQ(window->pageTabs()->tabText(window->pageTabs()->currentIndex()), QStringLiteral("输出配置"));
        for (const Parameter& p : ParameterCatalogue::parameters()) {
            if (QComboBox* combo = comboOf(p.number)) {
                EXPECT_TRUE(combo->currentText().isEmpty()) << p.number;
                EXPECT_EQ(combo->currentIndex(), -1) << p.number;
            } else {
                ASSERT_NE(window->valueEdit(p.number), nullptr) << p.number;
                EXPECT_TRUE(window->valueEdit(p.number)->text().isEmpty()) << p.number;
            }
            EXPECT_FALSE(window->row(p.number)->refused()) << p.number;
            EXPECT_TRUE(window->row(p.number)->writeMark()->text().isEmpty()) << p.number;
        }
    }

    // Waits for the read-back timer to show `text` for parameter n.
    bool readBackShows(int n, const QString& text, int timeoutMs = 3 * ConfigWindow::kReadBackIntervalMs)
    {
        return waitFor([&] { return window->currentValueField(n)->text() == text; }, timeoutMs);
    }
};

TEST_F(ConfigWindowTest, opensOnTheOutputPageWithListsAndBoxesBlank)
{
    open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("TQ5800 配置 "));
    EXPECT_EQ(window->parameterGroup()->title(), QStringLiteral("CONFIG"));
    EXPECT_EQ(window->backButton()->text(), QStringLiteral(" Esc 返回"));
    const QStringList pages{QStringLiteral("输入配置"), QStringLiteral("输出配置"), QStringLiteral("报警配置"),
                            QStringLiteral("通讯配置"), QStringLiteral("变送配置")};
    ASSERT_EQ(window->pageTabs()->count(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(window->pageTabs()->tabText(i), pages[i]);
    expectOpeningState();
}

TEST_F(ConfigWindowTest, everyListHoldsItsItemsInCodeOrder)
{
    open();
    for (const Parameter& p : ParameterCatalogue::parameters()) {
        QComboBox* combo = comboOf(p.number);
        if (!combo)
            continue;
        EXPECT_TRUE(combo->isEditable()) << p.number;
        ASSERT_EQ(combo->count(), static_cast<int>(p.choices.size())) << p.number;
        for (int i = 0; i < combo->count(); ++i)
            EXPECT_EQ(combo->itemText(i), ParameterCatalogue::text(p.choices[static_cast<size_t>(i)]));
    }
    EXPECT_EQ(window->choiceEdit(24)->count(), 7);
    EXPECT_EQ(window->choiceEdit(22)->count(), 6);
    EXPECT_EQ(window->choiceEdit(23)->count(), 6);
    EXPECT_EQ(window->choiceEdit(1)->itemText(8), QStringLiteral("8 WRe325(0-2300)"));
    EXPECT_EQ(window->choiceEdit(3), nullptr);
    EXPECT_EQ(window->valueEdit(1), nullptr);
    EXPECT_EQ(window->choiceEdit(8), nullptr);
    EXPECT_EQ(window->choiceEdit(99), nullptr);
}

TEST_F(ConfigWindowTest, eachRowRunsCaptionValueEntryHelpFromLeftToRight)
{
    open();
    for (const Parameter& p : ParameterCatalogue::parameters()) {
        window->pageTabs()->setCurrentIndex(static_cast<int>(p.page));
        const ParameterRowView* r = window->row(p.number);
        ASSERT_TRUE(waitFor([&] { return r->captionLabel()->isVisible(); }, 2000)) << p.number;
        EXPECT_EQ(r->captionLabel()->text(), ParameterCatalogue::text(p.caption));
        EXPECT_EQ(r->helpLabel()->text(), ParameterCatalogue::text(p.help));
        const int caption = r->captionLabel()->mapTo(window.get(), QPoint()).x();
        const int value = r->currentValueField()->mapTo(window.get(), QPoint()).x();
        const int entry = r->entry()->mapTo(window.get(), QPoint()).x();
        const int help = r->helpLabel()->mapTo(window.get(), QPoint()).x();
        EXPECT_LT(caption, value) << p.number;
        EXPECT_LT(value, entry) << p.number;
        EXPECT_LT(entry, help) << p.number;
        const int middle = r->entry()->mapTo(window.get(), QPoint(0, r->entry()->height() / 2)).y();
        const QRect valueRect(r->currentValueField()->mapTo(window.get(), QPoint()), r->currentValueField()->size());
        EXPECT_TRUE(middle >= valueRect.top() && middle <= valueRect.bottom()) << p.number;
    }
}

TEST_F(ConfigWindowTest, readBackRunsEverySecondFromTheOpening)
{
    QElapsedTimer sinceOpening;
    sinceOpening.start();
    window = std::make_unique<ConfigWindow>(core);
    StateFeed::setParameter(state, 3, 42);
    ASSERT_TRUE(readBackShows(3, QStringLiteral("42")));
    // A timer may fire a little early, never a tenth of its interval early.
    EXPECT_GE(sinceOpening.elapsed(), 900);
    StateFeed::setParameter(state, 3, 43);
    EXPECT_TRUE(readBackShows(3, QStringLiteral("43")));
}

TEST_F(ConfigWindowTest, openingWritesNothing)
{
    open();
    EXPECT_TRUE(writes().empty());
}

TEST_F(ConfigWindowTest, focusPassingThroughUntouchedControlsWritesNothing)
{
    open();
    for (int page = 0; page < ParameterCatalogue::kPageCount; ++page) {
        int first = 0, rows = 0;
        for (const Parameter& p : ParameterCatalogue::parameters()) {
            if (static_cast<int>(p.page) != page)
                continue;
            first = first ? first : p.number;
            ++rows;
        }
        QWidget* entry = focusEntry(first);
        for (int i = 0; i < rows + 2; ++i)
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : entry, Qt::Key_Tab);
    }
    // A list opened and closed again without a choice is no pick either.
    focusEntry(1);
    window->choiceEdit(1)->showPopup();
    window->choiceEdit(1)->hidePopup();
    QTest::keyClick(window->choiceEdit(1), Qt::Key_Tab);
    EXPECT_TRUE(writes().empty());
}

TEST_F(ConfigWindowTest, theMouseWheelOverAListChangesNothing)
{
    open();
    QComboBox* combo = window->choiceEdit(9);
    focusEntry(9);
    QWheelEvent wheel(QPointF(5, 5), combo->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(combo, &wheel);
    EXPECT_EQ(combo->currentIndex(), -1);
    QTest::keyClick(combo, Qt::Key_Tab);
    EXPECT_TRUE(writes().empty());
}

TEST_F(ConfigWindowTest, closingFromTheFrameIsRefusedAndSaysHowToReturn)
{
    open();
    QSignalSpy returned(window.get(), &ConfigWindow::returned);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->statusLine()->text().contains(QStringLiteral(" Esc 返回")));
    EXPECT_EQ(returned.count(), 0);
    StateFeed::setParameter(state, 12, 35);
    EXPECT_TRUE(readBackShows(12, QStringLiteral("35")));  // the read-back goes on
}

TEST_F(ConfigWindowTest, returnButtonClosesTheWindowAndHandsBack)
{
    open();
    QSignalSpy returned(window.get(), &ConfigWindow::returned);
    QTest::mouseClick(window->backButton(), Qt::LeftButton);
    EXPECT_EQ(returned.count(), 1);
    EXPECT_FALSE(window->isVisible());
    QTest::keyClick(window.get(), Qt::Key_Escape);  // once only
    EXPECT_EQ(returned.count(), 1);
    // The closed window reads nothing back any more.
    const QString shown = window->currentValueField(12)->text();
    StateFeed::setParameter(state, 12, 35);
    EXPECT_FALSE(readBackShows(12, QStringLiteral("35"), ConfigWindow::kReadBackIntervalMs * 3 / 2));
    EXPECT_EQ(window->currentValueField(12)->text(), shown);
}

TEST_F(ConfigWindowTest, clickingReturnRightAfterTypingWritesTheEntryOnceThenReturns)
{
    open();
    focusEntry(16);
    QTest::keyClicks(window->valueEdit(16), QStringLiteral("7"));
    bool writtenBeforeReturn = false;
    QObject::connect(window.get(), &ConfigWindow::returned, [&] {
        writtenBeforeReturn = !window->row(16)->writeMark()->text().isEmpty() && !window->isVisible();
    });
    QSignalSpy returned(window.get(), &ConfigWindow::returned);
    QTest::mouseClick(window->backButton(), Qt::LeftButton);
    EXPECT_EQ(returned.count(), 1);
    EXPECT_TRUE(writtenBeforeReturn);
    EXPECT_EQ(writes(), (std::vector{writeCall(4112, 7)}));
}

TEST_F(ConfigWindowTest, eachOpeningStartsAgainFromTheOpeningState)
{
    open();
    typeAndLeave(3, QStringLiteral("1200"));
    pickAndLeave(1, 11);
    typeAndLeave(12, QStringLiteral("abc"));
    window->pageTabs()->setCurrentIndex(2);
    QTest::mouseClick(window->backButton(), Qt::LeftButton);
    ASSERT_FALSE(window->isVisible());
    writes();  // answered before the next opening, whose rows would show them

    open();
    expectOpeningState();
    EXPECT_FALSE(window->close());  // the frame cannot close this one either
}

} // namespace
