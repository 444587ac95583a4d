#include "support/ConfigFixture.h"
#include "support/StateFeed.h"
#include "widgets/PanelField.h"
#include "widgets/StatusIndicator.h"

namespace {

// The entries as the operator meets them: the instrument's registers come
// through the poll, a second apart on the station's clock, and the
// window's tick shows them.
class ConfigEntries : public ConfigFixture {
protected:
    void SetUp() override
    {
        ConfigFixture::SetUp();
        poll.setCycleInterval(std::chrono::hours(1));  // the test runs the cycles
        core.connection().open(LinkChoices{});
        open();
    }

    void instrumentHolds(int n, int raw) { bus.setHoldingRegister(RegisterMap::parameter(n), raw); }

    // A poll cycle a second after the last, then the window's tick.
    void pollAndShow()
    {
        clock.advanceMs(1000);
        QSignalSpy finished(&poll, &Poller::cycleFinished);
        poll.startCycle();
        ASSERT_TRUE(waitFor([&] { return finished.count() > 0; }));
        window->showCurrentValues();
    }

    QString entryText(int n) const { return editOf(n)->text(); }
    QString shown(int n) const { return window->currentValueField(n)->text(); }
    QString mark(int n) const { return window->row(n)->writeMark()->text(); }
    QString statusText() const { return window->statusLine()->line().text; }
};

// One row of each kind and form.
struct RowCase {
    int n;
    int held;             // the instrument's register
    const char* entry;    // what the entry shows for it
    const char* current;  // and the current-value column
    int other;            // a register value the operator changes it to
    const char* typed;    // typed for a value box; a choice picks `other`
    int meanwhile;        // changed at the instrument while the operator edits
    const char* sameAsHeld;  // typed, another spelling of what the instrument holds
};

const RowCase kRows[] = {
    {26, 1, "1:9600BPS ", "9600", 2, nullptr, 0, "1"},
    {22, 2, "2:下限 ", "下限", 5, nullptr, 1, "2:"},
    {12, 25, "25", "25", 30, "30", 26, "25.0"},
    {4, -1999, "-1999", "-1999", -100, "-100", -1998, "-1999"},
    {6, 10, "1.0", "1.0", 25, "2.5", 11, "1"},
    {17, 1000, "100.0", "100.0", 955, "95.5", 999, "100"},
};

TEST_F(ConfigEntries, entriesShowTheInstrumentsValueOnceReadAndHoldTheOperatorsUntilWrittenAndReadBack)
{
    for (const RowCase& c : kRows) {
        EXPECT_EQ(entryText(c.n), QString()) << c.n;
        if (QComboBox* list = comboOf(c.n)) {
            EXPECT_EQ(list->currentIndex(), -1) << c.n << ": item 0 would look read";
        }
        instrumentHolds(c.n, c.held);
    }
    pollAndShow();
    for (const RowCase& c : kRows) {
        EXPECT_EQ(entryText(c.n), QString::fromUtf8(c.entry)) << c.n;
        EXPECT_EQ(shown(c.n), QString::fromUtf8(c.current)) << c.n;
        if (QComboBox* list = comboOf(c.n)) {
            EXPECT_EQ(list->currentIndex(), c.held) << c.n;
        }
    }
    EXPECT_TRUE(writes().empty());

    for (const RowCase& c : kRows) {
        bus.clearCalls();
        if (c.typed) {
            focusEntry(c.n);
            editOf(c.n)->selectAll();
            QTest::keyClicks(editOf(c.n), QString::fromUtf8(c.typed));
        } else {
            pick(c.n, c.other);
        }
        const QString operators = entryText(c.n);
        instrumentHolds(c.n, c.meanwhile);
        pollAndShow();
        pollAndShow();
        EXPECT_EQ(entryText(c.n), operators) << c.n;
        EXPECT_NE(shown(c.n), QString::fromUtf8(c.current)) << c.n << ": the column follows the instrument";
        EXPECT_TRUE(writes().empty()) << c.n;

        QTest::keyClick(window->row(c.n)->entry(), Qt::Key_Tab);
        EXPECT_EQ(writes(), (std::vector{writeCall(RegisterMap::parameter(c.n), c.other)})) << c.n;
        pollAndShow();
        pollAndShow();
        EXPECT_EQ(entryText(c.n), operators) << c.n;
        EXPECT_EQ(mark(c.n), QStringLiteral("已写入")) << c.n;
        EXPECT_FALSE(window->row(c.n)->holdsEdit()) << c.n << ": following the instrument again";
    }
}

TEST_F(ConfigEntries, confirmingAnEntryTheOperatorHasNotChangedWritesNothingAndSaysSo)
{
    for (const RowCase& c : kRows)
        instrumentHolds(c.n, c.held);
    pollAndShow();
    for (const RowCase& c : kRows) {
        QWidget* entry = focusEntry(c.n);
        QTest::keyClick(entry, Qt::Key_Return);
        EXPECT_TRUE(statusText().endsWith(QStringLiteral("未修改，未写入"))) << c.n << " " << statusText().toStdString();

        editOf(c.n)->selectAll();
        QTest::keyClicks(editOf(c.n), QString::fromUtf8(c.sameAsHeld));
        QTest::keyClick(entry, Qt::Key_Return);
        EXPECT_TRUE(statusText().endsWith(QStringLiteral("与仪表当前值相同，未写入")))
            << c.n << " " << statusText().toStdString();
        EXPECT_EQ(window->statusLine()->line().severity, StatusSeverity::Idle);
        EXPECT_EQ(entryText(c.n), QString::fromUtf8(c.entry)) << c.n << ": back to the instrument's form";
        EXPECT_FALSE(window->row(c.n)->holdsEdit()) << c.n;
        QTest::keyClick(entry, Qt::Key_Tab);
    }
    // Picking the item the instrument holds is no command either.
    pick(26, 1);
    QTest::keyClick(comboOf(26), Qt::Key_Tab);
    EXPECT_TRUE(writes().empty());
    EXPECT_TRUE(mark(26).isEmpty());
}

TEST_F(ConfigEntries, escTakesBackAnEditOrPickWithoutWritingAndTheNextEscReturns)
{
    instrumentHolds(12, 25);
    instrumentHolds(26, 1);
    pollAndShow();
    QSignalSpy returned(window.get(), &ConfigWindow::returned);
    focusEntry(12);
    QTest::keyClicks(editOf(12), QStringLiteral("9"));
    QTest::keyClick(editOf(12), Qt::Key_Escape);
    EXPECT_EQ(entryText(12), QStringLiteral("25"));
    pick(26, 2);
    QTest::keyClick(comboOf(26), Qt::Key_Escape);
    EXPECT_EQ(entryText(26), QStringLiteral("1:9600BPS "));
    EXPECT_EQ(returned.count(), 0);
    EXPECT_TRUE(window->isVisible());

    QTest::keyClick(comboOf(26), Qt::Key_Escape);
    EXPECT_EQ(returned.count(), 1);
    EXPECT_TRUE(writes().empty());
}

// A write may run between two of the poll's parameter reads: the block
// that arrives next can hold the value from before it, and must neither
// put that back into the entry nor take the write's mark away.
TEST_F(ConfigEntries, aReadThatMayHaveBegunBeforeAWriteIsNotTakenForItsReadBack)
{
    StateFeed::setParameter(state, 12, 20, clock.now());
    window->showCurrentValues();
    typeAndLeave(12, QStringLiteral("25"));
    ASSERT_EQ(writes(), (std::vector{writeCall(4108, 25)}));

    clock.advanceMs(300);
    StateFeed::setParameter(state, 12, 20, clock.now());
    window->showCurrentValues();
    EXPECT_EQ(entryText(12), QStringLiteral("25"));
    EXPECT_EQ(mark(12), QStringLiteral("已写入"));

    // Read wholly after the write: the instrument holds 20 after all.
    clock.advanceMs(500);
    StateFeed::setParameter(state, 12, 20, clock.now());
    window->showCurrentValues();
    EXPECT_EQ(entryText(12), QStringLiteral("20"));
    EXPECT_EQ(mark(12), QString()) << "20 was not written";
}

} // namespace
