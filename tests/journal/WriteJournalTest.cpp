#include <gtest/gtest.h>

#include "journal/WriteJournal.h"
#include "link/WriteRequest.h"
#include "support/EventListSink.h"
#include "support/FakeClock.h"

namespace {

const QDateTime t0(QDate(2026, 12, 7), QTime(9, 0, 0));
const QString kSource = QStringLiteral("端口 2 地址 7");

WriteOutcome outcome(WriteRequest request, bool ok, int attempts, const QString& error = {})
{
    return WriteOutcome{std::move(request), ok, attempts, error};
}

class WriteJournalTest : public ::testing::Test {
protected:
    FakeClock clock{t0};
    EventListSink sink;
    WriteJournal journal{sink, clock, QStringLiteral("operator"), QStringLiteral("station-7")};
};

TEST_F(WriteJournalTest, aWriteTheInstrumentTookKeepsWhatTheWindowShowedAndWhatWasTyped)
{
    WriteRequest request = WriteRequest::toRegister(1, 250, QStringLiteral("设定SV"), nullptr);
    request.shownBefore = QStringLiteral("200");
    request.shownValue = QStringLiteral("250.0");
    request.origin = QStringLiteral("主窗口");
    journal.finished(outcome(request, true, 1), kSource);

    ASSERT_EQ(sink.events.size(), 1U);
    const JournalEvent& e = sink.events[0];
    EXPECT_EQ(e.kind, JournalEvent::Kind::Write);
    EXPECT_EQ(e.time, t0);
    EXPECT_EQ(e.what, QStringLiteral("设定SV"));
    EXPECT_EQ(e.oldValue, QStringLiteral("200"));
    EXPECT_EQ(e.newValue, QStringLiteral("250.0"));
    EXPECT_EQ(e.outcome, QStringLiteral("ok"));
    EXPECT_EQ(e.source, kSource);  // the instrument written to
    EXPECT_EQ(e.origin, QStringLiteral("主窗口"));
    EXPECT_EQ(e.text, QStringLiteral("寄存器 1"));
    EXPECT_EQ(e.user, QStringLiteral("operator"));
    EXPECT_EQ(e.host, QStringLiteral("station-7"));
}

TEST_F(WriteJournalTest, aFailedWriteSaysWhyInBothLanguagesAndThatItWasRepeated)
{
    WriteRequest request = WriteRequest::toRegister(257, 300, QStringLiteral("ALM1"), nullptr);
    request.origin = QStringLiteral("报警参数");
    journal.finished(outcome(request, false, 2, QStringLiteral("Connection timed out")), kSource);
    WriteRequest coil = WriteRequest::toCoil(2, false, QStringLiteral("手动/自动"), nullptr);
    journal.finished(outcome(coil, false, 1, QStringLiteral("Illegal data address")), kSource);

    ASSERT_EQ(sink.events.size(), 2U);
    EXPECT_EQ(sink.events[0].outcome, QStringLiteral("failed"));
    EXPECT_EQ(sink.events[0].newValue, QStringLiteral("300"));  // no typed text: the value sent
    EXPECT_EQ(sink.events[0].text, QStringLiteral("寄存器 257：写入失败（已重试一次）：无应答（Connection timed out）"));
    EXPECT_EQ(sink.events[1].newValue, QStringLiteral("关"));
    EXPECT_TRUE(sink.events[1].text.startsWith(QStringLiteral("线圈 2：写入失败：")));
    EXPECT_TRUE(sink.events[1].text.endsWith(QStringLiteral("（Illegal data address）")));
}

} // namespace
