#include <gtest/gtest.h>

#include "instrument/RegisterMap.h"
#include "journal/WriteJournal.h"
#include "link/WriteRequest.h"
#include "support/EventListSink.h"
#include "support/FakeClock.h"

namespace {

const QDateTime t0(QDate(2026, 12, 7), QTime(9, 0, 0));
const QString kSource = QStringLiteral("port 2 address 7");

WriteOutcome outcome(WriteRequest request, bool ok, int attempts, const QString& error = {})
{
    return WriteOutcome{std::move(request), ok, attempts, error, {}};
}

class WriteJournalTest : public ::testing::Test {
protected:
    FakeClock clock{t0};
    EventListSink sink;
    WriteJournal journal{sink, clock, QStringLiteral("operator"), QStringLiteral("station-7")};
};

TEST_F(WriteJournalTest, aWriteTheInstrumentTookKeepsItsRegisterTheValuesAndWhoAndWhereFrom)
{
    WriteRequest request = WriteRequest::toRegister(1, 250, QStringLiteral("设定SV"), nullptr);
    request.shownBefore = QStringLiteral("200");
    request.shownValue = QStringLiteral("250.0");
    request.origin = WriteOrigin::kMainWindow;
    journal.finished(outcome(request, true, 1), kSource);

    ASSERT_EQ(sink.events.size(), 1U);
    const JournalEvent& e = sink.events[0];
    EXPECT_EQ(e.kind, JournalEvent::Kind::Write);
    EXPECT_EQ(e.time, t0);
    EXPECT_EQ(e.what, QStringLiteral("register 1"));
    EXPECT_EQ(e.oldValue, QStringLiteral("200"));
    EXPECT_EQ(e.newValue, QStringLiteral("250.0"));
    EXPECT_EQ(e.outcome, QStringLiteral("ok"));
    EXPECT_EQ(e.source, kSource);  // the instrument written to
    EXPECT_EQ(e.origin, QStringLiteral("main window"));
    EXPECT_TRUE(e.text.isEmpty());
    EXPECT_EQ(e.user, QStringLiteral("operator"));
    EXPECT_EQ(e.host, QStringLiteral("station-7"));
}

struct StoredCase {
    const char* name;
    WriteRequest request;
    const char* before;  // what the window showed
    const char* typed;
    const char* what;
    const char* oldValue;
    const char* newValue;
};

// Whatever the window's words (Chinese or English, a list item or its
// current-value name), the journal keeps the value.
TEST_F(WriteJournalTest, valuesAreStoredAsValuesNotAsTheWindowsWords)
{
    const int action = RegisterMap::kAction;
    const StoredCase cases[] = {
        {"coil on", WriteRequest::toCoil(2, true, QStringLiteral("手动/自动"), nullptr), "手动", "自动", "coil 2", "off", "on"},
        {"coil before its first read", WriteRequest::toCoil(1, false, QStringLiteral("自整定"), nullptr), "", "自整定关",
         "coil 1", "", "off"},
        {"list by Chinese name", WriteRequest::toRegister(action, 1, QString(), nullptr), "加热-反作用", "1:制冷正作用 ",
         "register 4107", "0", "1"},
        {"list by item", WriteRequest::toRegister(action, 0, QString(), nullptr), "1:制冷正作用", "0", "register 4107", "1",
         "0"},
        {"list showing what is no item", WriteRequest::toRegister(action, 0, QString(), nullptr), "7", "0",
         "register 4107", "7", "0"},
        {"number as typed", WriteRequest::toRegister(RegisterMap::kProportionalBand, 30, QString(), nullptr), "25", "30.",
         "register 4108", "25", "30."},
        {"number without a window", WriteRequest::toRegister(257, 300, QString(), nullptr), "", "", "register 257", "",
         "300"},
    };
    for (const StoredCase& c : cases) {
        WriteRequest request = c.request;
        request.shownBefore = QString::fromUtf8(c.before);
        request.shownValue = QString::fromUtf8(c.typed);
        sink.events.clear();
        journal.finished(outcome(request, true, 1), kSource);
        ASSERT_EQ(sink.events.size(), 1U) << c.name;
        EXPECT_EQ(sink.events[0].what, QString::fromUtf8(c.what)) << c.name;
        EXPECT_EQ(sink.events[0].oldValue, QString::fromUtf8(c.oldValue)) << c.name;
        EXPECT_EQ(sink.events[0].newValue, QString::fromUtf8(c.newValue)) << c.name;
    }
}

TEST_F(WriteJournalTest, aFailedWriteKeepsTheLinksReasonAndThatItWasRepeated)
{
    WriteRequest request = WriteRequest::toRegister(257, 300, QStringLiteral("ALM1"), nullptr);
    request.origin = WriteOrigin::kAlarmSetPoints;
    journal.finished(outcome(request, false, 2, QStringLiteral("Connection timed out")), kSource);
    WriteRequest coil = WriteRequest::toCoil(2, false, QStringLiteral("手动/自动"), nullptr);
    journal.finished(outcome(coil, false, 1, QStringLiteral("Illegal data address")), kSource);

    ASSERT_EQ(sink.events.size(), 2U);
    EXPECT_EQ(sink.events[0].outcome, QStringLiteral("failed"));
    EXPECT_EQ(sink.events[0].origin, QStringLiteral("alarm set points"));
    EXPECT_EQ(sink.events[0].text, QStringLiteral("after 2 attempts: Connection timed out"));
    EXPECT_EQ(sink.events[1].text, QStringLiteral("Illegal data address"));
}

} // namespace
