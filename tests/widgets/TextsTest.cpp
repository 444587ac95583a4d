#include <gtest/gtest.h>

#include "widgets/HeaderTexts.h"
#include "widgets/StatusTexts.h"

namespace {

const QDate kToday(2001, 3, 12);
const QDateTime kNow(kToday, QTime(14, 5, 7));

TEST(HeaderTexts, dateIsMonthDayYearWithDashes)
{
    EXPECT_EQ(HeaderTexts::dateText(QDate(2001, 3, 12)), QStringLiteral("03-12-2001"));
    EXPECT_EQ(HeaderTexts::dateText(QDate(1999, 12, 31)), QStringLiteral("12-31-1999"));
    EXPECT_EQ(HeaderTexts::dateText(QDate(2026, 1, 5)), QStringLiteral("01-05-2026"));
}

TEST(HeaderTexts, timeIsTwentyFourHourWithSeconds)
{
    EXPECT_EQ(HeaderTexts::timeText(QTime(14, 5, 7)), QStringLiteral("14:05:07"));
    EXPECT_EQ(HeaderTexts::timeText(QTime(0, 0, 0)), QStringLiteral("00:00:00"));
    EXPECT_EQ(HeaderTexts::timeText(QTime(23, 59, 59, 999)), QStringLiteral("23:59:59"));
}

LinkHealth linkAfter(int calls, int failed, const QString& error = QString())
{
    LinkHealth health;
    health.linkOpened();
    health.recordCycle(CycleReport{1, calls, failed, false, error}, kNow);
    return health;
}

TEST(LinkStatusLine, closedWaitingAndAnsweringSayWhatTheLinkDoes)
{
    EXPECT_EQ(StatusTexts::linkStatusLine(LinkHealth{}, kToday).text, QStringLiteral("链路未打开"));
    EXPECT_EQ(StatusTexts::linkStatusLine(LinkHealth{}, kToday).severity, StatusSeverity::Idle);
    LinkHealth waiting;
    waiting.linkOpened();
    EXPECT_EQ(StatusTexts::linkStatusLine(waiting, kToday).text, QStringLiteral("正在连接仪表"));
    const StatusLine answering = StatusTexts::linkStatusLine(linkAfter(9, 0), kToday);
    EXPECT_EQ(answering.text, QStringLiteral("通讯正常"));
    EXPECT_EQ(answering.severity, StatusSeverity::Ok);
}

TEST(LinkStatusLine, silentInstrumentShowsSinceWhenItsLastAnswerAndWhy)
{
    const StatusLine never = StatusTexts::linkStatusLine(linkAfter(9, 9, QStringLiteral("Connection timed out")), kToday);
    EXPECT_EQ(never.text, QStringLiteral("通讯中断 自 14:05:07（从未应答）：Connection timed out"));
    EXPECT_EQ(never.detail, QStringLiteral("Connection timed out"));
    EXPECT_EQ(never.severity, StatusSeverity::Fault);

    // The panel's grey values are from the last answer, yesterday here.
    LinkHealth health;
    health.linkOpened();
    health.recordCycle(CycleReport{1, 9, 0, false, {}}, kNow.addSecs(-86400));
    health.recordCycle(CycleReport{2, 9, 9, false, QStringLiteral("Connection timed out")}, kNow);
    EXPECT_EQ(StatusTexts::linkStatusLine(health, kToday).text,
              QStringLiteral("通讯中断 自 14:05:07（最后应答 03-11 14:05:07）：Connection timed out"));
}

TEST(LinkStatusLine, someFailedReadsAreAWarningWithTheCountsInTheDetail)
{
    const StatusLine line = StatusTexts::linkStatusLine(linkAfter(9, 2, QStringLiteral("Invalid CRC")), kToday);
    EXPECT_EQ(line.text, QStringLiteral("通讯不稳 自 14:05:07：部分读取无应答"));
    EXPECT_TRUE(line.detail.contains(QStringLiteral("9 次读取中 2 次失败")));
    EXPECT_TRUE(line.detail.contains(QStringLiteral("Invalid CRC")));
    EXPECT_EQ(line.severity, StatusSeverity::Warning);
}

TEST(LinkStatusLine, longReasonIsCutInTheTextAndKeptWholeInTheDetail)
{
    const QString reason(200, QLatin1Char('x'));
    const StatusLine line = StatusTexts::linkStatusLine(linkAfter(9, 9, reason), kToday);
    EXPECT_TRUE(line.text.endsWith(QStringLiteral("…")));
    EXPECT_LT(line.text.size(), 80);
    EXPECT_EQ(line.detail, reason);
}

TEST(LinkStatusLine, failureThatBeganOnAnEarlierDayShowsItsDate)
{
    EXPECT_EQ(StatusTexts::sinceText(kNow, kToday), QStringLiteral("14:05:07"));
    EXPECT_EQ(StatusTexts::sinceText(QDateTime(QDate(2001, 3, 11), QTime(23, 59, 58)), kToday),
              QStringLiteral("03-11 23:59:58"));
}

TEST(RecorderStatusLine, eachStateHasItsText)
{
    RecorderHealth health;
    EXPECT_EQ(StatusTexts::recorderStatusLine(health, kToday).text, QStringLiteral("记录未启动"));
    health.recordStored(kNow, true);
    EXPECT_EQ(StatusTexts::recorderStatusLine(health, kToday),
              (StatusLine{QStringLiteral("记录正常"), QStringLiteral("每秒一条记录写入数据库"), StatusSeverity::Ok}));
    health.recordStored(kNow, false);
    EXPECT_EQ(StatusTexts::recorderStatusLine(health, kToday).severity, StatusSeverity::Warning);
    health.recordFailure(QStringLiteral("disk full"), kNow);
    const StatusLine failing = StatusTexts::recorderStatusLine(health, kToday);
    EXPECT_EQ(failing.text, QStringLiteral("记录失败 自 14:05:07：disk full"));
    EXPECT_EQ(failing.severity, StatusSeverity::Fault);
    health.recordPaused(kNow);  // a failing file stays the news
    EXPECT_EQ(StatusTexts::recorderStatusLine(health, kToday).text, failing.text);
    health.recordStored(kNow, true);
    health.recordPaused(kNow);
    const StatusLine paused = StatusTexts::recorderStatusLine(health, kToday);
    EXPECT_EQ(paused.text, QStringLiteral("记录暂停 自 14:05:07：无新的仪表数据"));
    EXPECT_EQ(paused.severity, StatusSeverity::Warning);
}

TEST(RecorderStatusLine, aHistoryFileMadeAgainIsNamedWithItsMomentUntilTheNextFailure)
{
    RecorderHealth health;
    health.recordStored(kNow, true);
    health.recordFileSwitch(HistoryDatabase::FileChange::Recreated, QDateTime(QDate(2001, 3, 11), QTime(23, 59, 58)));
    health.recordStored(kNow, true);
    EXPECT_EQ(StatusTexts::recorderStatusLine(health, kToday).text,
              QStringLiteral("记录正常：历史文件于 03-11 23:59:58 被删除，已重建"));
    health.recordFailure(QStringLiteral("disk full"), kNow);
    health.recordStored(kNow, true);
    EXPECT_EQ(StatusTexts::recorderStatusLine(health, kToday).text, QStringLiteral("记录正常"));
}

TEST(StatusEpisode, sameFailureReportedAgainIsNotNews)
{
    StatusEpisode episode;
    const auto since = std::optional<QDateTime>(kNow);
    EXPECT_TRUE(episode.changed(0, std::nullopt));
    EXPECT_FALSE(episode.changed(0, std::nullopt));
    EXPECT_TRUE(episode.changed(4, since));
    EXPECT_FALSE(episode.changed(4, since));  // next failed cycle, same episode
    EXPECT_TRUE(episode.changed(3, since));   // some answers again: a new state
    EXPECT_TRUE(episode.changed(2, std::nullopt));
    EXPECT_TRUE(episode.changed(4, kNow.addSecs(60)));  // a new episode
}

} // namespace
