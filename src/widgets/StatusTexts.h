#pragma once

#include <optional>

#include <QDate>
#include <QDateTime>
#include <QString>

#include "core/EntryCheck.h"
#include "core/FileProblem.h"
#include "core/ShownText.h"
#include "link/LinkHealth.h"
#include "link/PortConnection.h"
#include "link/WriteRequest.h"
#include "archive/ArchiveHealth.h"
#include "historian/HistorianHealth.h"
#include "history/RecorderHealth.h"
#include "journal/JournalStore.h"

// What the status display says about the link and the recorder: short
// Chinese for the operator (a file problem as its cause and path), the
// technical reason in full for the tooltip.
enum class StatusSeverity { Idle, Ok, Warning, Fault };

struct StatusLine {
    QString text;    // shown
    QString detail;  // tooltip
    StatusSeverity severity = StatusSeverity::Idle;
    bool operator==(const StatusLine&) const = default;
};

// Which of the station's files a problem lies with: it says what kind of
// file the station expected there.
enum class StationFile { History, Journal, Archive };

namespace StatusTexts {

// The cause and the path as the operator reads them, for example
// "无权写入文件夹 /srv/tq5800" or "文件被进程 1234 占用：/srv/tq5800/journal.sqlite";
// empty for a problem of unknown cause.
ShownText fileProblem(const FileProblem& problem, StationFile file);

// today decides whether the start of a failure needs its date as well.
StatusLine linkStatusLine(const LinkHealth& health, const QDate& today);
StatusLine recorderStatusLine(const RecorderHealth& health, const QDate& today);
// Empty text while the journal is written: the field shows only a failure.
StatusLine journalStatusLine(const JournalStore& journal, const QDate& today);
// Likewise for the archive in its folder.
StatusLine archiveStatusLine(const ArchiveHealth& health, const QString& folder, const QDate& today);
// And for forwarding to the central server (named without a password).
StatusLine historianStatusLine(const HistorianHealth& health, const QString& server, const QDate& today);

// "14:05:07", or "2001-03-11 23:59:58" for a moment before today.
QString sinceText(const QDateTime& since, const QDate& today);

// Why a command did nothing with what the operator typed, for example
// "“设定SV”未执行：数值须在 -1999 到 9999 之间".
// (Each message also as a ShownText, for the log's English.)
ShownText refusedEntry(const QString& command, const EntryCheck::Refusal& refusal);
QString refusedEntryText(const QString& command, const EntryCheck::Refusal& refusal);

// A command of an entry the operator has not changed: nothing was written,
// for example "“报警1设定值” 未修改，没有写入".
QString unchangedEntryText(const QString& command);

// Why a write needs the link: the tooltip of the controls that write while
// the link is closed, and the status bar's word when Return asks for one.
QString linkClosedHint();
QString linkClosedText(const QString& command);

// A write the instrument never took, named as the operator knows it, with
// the value for a register write and the link's reason in the operator's
// words, for example "“设定SV” 250 写入失败（已重试一次）：无应答".
ShownText writeFailed(const WriteOutcome& outcome);
QString writeFailedText(const WriteOutcome& outcome);

// A write the instrument took, for example "“设定SV” 250 已写入" or
// "“自整定” 已切换".
QString writtenText(const WriteRequest& request);

// Who holds a file or device this station was refused, for example
// "进程 1234（tq5800-station），主机 pc1，14:05:07 起".
ShownText lockHolder(const LockHolder& holder, const QDate& today);
QString lockHolderText(const LockHolder& holder, const QDate& today);

// A port whose device another station holds, for example
// "端口 2（/dev/ttyUSB1）已被占用：进程 1234（tq5800-station），主机 pc1，
// 14:05:07 起".
ShownText portHeld(const DeviceRefusal& refusal, const QDate& today);
QString portHeldText(const DeviceRefusal& refusal, const QDate& today);

} // namespace StatusTexts

// Decides when the display changes: on a new state or a new failure
// episode, not on every report of the same failure (the poll reports after
// every cycle, and the reason can vary from one failed call to the next).
// A change of kind (what the shown text names besides the state, such as a
// file problem's cause) is news within an episode too.
class StatusEpisode {
public:
    bool changed(int state, const std::optional<QDateTime>& since, int kind = 0);

private:
    std::optional<int> state_;
    std::optional<QDateTime> since_;
    int kind_ = 0;
};
