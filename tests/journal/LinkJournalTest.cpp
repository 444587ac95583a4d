#include <gtest/gtest.h>

#include "journal/LinkJournal.h"
#include "link/LinkHealth.h"
#include "support/EventListSink.h"
#include "support/FakeClock.h"

namespace {

using Kind = JournalEvent::Kind;

const QDateTime t0(QDate(2026, 12, 7), QTime(9, 0, 0));
const QString kSource = QStringLiteral("port 1 address 1");
const QString kTimeOut = QStringLiteral("Connection timed out");

CycleReport cycle(int failed)
{
    CycleReport r;
    r.calls = 8;
    r.failedCalls = failed;
    r.failureReason = failed ? kTimeOut : QString();
    return r;
}

class LinkJournalTest : public ::testing::Test {
protected:
    void open()
    {
        health.linkOpened();
        journal.opened(kSource);
        journal.healthChanged(health);
    }

    void close()
    {
        health.linkClosed();
        journal.healthChanged(health);
        journal.closed();
    }

    // A finished poll cycle with this many failed calls, at t0 + seconds.
    void poll(int failed, int seconds)
    {
        clock.set(t0.addSecs(seconds));
        health.recordCycle(cycle(failed), clock.now());
        journal.healthChanged(health);
    }

    std::vector<Kind> kinds() const
    {
        std::vector<Kind> k;
        for (const JournalEvent& e : sink.events)
            k.push_back(e.kind);
        return k;
    }

    FakeClock clock{t0};
    LinkHealth health;
    EventListSink sink;
    LinkJournal journal{sink, clock};
};

TEST_F(LinkJournalTest, anEpisodeGivesOneFailingWithItsStartAndReasonAndOneRecovered)
{
    open();
    poll(0, 1);
    poll(8, 2);
    poll(8, 3);  // still failing: no second event
    poll(3, 4);
    poll(0, 5);
    poll(0, 6);

    EXPECT_EQ(kinds(), (std::vector<Kind>{Kind::LinkOpened, Kind::LinkFailing, Kind::LinkRecovered}));
    const JournalEvent& failing = sink.events[1];
    EXPECT_EQ(failing.time, t0.addSecs(2));
    EXPECT_TRUE(failing.what.isEmpty());  // the readers word the link's reason
    EXPECT_EQ(failing.text, kTimeOut);
    EXPECT_EQ(failing.oldValue, t0.addSecs(1).toString(Qt::ISODateWithMs));
    EXPECT_EQ(failing.source, kSource);
    EXPECT_EQ(sink.events[2].time, t0.addSecs(5));
}

TEST_F(LinkJournalTest, openingAndClosingAreJournaledAndClosingEndsAnEpisodeWithoutARecovery)
{
    open();
    poll(8, 1);
    close();
    open();
    poll(0, 3);
    poll(8, 4);

    EXPECT_EQ(kinds(), (std::vector<Kind>{Kind::LinkOpened, Kind::LinkFailing, Kind::LinkClosed, Kind::LinkOpened,
                                          Kind::LinkFailing}));
    EXPECT_EQ(sink.events[2].source, kSource);
}

} // namespace
