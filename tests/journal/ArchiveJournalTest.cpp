#include <gtest/gtest.h>

#include "journal/ArchiveJournal.h"
#include "support/EventListSink.h"

namespace {

using Kind = JournalEvent::Kind;

const QDateTime t0(QDate(2026, 12, 7), QTime(9, 0, 0));
const QString kFolder = QStringLiteral("/var/lib/station/archive");

TEST(ArchiveJournalTest, anEpisodeGivesOneFailingWithItsReasonAndOneResumedWithTheSamplesLost)
{
    EventListSink sink;
    ArchiveJournal journal(sink, kFolder);
    journal.writing(t0, 0);  // the first batch: nothing to say
    journal.failing(t0.addSecs(5), QStringLiteral("database or disk is full"));
    journal.failing(t0.addSecs(10), QStringLiteral("disk I/O error"));  // same episode
    journal.writing(t0.addSecs(90), 12);
    journal.writing(t0.addSecs(100), 12);

    ASSERT_EQ(sink.events.size(), 2u);
    EXPECT_EQ(sink.events[0].kind, Kind::ArchiveFailing);
    EXPECT_EQ(sink.events[0].time, t0.addSecs(5));
    EXPECT_EQ(sink.events[0].text, QStringLiteral("database or disk is full"));
    EXPECT_EQ(sink.events[0].source, kFolder);
    EXPECT_EQ(sink.events[1].kind, Kind::ArchiveResumed);
    EXPECT_EQ(sink.events[1].time, t0.addSecs(90));
    EXPECT_EQ(sink.events[1].newValue, QStringLiteral("12"));
}

TEST(ArchiveJournalTest, eachEpisodeCountsOnlyTheSamplesItLost)
{
    EventListSink sink;
    ArchiveJournal journal(sink, kFolder);
    journal.failing(t0, QStringLiteral("full"));
    journal.writing(t0.addSecs(60), 7);
    journal.failing(t0.addSecs(120), QStringLiteral("full"));
    journal.writing(t0.addSecs(130), 7);

    ASSERT_EQ(sink.events.size(), 4u);
    EXPECT_EQ(sink.events[1].newValue, QStringLiteral("7"));
    EXPECT_EQ(sink.events[3].newValue, QStringLiteral("0"));
}

} // namespace
