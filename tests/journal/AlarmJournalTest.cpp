#include <gtest/gtest.h>

#include "instrument/InstrumentState.h"
#include "journal/AlarmJournal.h"
#include "support/EventListSink.h"
#include "support/StateFeed.h"

namespace {

using Kind = JournalEvent::Kind;

const QDateTime t0(QDate(2026, 12, 7), QTime(9, 0, 0));
const QString kSource = QStringLiteral("port 1 address 1");

class AlarmJournalTest : public ::testing::Test {
protected:
    AlarmJournalTest() { journal.linkOpened(kSource); }

    // One good read of the discrete inputs with these on, at t0 + seconds.
    void read(std::initializer_list<int> on, int seconds)
    {
        std::bitset<RegisterMap::kBitBlockSize> bits;
        for (int input : on)
            bits[static_cast<size_t>(input - RegisterMap::kBitBlockStart)] = true;
        state.setDiscreteInputs(bits, t0.addSecs(seconds));
        journal.inputsRead(state);
    }

    void failedRead()
    {
        state.markReadFailed(InstrumentState::Block::DiscreteInputs);
        journal.inputsRead(state);
    }

    InstrumentState state;
    EventListSink sink;
    AlarmJournal journal{sink};
};

TEST_F(AlarmJournalTest, aBitGoingOnAndOffGivesOneRaisedAndOneClearedWithTheTimesOfTheirReads)
{
    read({}, 0);
    EXPECT_TRUE(sink.events.empty());
    read({RegisterMap::kAlarmOutput1}, 1);
    read({RegisterMap::kAlarmOutput1}, 2);  // repeated polls of an alarm that stays on
    read({RegisterMap::kAlarmOutput1}, 3);
    read({}, 4);
    read({}, 5);

    ASSERT_EQ(sink.events.size(), 2U);
    EXPECT_EQ(sink.events[0].kind, Kind::AlarmRaised);
    EXPECT_EQ(sink.events[0].what, QStringLiteral("ALM1"));
    EXPECT_EQ(sink.events[0].time, t0.addSecs(1));
    EXPECT_EQ(sink.events[0].source, kSource);
    EXPECT_TRUE(sink.events[0].text.isEmpty());  // the readers word it
    EXPECT_EQ(sink.events[1].kind, Kind::AlarmCleared);
    EXPECT_EQ(sink.events[1].what, QStringLiteral("ALM1"));
    EXPECT_EQ(sink.events[1].time, t0.addSecs(4));
}

TEST_F(AlarmJournalTest, eachWatchedInputIsNamedAndTheUnusedOnesSayNothing)
{
    read({}, 0);
    read({1, 2, 3, 4, 5, 6, 7, 16}, 1);
    QStringList raised;
    for (const JournalEvent& e : sink.events) {
        EXPECT_EQ(e.kind, Kind::AlarmRaised);
        raised << e.what;
    }
    EXPECT_EQ(raised, (QStringList{"ALM1", "ALM2", "ALM3", "BREAK", "SHORT"}));
}

TEST_F(AlarmJournalTest, aFailedReadChangesNothing)
{
    read({RegisterMap::kInputOpen}, 0);
    sink.events.clear();
    failedRead();
    failedRead();
    read({RegisterMap::kInputOpen}, 3);
    EXPECT_TRUE(sink.events.empty());
}

TEST_F(AlarmJournalTest, anAlarmAlreadyOnAtTheFirstReadAfterOpeningIsRaisedOnce)
{
    failedRead();  // nothing read yet: nothing to tell
    read({RegisterMap::kAlarmOutput1 + 2}, 1);
    read({RegisterMap::kAlarmOutput1 + 2}, 2);
    ASSERT_EQ(sink.events.size(), 1U);
    EXPECT_EQ(sink.events[0].kind, Kind::AlarmRaised);
    EXPECT_EQ(sink.events[0].what, QStringLiteral("ALM3"));
    EXPECT_EQ(sink.events[0].time, t0.addSecs(1));

    // Opened again (another instrument, perhaps): what it shows is news again.
    journal.linkOpened(QStringLiteral("端口 2 地址 5"));
    read({RegisterMap::kAlarmOutput1 + 2}, 10);
    ASSERT_EQ(sink.events.size(), 2U);
    EXPECT_EQ(sink.events[1].kind, Kind::AlarmRaised);
    EXPECT_EQ(sink.events[1].source, QStringLiteral("端口 2 地址 5"));
}

} // namespace
