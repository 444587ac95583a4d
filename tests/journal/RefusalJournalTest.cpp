#include <gtest/gtest.h>

#include "journal/RefusalJournal.h"
#include "support/EventListSink.h"
#include "support/FakeClock.h"

namespace {

const QDateTime t0(QDate(2026, 12, 7), QTime(9, 0, 10));
const QDateTime minute0(QDate(2026, 12, 7), QTime(9, 0, 0));

class RefusalJournalTest : public ::testing::Test {
protected:
    void refuseAt(int seconds)
    {
        clock.set(t0.addSecs(seconds));
        journal.refused();
    }

    FakeClock clock{t0};
    EventListSink sink;
    RefusalJournal journal{sink, clock};
};

TEST_F(RefusalJournalTest, refusalsOfOneMinuteGiveOneEventWithTheirCountOnceTheMinuteIsOver)
{
    refuseAt(0);
    refuseAt(20);
    refuseAt(49);
    journal.publishDue();  // 09:00:59: the minute is not over
    EXPECT_TRUE(sink.events.empty());

    clock.set(t0.addSecs(55));
    journal.publishDue();
    journal.publishDue();
    ASSERT_EQ(sink.events.size(), 1U);
    EXPECT_EQ(sink.events[0].kind, JournalEvent::Kind::EntriesRefused);
    EXPECT_EQ(sink.events[0].time, minute0);
    EXPECT_EQ(sink.events[0].newValue, QStringLiteral("3"));
}

TEST_F(RefusalJournalTest, aRefusalInANewMinuteClosesTheLastAndQuietMinutesSayNothing)
{
    refuseAt(0);
    refuseAt(60);   // 09:01:10
    refuseAt(300);  // 09:05:10, three quiet minutes between
    clock.set(t0.addSecs(400));
    journal.publishDue();

    ASSERT_EQ(sink.events.size(), 3U);
    EXPECT_EQ(sink.events[0].time, minute0);
    EXPECT_EQ(sink.events[1].time, minute0.addSecs(60));
    EXPECT_EQ(sink.events[2].time, minute0.addSecs(300));
    for (const JournalEvent& e : sink.events)
        EXPECT_EQ(e.newValue, QStringLiteral("1"));
}

TEST_F(RefusalJournalTest, theCurrentMinuteIsJournaledAtTheEnd)
{
    journal.publishNow();
    EXPECT_TRUE(sink.events.empty());
    refuseAt(1);
    refuseAt(2);
    journal.publishNow();
    ASSERT_EQ(sink.events.size(), 1U);
    EXPECT_EQ(sink.events[0].newValue, QStringLiteral("2"));
}

} // namespace
