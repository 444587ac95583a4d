#include "journal/JournalEvent.h"

#include <array>
#include <utility>

#include <QCoreApplication>

namespace {

using Kind = JournalEvent::Kind;

struct KindNames {
    Kind kind;
    const char* code;
    const char* caption;
};

// Codes are stored in the file and typed by scripts: they never change.
// Captions go into the CSV as they are; windows translate them.
const std::array<KindNames, 20> kKinds{{
    {Kind::AlarmRaised, "alarm.raised", QT_TRANSLATE_NOOP("JournalKinds", "报警发生")},
    {Kind::AlarmCleared, "alarm.cleared", QT_TRANSLATE_NOOP("JournalKinds", "报警解除")},
    {Kind::LinkOpened, "link.opened", QT_TRANSLATE_NOOP("JournalKinds", "链路打开")},
    {Kind::LinkClosed, "link.closed", QT_TRANSLATE_NOOP("JournalKinds", "链路关闭")},
    {Kind::LinkFailing, "link.failing", QT_TRANSLATE_NOOP("JournalKinds", "通讯中断")},
    {Kind::LinkRecovered, "link.recovered", QT_TRANSLATE_NOOP("JournalKinds", "通讯恢复")},
    {Kind::Write, "write", QT_TRANSLATE_NOOP("JournalKinds", "写入仪表")},
    {Kind::EntriesRefused, "entries.refused", QT_TRANSLATE_NOOP("JournalKinds", "输入被拒")},
    {Kind::HistoryFailing, "history.failing", QT_TRANSLATE_NOOP("JournalKinds", "历史文件不能写入")},
    {Kind::HistoryResumed, "history.resumed", QT_TRANSLATE_NOOP("JournalKinds", "历史文件恢复写入")},
    {Kind::HistoryReplaced, "history.replaced", QT_TRANSLATE_NOOP("JournalKinds", "历史文件被替换")},
    {Kind::ArchiveFailing, "archive.failing", QT_TRANSLATE_NOOP("JournalKinds", "归档不能写入")},
    {Kind::ArchiveResumed, "archive.resumed", QT_TRANSLATE_NOOP("JournalKinds", "归档恢复写入")},
    {Kind::ArchiveRemoved, "archive.removed", QT_TRANSLATE_NOOP("JournalKinds", "归档月文件删除")},
    {Kind::HistorianFailing, "historian.failing", QT_TRANSLATE_NOOP("JournalKinds", "转发中断")},
    {Kind::HistorianResumed, "historian.resumed", QT_TRANSLATE_NOOP("JournalKinds", "转发恢复")},
    {Kind::JournalResumed, "journal.resumed", QT_TRANSLATE_NOOP("JournalKinds", "事件记录恢复写入")},
    {Kind::StationStarted, "station.started", QT_TRANSLATE_NOOP("JournalKinds", "工作站启动")},
    {Kind::StationExited, "station.exited", QT_TRANSLATE_NOOP("JournalKinds", "工作站退出")},
    {Kind::StationInterrupted, "station.interrupted", QT_TRANSLATE_NOOP("JournalKinds", "工作站未正常退出")},
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

QString shownCaption(Kind kind)
{
    const KindNames* k = find(kind);
    return k ? QCoreApplication::translate("JournalKinds", k->caption) : QString();
}

} // namespace JournalKinds
