#include "journal/JournalEvent.h"

#include <array>
#include <utility>

namespace {

using Kind = JournalEvent::Kind;

struct KindNames {
    Kind kind;
    const char* code;
    const char* caption;
};

// Codes are stored in the file and typed by scripts: they never change.
const std::array<KindNames, 16> kKinds{{
    {Kind::AlarmRaised, "alarm.raised", "报警发生"},
    {Kind::AlarmCleared, "alarm.cleared", "报警解除"},
    {Kind::LinkOpened, "link.opened", "链路打开"},
    {Kind::LinkClosed, "link.closed", "链路关闭"},
    {Kind::LinkFailing, "link.failing", "通讯中断"},
    {Kind::LinkRecovered, "link.recovered", "通讯恢复"},
    {Kind::Write, "write", "写入仪表"},
    {Kind::EntriesRefused, "entries.refused", "输入被拒"},
    {Kind::HistoryFailing, "history.failing", "历史文件不能写入"},
    {Kind::HistoryResumed, "history.resumed", "历史文件恢复写入"},
    {Kind::HistoryReplaced, "history.replaced", "历史文件被替换"},
    {Kind::ArchiveFailing, "archive.failing", "归档不能写入"},
    {Kind::ArchiveResumed, "archive.resumed", "归档恢复写入"},
    {Kind::JournalResumed, "journal.resumed", "事件记录恢复写入"},
    {Kind::StationStarted, "station.started", "工作站启动"},
    {Kind::StationExited, "station.exited", "工作站退出"},
}};

const KindNames* find(Kind kind)
{
    for (const KindNames& k : kKinds)
        if (k.kind == kind)
            return &k;
    return nullptr;
}

} // namespace

namespace JournalKinds {

QString code(Kind kind)
{
    const KindNames* k = find(kind);
    return k ? QString::fromLatin1(k->code) : QString();
}

bool fromCode(const QString& code, Kind& kind)
{
    for (const KindNames& k : kKinds) {
        if (code == QLatin1String(k.code)) {
            kind = k.kind;
            return true;
        }
    }
    return false;
}

QList<Kind> all()
{
    QList<Kind> kinds;
    for (const KindNames& k : kKinds)
        kinds.append(k.kind);
    return kinds;
}

QString caption(Kind kind)
{
    const KindNames* k = find(kind);
    return k ? QString::fromUtf8(k->caption) : QString();
}

} // namespace JournalKinds
