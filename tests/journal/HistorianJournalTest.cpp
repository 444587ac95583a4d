#include <gtest/gtest.h>

#include "journal/HistorianJournal.h"
#include "support/EventListSink.h"

namespace {

using Kind = JournalEvent::Kind;

const QDateTime t0(QDate(2026, 12, 7), QTime(9, 0, 0));
const QString kServer = QStringLiteral("host=historian.plant dbname=history user=line1");

TEST(HistorianJournalTest, anEpisodeGivesOneFailingWithItsReasonAndOneResumedAndTheFirstSuccessNone)
{
    EventListSink sink;
    HistorianJournal journal(sink, kServer);
    journal.resumed(t0);  // forwarding began: nothing to say
    journal.failing(t0.addSecs(5), QStringLiteral("no-connection"), QStringLiteral("cannot connect: no such file"));
    journal.failing(t0.addSecs(65), QStringLiteral("server-shutdown"), QStringLiteral("the database system is starting up"));
    journal.resumed(t0.addSecs(90));
    journal.resumed(t0.addSecs(95));

    ASSERT_EQ(sink.events.size(), 2u);
    EXPECT_EQ(sink.events[0].kind, Kind::HistorianFailing);
    EXPECT_EQ(sink.events[0].time, t0.addSecs(5));
    EXPECT_EQ(sink.events[0].what, QStringLiteral("no-connection"));
    EXPECT_EQ(sink.events[0].text, QStringLiteral("cannot connect: no such file"));
    EXPECT_EQ(sink.events[0].source, kServer);
    EXPECT_EQ(sink.events[1].kind, Kind::HistorianResumed);
    EXPECT_EQ(sink.events[1].time, t0.addSecs(90));
}

} // namespace
