#include <gtest/gtest.h>

#include "widgets/HeaderTexts.h"
#include "widgets/StaleAge.h"
#include "widgets/StatusTexts.h"

namespace {

const QDate kToday(2001, 3, 12);
const QDateTime kNow(kToday, QTime(14, 5, 7));

TEST(HeaderTexts, dateIsIsoYearMonthDay)
{
    EXPECT_EQ(HeaderTexts::dateText(QDate(2001, 3, 12)), QStringLiteral("2001-03-12"));
    EXPECT_EQ(HeaderTexts::dateText(QDate(1999, 12, 31)), QStringLiteral("1999-12-31"));
    EXPECT_EQ(HeaderTexts::dateText(QDate(2026, 1, 5)), QStringLiteral("2026-01-05"));
}

TEST(StaleAge, isShortAndRoundsDownToWholeUnits)
{
    const std::pair<qint64, const char*> cases[] = {
        {0, "0 秒前"},        {12, "12 秒前"},        {59, "59 秒前"},     {60, "1 分钟前"},
        {179, "2 分钟前"},    {3599, "59 分钟前"},    {3600, "1 小时前"},  {86399, "23 小时前"},
        {86400, "1 天前"},    {10 * 86400, "10 天前"}, {-3, "0 秒前"},
    };
    for (const auto& [seconds, text] : cases)
        EXPECT_EQ(StaleAge::text(seconds), QString::fromUtf8(text)) << seconds;
}

TEST(HeaderTexts, timeIsTwentyFourHourWithSeconds)
{
    EXPECT_EQ(HeaderTexts::timeText(QTime(14, 5, 7)), QStringLiteral("14:05:07"));
    EXPECT_EQ(HeaderTexts::timeText(QTime(0, 0, 0)), QStringLiteral("00:00:00"));
    EXPECT_EQ(HeaderTexts::timeText(QTime(23, 59, 59, 999)), QStringLiteral("23:59:59"));
}

using Kind = LinkFailure::Kind;

LinkHealth linkAfter(int calls, int failed, const QString& error = QString(), LinkFailure failure = {})
{
    LinkHealth health;
    health.linkOpened();
    health.recordCycle(CycleReport{1, calls, failed, false, error, failure}, kNow);
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
    const QString timedOut = QStringLiteral("reading input registers: Connection timed out");
    const StatusLine never = StatusTexts::linkStatusLine(linkAfter(9, 9, timedOut, {Kind::NoAnswer}), kToday);
    EXPECT_EQ(never.text, QStringLiteral("通讯中断 自 14:05:07（从未应答）：无应答"));
    EXPECT_EQ(never.detail, timedOut);
    EXPECT_EQ(never.severity, StatusSeverity::Fault);

    // The panel's grey values are from the last answer, yesterday here.
    LinkHealth health;
    health.linkOpened();
    health.recordCycle(CycleReport{1, 9, 0, false, {}, {}}, kNow.addSecs(-86400));
    health.recordCycle(CycleReport{2, 9, 9, false, timedOut, {Kind::NoAnswer}}, kNow);
    EXPECT_EQ(StatusTexts::linkStatusLine(health, kToday).text,
              QStringLiteral("通讯中断 自 14:05:07（最后应答 2001-03-11 14:05:07）：无应答"));

    // Both the day before: the date is named once.
    LinkHealth overnight;
    overnight.linkOpened();
    overnight.recordCycle(CycleReport{1, 9, 0, false, {}, {}}, kNow.addSecs(-86400 - 2));
    overnight.recordCycle(CycleReport{2, 9, 9, false, timedOut, {Kind::NoAnswer}}, kNow.addSecs(-86400));
    EXPECT_EQ(StatusTexts::linkStatusLine(overnight, kToday).text,
              QStringLiteral("通讯中断 自 2001-03-11 14:05:07（最后应答 14:05:05）：无应答"));
}

TEST(LinkStatusLine, someFailedReadsAreAWarningWithTheCountsInTheDetail)
{
    const StatusLine line = StatusTexts::linkStatusLine(linkAfter(9, 2, QStringLiteral("Invalid CRC"), {Kind::BadCrc}), kToday);
    EXPECT_EQ(line.text, QStringLiteral("通讯不稳 自 14:05:07：部分读取无应答"));
    EXPECT_EQ(line.detail, QStringLiteral("上一轮 9 次读取中 2 次失败：校验错误\nInvalid CRC"));
    EXPECT_EQ(line.severity, StatusSeverity::Warning);
}

TEST(LinkStatusLine, failureThatBeganOnAnEarlierDayShowsItsDate)
{
    EXPECT_EQ(StatusTexts::sinceText(kNow, kToday), QStringLiteral("14:05:07"));
    EXPECT_EQ(StatusTexts::sinceText(QDateTime(QDate(2001, 3, 11), QTime(23, 59, 58)), kToday),
              QStringLiteral("2001-03-11 23:59:58"));
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
    EXPECT_EQ(failing.text, QStringLiteral("记录失败：disk full（14:05:07 起）"));
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
              QStringLiteral("记录正常：历史文件于 2001-03-11 23:59:58 被删除，已重建"));
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
