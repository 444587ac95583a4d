#include <QLabel>
#include <QStringList>

#include "support/ConfigFixture.h"
#include "support/StateFeed.h"
#include "widgets/PanelField.h"
#include "configwindow/ParameterRowView.h"
#include "widgets/StatusIndicator.h"

namespace {

// Collects the warnings of the windows' logging category while it lives.
class WindowWarnings {
public:
    WindowWarnings() { previous_ = qInstallMessageHandler(&WindowWarnings::collect); }
    ~WindowWarnings() { qInstallMessageHandler(previous_); }

    static inline QStringList seen;

private:
    static void collect(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if (type == QtWarningMsg && QLatin1String(context.category) == QLatin1String("tq5800.windows"))
            seen.append(message);
    }

    QtMessageHandler previous_ = nullptr;
};

class ConfigWriteBack : public ConfigFixture {
protected:
    void SetUp() override
    {
        ConfigFixture::SetUp();
        open();
    }

    QString mark(int n) const { return window->row(n)->writeMark()->text(); }
};

struct BoxCase {
    int n;
    const char* text;
    int registerAddress;
    int value;
};

TEST_F(ConfigWriteBack, aValueBoxWritesItsScaledRoundedEntryWhenLeft)
{
    const BoxCase cases[] = {
        {18, "0.05", 4114, 0},   {18, "0.15", 4114, 2},     {6, "1.5", 4102, 15},  {4, "-1999", 4100, -1999},
        {17, "100", 4113, 1000}, {14, "30", 4110, 30},      {3, "9999", 4099, 9999},
        {37, "5", 4133, 5},      {33, "1.25", 4129, 12},    {25, "12.5kg", 4121, 12},
    };
    for (const BoxCase& c : cases) {
        bus.clearCalls();
        typeAndLeave(c.n, QString::fromUtf8(c.text));
        EXPECT_EQ(writes(), (std::vector{writeCall(c.registerAddress, c.value)})) << c.n << " " << c.text;
        EXPECT_EQ(mark(c.n), QStringLiteral("已写入")) << c.n;
    }
}

struct PickCase {
    int n;
    int index;
    int registerAddress;
};

TEST_F(ConfigWriteBack, pickingAnItemAndLeavingWritesItsCode)
{
    const PickCase cases[] = {{1, 11, 4097}, {1, 8, 4097}, {24, 6, 4120}, {36, 1, 4132}, {30, 3, 4126}, {26, 2, 4122}};
    for (const PickCase& c : cases) {
        bus.clearCalls();
        pickAndLeave(c.n, c.index);
        EXPECT_EQ(writes(), (std::vector{writeCall(c.registerAddress, c.index)})) << c.n << " item " << c.index;
    }
}

TEST_F(ConfigWriteBack, aPickIsWrittenWhenTheListIsLeftNotBefore)
{
    pick(1, 5);
    EXPECT_TRUE(writes().empty());
    EXPECT_EQ(window->choiceEdit(1)->currentText(), QStringLiteral("5:J(0-1200) "));
    QTest::keyClick(window->choiceEdit(1), Qt::Key_Tab);
    EXPECT_EQ(writes(), (std::vector{writeCall(4097, 5)}));
    EXPECT_EQ(window->choiceEdit(1)->currentText(), QStringLiteral("5:J(0-1200) "));
}

TEST_F(ConfigWriteBack, aCodeTypedIntoAListIsWrittenWhenLeft)
{
    typeAndLeave(22, QStringLiteral("3"));
    typeAndLeave(11, QStringLiteral("1"));
    EXPECT_EQ(writes(), (std::vector{writeCall(4118, 3), writeCall(4107, 1)}));
}

TEST_F(ConfigWriteBack, aCodeTypedIntoAnyListIsWrittenOnceOnReturnNotWhileTyped)
{
    for (const ParameterCatalogue::Parameter& p : ParameterCatalogue::parameters()) {
        if (!p.isChoice())
            continue;
        bus.clearCalls();
        // The highest code: two keystrokes in the longer lists, the first of
        // them a code of its own.
        const int code = static_cast<int>(p.choices.size()) - 1;
        QWidget* combo = focusEntry(p.number);
        editOf(p.number)->selectAll();
        QTest::keyClicks(editOf(p.number), QString::number(code));
        EXPECT_TRUE(writes().empty()) << p.number;
        QTest::keyClick(combo, Qt::Key_Return);
        EXPECT_TRUE(combo->hasFocus());
        QTest::keyClick(combo, Qt::Key_Tab);  // leaving adds nothing
        EXPECT_EQ(writes(), (std::vector{writeCall(p.registerAddress, code)})) << p.number;
    }
}

TEST_F(ConfigWriteBack, heatingAndCoolingWritesAPickAtOnce)
{
    pick(11, 1);
    EXPECT_EQ(writes(), (std::vector{writeCall(4107, 1)}));
}

TEST_F(ConfigWriteBack, anItemsFullTextTypedAndConfirmedIsWrittenOnceAndAPickAfterwardsAgain)
{
    QWidget* combo = focusEntry(11);
    editOf(11)->selectAll();
    editOf(11)->insert(QStringLiteral("1:制冷正作用 "));  // as typed, beyond what key clicks can spell
    QTest::keyClick(combo, Qt::Key_Return);
    QTest::keyClick(combo, Qt::Key_Tab);
    typeAndLeave(1, QStringLiteral("1:S(0-1700) "));
    QTest::keyClick(focusEntry(1), Qt::Key_Tab);  // leaving again adds nothing
    EXPECT_EQ(writes(), (std::vector{writeCall(4107, 1), writeCall(4097, 1)}));

    bus.clearCalls();
    pick(11, 0);
    EXPECT_EQ(writes(), (std::vector{writeCall(4107, 0)}));
}

TEST_F(ConfigWriteBack, aFailedWriteIsRepeatedOnceAndTheRowShowsItUntilAWriteSucceeds)
{
    bus.scriptWriteResults({false, false});
    typeAndLeave(18, QStringLiteral("5"));
    EXPECT_EQ(writes(), (std::vector{writeCall(4114, 50), writeCall(4114, 50)}));
    EXPECT_EQ(mark(18), QStringLiteral("写入失败"));
    EXPECT_EQ(window->statusLine()->line().severity, StatusSeverity::Fault);
    EXPECT_TRUE(window->statusLine()->text().contains(QStringLiteral("输出下限幅")));

    typeAndLeave(17, QStringLiteral("90"));  // another row's success leaves it
    writes();
    EXPECT_EQ(mark(18), QStringLiteral("写入失败"));

    bus.clearCalls();
    typeAndLeave(18, QStringLiteral("6"));
    EXPECT_EQ(writes(), (std::vector{writeCall(4114, 60)}));
    EXPECT_EQ(mark(18), QStringLiteral("已写入"));
    EXPECT_EQ(window->statusLine()->line().severity, StatusSeverity::Ok);
}

TEST_F(ConfigWriteBack, aWriteThatSucceedsOnTheRepeatCountsAsWritten)
{
    bus.scriptWriteResults({false});
    pickAndLeave(7, 2);
    EXPECT_EQ(writes(), (std::vector{writeCall(4103, 2), writeCall(4103, 2)}));
    EXPECT_EQ(mark(7), QStringLiteral("已写入"));
}

TEST_F(ConfigWriteBack, leavingAgainWithoutAnotherEditWritesNothingMore)
{
    typeAndLeave(3, QStringLiteral("100"));
    QTest::keyClick(focusEntry(3), Qt::Key_Tab);
    pickAndLeave(2, 1);
    QTest::keyClick(focusEntry(2), Qt::Key_Tab);
    EXPECT_EQ(writes(), (std::vector{writeCall(4099, 100), writeCall(4098, 1)}));
}

TEST_F(ConfigWriteBack, returnInAnEntryWritesItAsLeavingWould)
{
    QWidget* box = focusEntry(13);
    QTest::keyClicks(box, QStringLiteral("120"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_TRUE(box->hasFocus());
    QTest::keyClick(box, Qt::Key_Tab);
    EXPECT_EQ(writes(), (std::vector{writeCall(4109, 120)}));
}

struct RefusedCase {
    int n;
    const char* text;  // typed after "5" and a backspace, so "" is an edit too
};

TEST_F(ConfigWriteBack, anEntryWithoutAUsableNumberWritesNothingAndIsMarked)
{
    const RefusedCase cases[] = {{12, "abc"}, {12, ""}, {12, "   "},  {6, "-"},   {3, "99999"},
                                 {17, "3276.8"}, {1, "x"}, {11, "10"}, {24, "7:"}, {13, "-5"}};
    for (const RefusedCase& c : cases) {
        QWidget* entry = focusEntry(c.n);
        QLineEdit* edit = editOf(c.n);
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("5"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, QString::fromUtf8(c.text));
        QTest::keyClick(entry, Qt::Key_Tab);

        EXPECT_TRUE(writes().empty()) << c.n << " '" << c.text << "'";
        EXPECT_TRUE(window->row(c.n)->refused()) << c.n << " '" << c.text << "'";
        EXPECT_FALSE(entry->toolTip().isEmpty());
        EXPECT_FALSE(entry->styleSheet().isEmpty());
        const StatusLine& status = window->statusLine()->line();
        EXPECT_EQ(status.severity, StatusSeverity::Warning);
        EXPECT_TRUE(status.text.contains(ParameterCatalogue::text(ParameterCatalogue::find(c.n)->caption)));
        EXPECT_TRUE(status.text.contains(QStringLiteral("未写入")));
        EXPECT_EQ(edit->text(), QStringLiteral("%1").arg(QString::fromUtf8(c.text)));  // left as typed
    }
    // The last, outside its parameter's range, names the range.
    EXPECT_TRUE(window->statusLine()->line().text.contains(QStringLiteral("数值须在 0 到 3600 之间")))
        << window->statusLine()->line().text.toStdString();
}

TEST_F(ConfigWriteBack, theMarkGoesWhenTheOperatorCorrectsTheEntry)
{
    typeAndLeave(12, QStringLiteral("abc"));
    ASSERT_TRUE(window->row(12)->refused());
    QWidget* box = focusEntry(12);
    window->valueEdit(12)->selectAll();
    QTest::keyClicks(box, QStringLiteral("2"));
    EXPECT_FALSE(window->row(12)->refused());
    EXPECT_TRUE(box->styleSheet().isEmpty());
    QTest::keyClick(box, Qt::Key_Tab);
    EXPECT_EQ(writes(), (std::vector{writeCall(4108, 2)}));
}

TEST_F(ConfigWriteBack, refusedEntriesAndFailedWritesAreLoggedAsWarnings)
{
    WindowWarnings::seen.clear();
    const WindowWarnings warnings;
    typeAndLeave(12, QStringLiteral("abc"));
    ASSERT_EQ(WindowWarnings::seen.size(), 1);
    EXPECT_TRUE(WindowWarnings::seen[0].contains(QStringLiteral("abc"))) << WindowWarnings::seen[0].toStdString();
    // The log is English, also under the Chinese interface the window shows here.
    EXPECT_TRUE(WindowWarnings::seen[0].endsWith(QStringLiteral("refused: \"entry does not start with a number\"")))
        << WindowWarnings::seen[0].toStdString();

    bus.scriptWriteResults({false, false});
    typeAndLeave(18, QStringLiteral("5"));
    writes();
    ASSERT_EQ(WindowWarnings::seen.size(), 2);
    EXPECT_TRUE(WindowWarnings::seen[1].contains(QStringLiteral("4114"))) << WindowWarnings::seen[1].toStdString();
}

TEST_F(ConfigWriteBack, aWriteCarriesTheValueShownBeforeTheEntryAsTypedAndTheWindowForTheJournal)
{
    StateFeed::setParameter(state, 14, 20, clock.now());
    ASSERT_TRUE(waitFor([&] { return window->currentValueField(14)->text() == QStringLiteral("20"); }, 5000));
    std::vector<WriteRequest> requests;
    QObject::connect(&link, &InstrumentLink::writeFinished, window.get(),
                     [&](const WriteOutcome& outcome) { requests.push_back(outcome.request); });

    typeAndLeave(14, QStringLiteral("30"));
    drainLink();

    ASSERT_GE(requests.size(), 1U);
    EXPECT_EQ(requests[0].address, 4110);
    EXPECT_EQ(requests[0].shownBefore, QStringLiteral("20"));
    EXPECT_EQ(requests[0].shownValue, QStringLiteral("30"));
    EXPECT_EQ(requests[0].origin, WriteOrigin::kConfiguration);
}

} // namespace
