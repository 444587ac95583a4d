#include <gtest/gtest.h>

#include "history/RecorderHealth.h"
#include "journal/HistoryJournal.h"
#include "journal/StoredForms.h"
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

TEST_F(HistoryJournalTest, resumedSaysHowManySecondsTheRingMissedInItsEpisodeAndWhetherTheArchiveHasThem)
{
    struct Episode {
        int missed;
        bool handedOn;
        const char* newValue;
        QString text;
    };
    const Episode episodes[] = {
        {3, true, "3", StoredForms::kRingGapArchived},
        {2, false, "2", StoredForms::kRingGapNotKept},  // counted anew, not since start
        {0, true, "0", QString()},                      // failed and recovered before a second fell due
    };
    QDateTime t = t0;
    for (const Episode& e : episodes) {
        health.setSamplesHandedOn(e.handedOn);
        health.recordFailure(QStringLiteral("disk I/O error"), t);
        journal.healthChanged(health);
        for (int i = 0; i < e.missed; ++i)
            health.recordMissedSecond(t = t.addSecs(1));
        health.recordStored(t = t.addSecs(1), true);
        journal.healthChanged(health);
    }
    ASSERT_EQ(sink.events.size(), 6u);
    for (size_t i = 0; i < std::size(episodes); ++i) {
        const JournalEvent& resumed = sink.events[2 * i + 1];
        EXPECT_EQ(resumed.kind, Kind::HistoryResumed);
        EXPECT_EQ(resumed.newValue, QString::fromLatin1(episodes[i].newValue)) << i;
        EXPECT_EQ(resumed.text, episodes[i].text) << i;
    }
    EXPECT_EQ(health.missedSeconds(), 5);
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
