#include <gtest/gtest.h>

#include "history/RecorderHealth.h"
#include "journal/HistoryJournal.h"
#include "support/EventListSink.h"

namespace {

using Kind = JournalEvent::Kind;

const QDateTime t0(QDate(2026, 12, 7), QTime(9, 0, 0));
const QString kPath = QStringLiteral("/var/lib/station/history.sqlite");

class HistoryJournalTest : public ::testing::Test {
protected:
    std::vector<Kind> kinds() const
    {
        std::vector<Kind> k;
        for (const JournalEvent& e : sink.events)
            k.push_back(e.kind);
        return k;
    }

    RecorderHealth health;
    EventListSink sink;
    HistoryJournal journal{sink, kPath};
};

TEST_F(HistoryJournalTest, aFailureEpisodeGivesOneFailingWithItsReasonAndOneResumed)
{
    health.recordStored(t0, true);
    journal.healthChanged(health);
    health.recordFailure(QStringLiteral("disk I/O error"), t0.addSecs(1));
    journal.healthChanged(health);
    health.recordFailure(QStringLiteral("database or disk is full"), t0.addSecs(2));  // a new reason, same episode
    journal.healthChanged(health);
    health.recordStored(t0.addSecs(7), true);
    journal.healthChanged(health);
    health.recordStored(t0.addSecs(8), true);
    journal.healthChanged(health);

    EXPECT_EQ(kinds(), (std::vector<Kind>{Kind::HistoryFailing, Kind::HistoryResumed}));
    EXPECT_EQ(sink.events[0].time, t0.addSecs(1));
    EXPECT_EQ(sink.events[0].text, QStringLiteral("disk I/O error"));
    EXPECT_EQ(sink.events[0].source, kPath);
    EXPECT_EQ(sink.events[1].time, t0.addSecs(7));
}

TEST_F(HistoryJournalTest, eachReplacedFileIsJournaledOnce)
{
    health.recordStored(t0, true);
    health.recordFileSwitch(HistoryDatabase::FileChange::Replaced, t0.addSecs(1));
    journal.healthChanged(health);
    journal.healthChanged(health);
    health.recordFileSwitch(HistoryDatabase::FileChange::Recreated, t0.addSecs(5));
    journal.healthChanged(health);

    EXPECT_EQ(kinds(), (std::vector<Kind>{Kind::HistoryReplaced, Kind::HistoryReplaced}));
    EXPECT_EQ(sink.events[0].time, t0.addSecs(1));
    EXPECT_EQ(sink.events[1].time, t0.addSecs(5));
    EXPECT_NE(sink.events[0].text, sink.events[1].text);
}

} // namespace
