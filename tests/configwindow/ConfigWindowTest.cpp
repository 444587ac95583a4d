#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWheelEvent>

#include "support/ConfigFixture.h"
#include "widgets/PanelField.h"
#include "configwindow/ParameterRowView.h"
#include "widgets/StatusIndicator.h"

namespace {

using ParameterCatalogue::Parameter;

class ConfigWindowTest : public ConfigFixture {
protected:
    // What every opening shows, whatever an earlier opening left.
    void expectLoadState()
    {
        EXPECT_EQ(window->SSTab1()->currentIndex(), 1);
        EXPECT_EQ(window->SSTab1()->tabText(window->SSTab1()->currentIndex()), QStringLiteral("输出配置"));
        EXPECT_EQ(window->closeGuard, ProcessImage::kTrue);
        for (const Parameter& p : ParameterCatalogue::parameters()) {
            EXPECT_TRUE(window->D_4W(p.number)->text().isEmpty()) << p.number;
            if (QComboBox* combo = comboOf(p.number)) {
                EXPECT_EQ(combo->currentText(), ParameterCatalogue::text(p.choices[0])) << p.number;
                EXPECT_EQ(combo->currentIndex(), 0) << p.number;
            } else {
                ASSERT_NE(window->T_3RW(p.number), nullptr) << p.number;
                EXPECT_TRUE(window->T_3RW(p.number)->text().isEmpty()) << p.number;
            }
            EXPECT_FALSE(window->row(p.number)->refused()) << p.number;
            EXPECT_TRUE(window->row(p.number)->writeMark()->text().isEmpty()) << p.number;
        }
    }
};

TEST_F(ConfigWindowTest, opensOnTheOutputPageWithListsAtTheirFirstItemsAndBoxesEmpty)
{
    open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("TQ5800 配置 "));
    EXPECT_EQ(window->Frame3()->title(), QStringLiteral("CONFIG"));
    EXPECT_EQ(window->Command11()->text(), QStringLiteral(" Esc 返回"));
    const QStringList pages{QStringLiteral("输入配置"), QStringLiteral("输出配置"), QStringLiteral("报警配置"),
                            QStringLiteral("通讯配置"), QStringLiteral("变送配置")};
    ASSERT_EQ(window->SSTab1()->count(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(window->SSTab1()->tabText(i), pages[i]);
    expectLoadState();
}

TEST_F(ConfigWindowTest, everyListHoldsItsItemsInCodeOrder)
{
    open();
    for (const Parameter& p : ParameterCatalogue::parameters()) {
        QComboBox* combo = comboOf(p.number);
        if (!combo)
            continue;
        EXPECT_EQ(combo->objectName(), QString::fromLatin1(p.control.data(), qsizetype(p.control.size())));
        EXPECT_TRUE(combo->isEditable()) << p.number;
        ASSERT_EQ(combo->count(), static_cast<int>(p.choices.size())) << p.number;
        for (int i = 0; i < combo->count(); ++i)
            EXPECT_EQ(combo->itemText(i), ParameterCatalogue::text(p.choices[static_cast<size_t>(i)]));
    }
    EXPECT_EQ(window->Combo(29)->count(), 7);
    EXPECT_EQ(window->Combo(27)->count(), 6);
    EXPECT_EQ(window->Combo(28)->count(), 6);
    EXPECT_EQ(window->Combo(14)->itemText(8), QStringLiteral("8 WRe325(0-2300)"));
    EXPECT_EQ(window->Combo(99), nullptr);
}

TEST_F(ConfigWindowTest, eachRowRunsCaptionValueEntryHelpFromLeftToRight)
{
    open();
    for (const Parameter& p : ParameterCatalogue::parameters()) {
        window->SSTab1()->setCurrentIndex(static_cast<int>(p.page));
        const ParameterRowView* r = window->row(p.number);
        ASSERT_TRUE(waitFor([&] { return r->Label1()->isVisible(); }, 2000)) << p.number;
        EXPECT_EQ(r->Label1()->text(), ParameterCatalogue::text(p.caption));
        EXPECT_EQ(r->Label2()->text(), ParameterCatalogue::text(p.help));
        const int caption = r->Label1()->mapTo(window.get(), QPoint()).x();
        const int value = r->D_4W()->mapTo(window.get(), QPoint()).x();
        const int entry = r->entry()->mapTo(window.get(), QPoint()).x();
        const int help = r->Label2()->mapTo(window.get(), QPoint()).x();
        EXPECT_LT(caption, value) << p.number;
        EXPECT_LT(value, entry) << p.number;
        EXPECT_LT(entry, help) << p.number;
        const int middle = r->entry()->mapTo(window.get(), QPoint(0, r->entry()->height() / 2)).y();
        const QRect valueRect(r->D_4W()->mapTo(window.get(), QPoint()), r->D_4W()->size());
        EXPECT_TRUE(middle >= valueRect.top() && middle <= valueRect.bottom()) << p.number;
    }
}

TEST_F(ConfigWindowTest, readBackRunsEverySecondFromTheLoad)
{
    window = std::make_unique<ConfigWindow>(context);
    EXPECT_TRUE(window->Timer1.isActive());
    EXPECT_EQ(window->Timer1.interval(), 1000);
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
    window->Combo(14)->showPopup();
    window->Combo(14)->hidePopup();
    QTest::keyClick(window->Combo(14), Qt::Key_Tab);
    EXPECT_TRUE(writes().empty());
}

TEST_F(ConfigWindowTest, theMouseWheelOverAListChangesNothing)
{
    open();
    QComboBox* combo = window->Combo(1);
    focusEntry(9);
    QWheelEvent wheel(QPointF(5, 5), combo->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(combo, &wheel);
    EXPECT_EQ(combo->currentIndex(), 0);
    QTest::keyClick(combo, Qt::Key_Tab);
    EXPECT_TRUE(writes().empty());
}

TEST_F(ConfigWindowTest, closingFromTheFrameIsRefusedAndSaysHowToReturn)
{
    open();
    window->Timer1.start();
    QSignalSpy returned(window.get(), &ConfigWindow::returned);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->Timer1.isActive());  // the read-back display goes on
    EXPECT_TRUE(window->statusLine()->text().contains(QStringLiteral(" Esc 返回")));
    EXPECT_EQ(returned.count(), 0);
}

TEST_F(ConfigWindowTest, returnButtonClosesTheWindowAndHandsBack)
{
    open();
    window->Timer1.start();
    QSignalSpy returned(window.get(), &ConfigWindow::returned);
    QTest::mouseClick(window->Command11(), Qt::LeftButton);
    EXPECT_EQ(returned.count(), 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->closeGuard, ProcessImage::kFalse);
    EXPECT_FALSE(window->Timer1.isActive());
    QTest::keyClick(window.get(), Qt::Key_Escape);  // once only
    EXPECT_EQ(returned.count(), 1);
}

TEST_F(ConfigWindowTest, escRightAfterTypingWritesTheEntryFirstThenReturns)
{
    open();
    focusEntry(12);
    QTest::keyClicks(window->T_3RW(12), QStringLiteral("25"));
    bool writtenBeforeReturn = false;
    QObject::connect(window.get(), &ConfigWindow::returned, [&] {
        writtenBeforeReturn = !window->row(12)->writeMark()->text().isEmpty() && !window->isVisible();
    });
    QTest::keyClick(window->T_3RW(12), Qt::Key_Escape);
    EXPECT_TRUE(writtenBeforeReturn);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(writes(), (std::vector{writeCall(4108, 25)}));
}

TEST_F(ConfigWindowTest, clickingReturnAfterTypingWritesTheEntryOnce)
{
    open();
    focusEntry(16);
    QTest::keyClicks(window->T_3RW(16), QStringLiteral("7"));
    QSignalSpy returned(window.get(), &ConfigWindow::returned);
    QTest::mouseClick(window->Command11(), Qt::LeftButton);
    EXPECT_EQ(returned.count(), 1);
    EXPECT_EQ(writes(), (std::vector{writeCall(4112, 7)}));
}

TEST_F(ConfigWindowTest, eachOpeningStartsAgainFromTheLoadState)
{
    open();
    typeAndLeave(3, QStringLiteral("1200"));
    pickAndLeave(1, 11);
    typeAndLeave(12, QStringLiteral("abc"));
    window->SSTab1()->setCurrentIndex(2);
    QTest::mouseClick(window->Command11(), Qt::LeftButton);
    ASSERT_FALSE(window->isVisible());

    open();
    expectLoadState();
}

} // namespace
