// What the journal stores, worded for the reader in Chinese and in
// English; what earlier versions stored as shown stays as it is.
#include <optional>

#include <gtest/gtest.h>

#include "core/EnglishTexts.h"
#include "journal/ShownEvent.h"
#include "journal/StoredForms.h"

namespace {

using Kind = JournalEvent::Kind;

const QDateTime kNine(QDate(2026, 12, 7), QTime(9, 3), Qt::OffsetFromUTC, 8 * 3600);

JournalEvent stored(Kind kind, const char* source, const char* what, const char* oldValue, const char* newValue,
                    const char* outcome, const char* text, const char* origin = "")
{
    JournalEvent event;
    event.time = kNine;
    event.kind = kind;
    event.source = QString::fromUtf8(source);
    event.what = QString::fromUtf8(what);
    event.oldValue = QString::fromUtf8(oldValue);
    event.newValue = QString::fromUtf8(newValue);
    event.outcome = QString::fromUtf8(outcome);
    event.text = QString::fromUtf8(text);
    event.origin = QString::fromUtf8(origin);
    return event;
}

// The columns a reader sees, source to origin, as one line.
QString line(const ShownEvent& shown)
{
    return QStringList{shown.source, shown.what, shown.oldValue, shown.newValue, shown.outcome, shown.text, shown.origin}
        .join(QStringLiteral(" | "));
}

struct Case {
    const char* name;
    JournalEvent event;
    const char* chinese;
    const char* english;
};

const Case kCases[] = {
    {"alarm raised", stored(Kind::AlarmRaised, "port 1 address 3", "ALM1", "", "", "", ""),
     "端口 1 地址 3 | ALM1 |  |  |  | ALM1报警 | ", "Port 1 address 3 | ALM1 |  |  |  | ALM1 ON | "},
    {"input break cleared", stored(Kind::AlarmCleared, "port 1 address 3", "BREAK", "", "", "", ""),
     "端口 1 地址 3 | BREAK |  |  |  | NO BREAK | ", "Port 1 address 3 | BREAK |  |  |  | NO BREAK | "},
    {"link failing", stored(Kind::LinkFailing, "port 2 address 1", "", "2026-12-07T09:02:59.500+08:00", "", "",
                            "Connection timed out"),
     "端口 2 地址 1 | 无应答 | 2026-12-07T09:02:59.500+08:00 |  |  | Connection timed out | ",
     "Port 2 address 1 | no answer | 2026-12-07T09:02:59.500+08:00 |  |  | Connection timed out | "},
    {"set value written", stored(Kind::Write, "port 1 address 1", "register 1", "200", "250.0", "ok", "", "main window"),
     "端口 1 地址 1 | 设定SV | 200 | 250.0 | 成功 | 寄存器 1 | 主窗口",
     "Port 1 address 1 | Set SV | 200 | 250.0 | OK | register 1 | Main window"},
    {"list write failed twice",
     stored(Kind::Write, "port 1 address 1", "register 4107", "0", "1", "failed", "after 2 attempts: Connection timed out",
            "configuration"),
     "端口 1 地址 1 | 加热制冷方式 | 0:加热反作用 | 1:制冷正作用 | 失败 | 寄存器 4107：写入失败（已重试一次）：无应答（Connection timed out） | TQ5800 配置",
     "Port 1 address 1 | Heat/cool action | 0:Heat, reverse | 1:Cool, direct | Failed | register 4107: write failed (retried once): no answer (Connection timed out) | Configuration"},
    {"coil switched", stored(Kind::Write, "port 1 address 1", "coil 2", "off", "on", "ok", "", "main window"),
     "端口 1 地址 1 | 手动/自动 | 手动 | 自动 | 成功 | 线圈 2 | 主窗口",
     "Port 1 address 1 | Man/Auto | MANUAL | AUTO | OK | coil 2 | Main window"},
    {"alarm set point downloaded", stored(Kind::Write, "port 1 address 1", "register 257", "150", "160", "ok", "",
                                          "parameter download"),
     "端口 1 地址 1 | 报警1设定值 | 150 | 160 | 成功 | 寄存器 257 | 参数下载",
     "Port 1 address 1 | Alarm 1 set point | 150 | 160 | OK | register 257 | Download parameters"},
    {"a register no window writes", stored(Kind::Write, "port 1 address 1", "register 9", "", "5", "ok", ""),
     "端口 1 地址 1 | register 9 |  | 5 | 成功 | 寄存器 9 | ", "Port 1 address 1 | register 9 |  | 5 | OK | register 9 | "},
    {"refused entries", stored(Kind::EntriesRefused, "", "", "", "3", "", ""),
     " |  |  | 3 |  | 09:03 这一分钟内有 3 次输入被拒绝，未写入仪表 | ",
     " |  |  | 3 |  | 3 entries refused in the minute 09:03, nothing written to the instrument | "},
    {"history file recreated", stored(Kind::HistoryReplaced, "/data/h.sqlite", "", "", "", "", "the history file was deleted: a new one is written"),
     "/data/h.sqlite |  |  |  |  | 历史文件已被删除，改写新文件 | ",
     "/data/h.sqlite |  |  |  |  | History file deleted, writing a new file | "},
    {"archive lost samples", stored(Kind::ArchiveResumed, "/data/archive", "", "", "12", "", ""),
     "/data/archive |  |  | 12 |  | 队列已满，12 个采样未能归档 | ", "/data/archive |  |  | 12 |  | Queue full, 12 samples not archived | "},
    {"history file resumed, the archive has the seconds",
     stored(Kind::HistoryResumed, "/data/h.sqlite", "", "", "73", "", "the seconds the ring missed went to the archive"),
     "/data/h.sqlite |  |  | 73 |  | 历史文件缺少这期间 73 秒的记录；这些秒已交归档保存 | ",
     "/data/h.sqlite |  |  | 73 |  | The history file lacks 73 seconds of this time; they went to the archive | "},
    {"history file resumed without an archive",
     stored(Kind::HistoryResumed, "/data/h.sqlite", "", "", "4", "", "the seconds the ring missed are kept nowhere: no archive"),
     "/data/h.sqlite |  |  | 4 |  | 历史文件缺少这期间 4 秒的记录；没有归档，这些秒未保存 | ",
     "/data/h.sqlite |  |  | 4 |  | The history file lacks 4 seconds of this time; without an archive they are not kept | "},
    {"month file removed", stored(Kind::ArchiveRemoved, "/data/archive", "2026-01.sqlite", "", "3", "", ""),
     "/data/archive | 2026-01.sqlite |  | 3 |  | 保留期限 3 个月：已删除月文件 2026-01.sqlite | ",
     "/data/archive | 2026-01.sqlite |  | 3 |  | Retention 3 months: month file 2026-01.sqlite removed | "},
    {"station interrupted", stored(Kind::StationInterrupted, "", "", "2026-12-07T08:58:30+08:00", "", "", ""),
     " |  | 2026-12-07T08:58:30+08:00 |  |  | 上次运行没有记录退出（被强行结束或断电）；它的最后一条事件在 2026-12-07 08:58:30 | ",
     " |  | 2026-12-07T08:58:30+08:00 |  |  | The last run recorded no exit (killed or power lost); its last event was at 2026-12-07 08:58:30 | "},
    {"journal dropped events", stored(Kind::JournalResumed, "/data/j.sqlite", "", "", "4", "", "5 events dropped at the memory limit"),
     "/data/j.sqlite |  |  | 4 |  | 5 条事件因内存上限丢失 | ", "/data/j.sqlite |  |  | 4 |  | 5 events lost at the memory limit | "},
    {"station started", stored(Kind::StationStarted, "", "", "", "0.1.0", "", "version 0.1.0; history file /a; b; journal /c"),
     " |  |  | 0.1.0 |  | 版本 0.1.0；历史文件 /a; b；事件记录 /c | ",
     " |  |  | 0.1.0 |  | Version 0.1.0; history file /a; b; journal /c | "},
    {"ended by the operator", stored(Kind::StationExited, "", "", "", "", "", "", "main window"),
     " |  |  |  |  |  | 主窗口", " |  |  |  |  |  | Main window"},
    {"ended by a signal", stored(Kind::StationExited, "", "", "", "", "", "sent by process 4711", "SIGTERM"),
     " |  |  |  |  | 由进程 4711 发出 | SIGTERM", " |  |  |  |  | Sent by process 4711 | SIGTERM"},
    {"ended by Ctrl-C", stored(Kind::StationExited, "", "", "", "", "", "sent by no process", "SIGINT"),
     " |  |  |  |  | 非进程发出（如终端的 Ctrl+C） | SIGINT",
     " |  |  |  |  | Sent by no process (a terminal's Ctrl+C) | SIGINT"},
    {"forwarding failing, its cause worded with the remedy",
     stored(Kind::HistorianFailing, "host=h dbname=d", "no-schema", "", "", "", "relation does not exist"),
     "host=h dbname=d | 服务器上没有转发用的表：请执行 sql/historian-schema.sql |  |  |  | relation does not exist | ",
     "host=h dbname=d | The server holds no historian tables: apply sql/historian-schema.sql |  |  |  | relation does not "
     "exist | "},
    {"the link's and files' own reasons", stored(Kind::HistoryFailing, "/data/h.sqlite", "", "", "", "", "disk I/O error"),
     "/data/h.sqlite |  |  |  |  | disk I/O error | ", "/data/h.sqlite |  |  |  |  | disk I/O error | "},
    // Written by an earlier version, in the words it showed: as stored.
    {"old write", stored(Kind::Write, "端口 1 地址 1", "设定SV", "200", "250", "ok", "寄存器 1", "主窗口"),
     "端口 1 地址 1 | 设定SV | 200 | 250 | 成功 | 寄存器 1 | 主窗口", "端口 1 地址 1 | 设定SV | 200 | 250 | OK | 寄存器 1 | 主窗口"},
    {"old alarm", stored(Kind::AlarmRaised, "端口 1 地址 1", "ALM1", "", "", "", "ALM1报警"),
     "端口 1 地址 1 | ALM1 |  |  |  | ALM1报警 | ", "端口 1 地址 1 | ALM1 |  |  |  | ALM1报警 | "},
    {"old link failure", stored(Kind::LinkFailing, "端口 1 地址 1", "无应答", "", "", "", "timed out"),
     "端口 1 地址 1 | 无应答 |  |  |  | timed out | ", "端口 1 地址 1 | 无应答 |  |  |  | timed out | "},
    {"old refusals", stored(Kind::EntriesRefused, "", "", "", "2", "", "09:03 这一分钟内有 2 次输入被拒绝，未写入仪表"),
     " |  |  | 2 |  | 09:03 这一分钟内有 2 次输入被拒绝，未写入仪表 | ",
     " |  |  | 2 |  | 09:03 这一分钟内有 2 次输入被拒绝，未写入仪表 | "},
};

TEST(ShownEventTest, eachStoredFormIsWordedInTheReadersLanguageAndEarlierTextsShownAsStored)
{
    for (const Case& c : kCases)
        EXPECT_EQ(line(shownEvent(c.event)), QString::fromUtf8(c.chinese)) << c.name;
    const EnglishTexts::Installed english;
    for (const Case& c : kCases)
        EXPECT_EQ(line(shownEvent(c.event)), QString::fromUtf8(c.english)) << c.name;
}

TEST(ShownEventTest, theKindIsItsCaptionInTheReadersLanguage)
{
    const JournalEvent event = stored(Kind::EntriesRefused, "", "", "", "1", "", "");
    EXPECT_EQ(shownEvent(event).kind, QStringLiteral("输入被拒"));
    const EnglishTexts::Installed english;
    EXPECT_NE(shownEvent(event).kind, QStringLiteral("输入被拒"));
    EXPECT_EQ(shownEvent(event).kind, JournalKinds::shownCaption(Kind::EntriesRefused));
}

} // namespace
