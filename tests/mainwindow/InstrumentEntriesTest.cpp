#include <functional>

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

#include "mainwindow/AlarmPanel.h"
#include "mainwindow/LinkSettingsBar.h"
#include "mainwindow/LivePanel.h"
#include "support/StateFeed.h"
#include "support/StationFixture.h"
#include "support/WrittenCalls.h"
#include "widgets/EntryFeedback.h"
#include "widgets/InstrumentEntry.h"

namespace {

using Call = FakeFieldbus::Call;

// One entry of the main window that writes to the instrument.
struct EntryCase {
    QString command;  // as the status bar names it
    std::function<QLineEdit*(MainWindow&)> entry;
    std::function<QPushButton*(MainWindow&)> button;
    // The instrument holds `value` (in its units), read at `at`.
    std::function<void(InstrumentState&, double value, const QDateTime& at)> feed;
    int registerNumber;
    double held;          // what the instrument holds at first
    QString heldText;     // how the entry shows it
    QString typed;        // what the operator types
    int written;          // the register value that goes out
};

QList<EntryCase> elevenEntries()
{
    QList<EntryCase> cases{
        {QStringLiteral("设定SV"), [](MainWindow& w) { return w.panel()->setValueEntry(); },
         [](MainWindow& w) { return w.panel()->setValueButton(); },
         [](InstrumentState& s, double v, const QDateTime& at) { StateFeed::setCommand(s, RegisterMap::kSetValue, v, at); },
         RegisterMap::kSetValue, 150, QStringLiteral("150"), QStringLiteral("200"), 200},
        // The register holds tenths; the entry is in per cent.
        {QStringLiteral("设定OP"), [](MainWindow& w) { return w.panel()->outputEntry(); },
         [](MainWindow& w) { return w.panel()->outputButton(); },
         [](InstrumentState& s, double v, const QDateTime& at) { StateFeed::setCommand(s, RegisterMap::kManualOutput, v, at); },
         RegisterMap::kManualOutput, 12.5, QStringLiteral("12.5"), QStringLiteral("40"), 400},
    };
    for (int row = 0; row < AlarmRows::kRows; ++row) {
        cases.append({AlarmRows::caption(row), [row](MainWindow& w) { return w.alarmPanel()->entry(row); },
                      [row](MainWindow& w) { return w.alarmPanel()->downloadButton(row); },
                      [row](InstrumentState& s, double v, const QDateTime& at) {
                          StateFeed::setAlarmRegister(s, AlarmRows::registerOf(row) - RegisterMap::kAlarmBlockStart,
                                                      static_cast<int>(v), at);
                      },
                      AlarmRows::registerOf(row), 150.0 + row, QString::number(150 + row), QStringLiteral("10"), 10});
    }
    return cases;
}

// The main window's entries that write, on a fake fieldbus with the link
// open and values fed as the poll would read them.
class InstrumentEntriesTest : public StationFixture {
protected:
    void SetUp() override
    {
        StationFixture::SetUp();
        startWindow();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        openLinkWithoutPolls();
        // Writes are stamped a minute after the start: reads at readAt(1)
        // and readAt(2) come before them, from readAt(61) on after them.
        clock.advanceMs(60'000);
    }

    // Replaces the entry's text by typing, as the operator does.
    static void typeOver(QLineEdit* entry, const QString& text)
    {
        entry->selectAll();
        QTest::keyClicks(entry, text);
    }

    std::vector<Call> click(QPushButton* button)
    {
        return writtenCalls(bus, link, [&] { QTest::mouseClick(button, Qt::LeftButton); });
    }

    // The time of a read `seconds` after the clock's start.
    QDateTime readAt(int seconds) const { return startTime.addSecs(seconds); }

    QString status() const { return window->statusBar()->currentMessage(); }

    const QDateTime startTime = clock.now();
    const QList<EntryCase> cases = elevenEntries();
};

TEST_F(InstrumentEntriesTest, eachEntryIsBlankBeforeTheFirstReadThenShowsTheInstrumentsValue)
{
    window->refreshLiveValues();
    for (const EntryCase& c : cases)
        EXPECT_EQ(c.entry(*window)->text(), QString()) << c.command.toStdString() << ": a made-up value";

    for (const EntryCase& c : cases)
        c.feed(state, c.held, readAt(1));
    window->refreshLiveValues();
    for (const EntryCase& c : cases)
        EXPECT_EQ(c.entry(*window)->text(), c.heldText) << c.command.toStdString();

    // The instrument's value changes (at its front panel, say): the entry follows.
    for (const EntryCase& c : cases)
        c.feed(state, 77, readAt(2));
    window->refreshLiveValues();
    for (const EntryCase& c : cases)
        EXPECT_EQ(c.entry(*window)->text(), QStringLiteral("77")) << c.command.toStdString();
}

TEST_F(InstrumentEntriesTest, aDownloadOfAnEntryTheOperatorHasNotChangedWritesNothingAndSaysSo)
{
    // Before the first read as after it: the box holds no command.
    for (const bool read : {false, true}) {
        if (read) {
            for (const EntryCase& c : cases)
                c.feed(state, c.held, readAt(1));
        }
        window->refreshLiveValues();
        for (const EntryCase& c : cases) {
            window->statusBar()->clearMessage();
            EXPECT_TRUE(click(c.button(*window)).empty()) << c.command.toStdString();
            EXPECT_EQ(status(), QStringLiteral("“%1” 未修改，没有写入").arg(c.command)) << c.command.toStdString();
            EXPECT_FALSE(EntryFeedback::isMarked(c.entry(*window))) << c.command.toStdString();
        }
    }

    // Typed back to what the instrument holds: still no command.
    for (const EntryCase& c : cases) {
        typeOver(c.entry(*window), c.heldText);
        EXPECT_TRUE(click(c.button(*window)).empty()) << c.command.toStdString();
    }
}

TEST_F(InstrumentEntriesTest, whatTheOperatorTypesOutlastsTheRefreshesAndGoesOutOnceThenTheEntryFollowsTheReadBack)
{
    for (const EntryCase& c : cases)
        c.feed(state, c.held, readAt(1));
    window->refreshLiveValues();

    for (const EntryCase& c : cases) {
        QLineEdit* entry = c.entry(*window);
        typeOver(entry, c.typed);
        c.feed(state, c.held + 1, readAt(2));
        window->refreshLiveValues();
        EXPECT_EQ(entry->text(), c.typed) << c.command.toStdString() << ": the poll overwrote the operator's text";

        EXPECT_EQ(click(c.button(*window)), (std::vector<Call>{{"writeRegister", {c.registerNumber, c.written}}}))
            << c.command.toStdString();
        // Written: a second click is no new command.
        EXPECT_TRUE(click(c.button(*window)).empty()) << c.command.toStdString();

        // A read from before the write does not put the old value back.
        window->refreshLiveValues();
        EXPECT_EQ(entry->text(), c.typed) << c.command.toStdString();
    }

    // Read back after the write: the entries follow the instrument again.
    for (const EntryCase& c : cases)
        c.feed(state, c.typed.toDouble(), readAt(61));
    window->refreshLiveValues();
    for (const EntryCase& c : cases)
        EXPECT_EQ(c.entry(*window)->text(), c.typed) << c.command.toStdString();
    for (const EntryCase& c : cases)
        c.feed(state, 66, readAt(62));
    window->refreshLiveValues();
    for (const EntryCase& c : cases)
        EXPECT_EQ(c.entry(*window)->text(), QStringLiteral("66")) << c.command.toStdString();
}

TEST_F(InstrumentEntriesTest, escTakesBackARefusedEntryWithItsMarkAndLeavesTheStationRunning)
{
    const EntryCase& sv = cases[0];
    sv.feed(state, sv.held, readAt(1));
    window->refreshLiveValues();
    QLineEdit* entry = sv.entry(*window);
    typeOver(entry, QStringLiteral("abc"));
    EXPECT_TRUE(click(sv.button(*window)).empty());
    ASSERT_TRUE(EntryFeedback::isMarked(entry));

    QSignalSpy exits(window.get(), &MainWindow::exitRequested);
    QTest::keyClick(entry, Qt::Key_Escape);
    EXPECT_EQ(entry->text(), sv.heldText);
    EXPECT_FALSE(EntryFeedback::isMarked(entry));
    EXPECT_EQ(exits.count(), 0);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(InstrumentEntriesTest, withTheLinkClosedNothingWritesAndTheButtonsSayWhy)
{
    QPushButton* const switches[] = {window->panel()->selfTuningButton(), window->panel()->manualAutoButton(),
                                     window->panel()->manualInhibitButton()};
    const auto writeButtonsEnabled = [&](bool enabled) {
        for (const EntryCase& c : cases) {
            EXPECT_EQ(c.button(*window)->isEnabled(), enabled) << c.command.toStdString();
            EXPECT_EQ(c.button(*window)->toolTip().isEmpty(), enabled) << c.command.toStdString();
        }
        for (QPushButton* button : switches) {
            EXPECT_EQ(button->isEnabled(), enabled) << button->text().toStdString();
            EXPECT_EQ(button->toolTip().isEmpty(), enabled) << button->text().toStdString();
        }
    };
    writeButtonsEnabled(true);

    QTest::mouseClick(window->settings()->closeButton(), Qt::LeftButton);
    writeButtonsEnabled(false);
    EXPECT_EQ(cases[0].button(*window)->toolTip(), QStringLiteral("链路未打开：先按“打开”"));

    // Return in a changed entry asks for the write: refused, the text kept.
    for (const EntryCase& c : cases) {
        QLineEdit* entry = c.entry(*window);
        typeOver(entry, c.typed);
        EXPECT_TRUE(writtenCalls(bus, link, [&] { QTest::keyClick(entry, Qt::Key_Return); }).empty())
            << c.command.toStdString();
        EXPECT_EQ(status(), QStringLiteral("“%1”未执行：链路未打开，先按“打开”").arg(c.command));
        EXPECT_EQ(entry->text(), c.typed);
    }

    QTest::mouseClick(window->settings()->openButton(), Qt::LeftButton);
    writeButtonsEnabled(true);
    EXPECT_EQ(writtenCalls(bus, link, [&] { QTest::keyClick(cases[0].entry(*window), Qt::Key_Return); }),
              (std::vector<Call>{{"writeRegister", {cases[0].registerNumber, cases[0].written}}}));
}

} // namespace
