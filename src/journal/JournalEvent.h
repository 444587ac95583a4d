#pragma once

#include <cstdint>

#include <QDateTime>
#include <QList>
#include <QMetaType>
#include <QString>

// One entry of the event journal: something that happened to the
// instrument, the link, the files or the station, or something an operator
// did. New events keep what it was as codes and values (StoredForms), the
// same whatever language the interface spoke, so the journal says the same
// months later whatever the instrument's state is then; readers word them
// (ShownEvent). Events of earlier versions hold the texts as shown.
struct JournalEvent {
    // Stored as its code (kindCode), which scripts and the --kind option use.
    enum class Kind {
        AlarmRaised,     // "alarm.raised": what = ALM1 / ALM2 / ALM3 / BREAK / SHORT
        AlarmCleared,    // "alarm.cleared"
        LinkOpened,      // "link.opened": source names port and address
        LinkClosed,      // "link.closed"
        LinkFailing,     // "link.failing": text the link's reason, oldValue the last answer
        LinkRecovered,   // "link.recovered"
        Write,           // "write": what, oldValue (shown before), newValue, outcome
        EntriesRefused,  // "entries.refused": newValue the count of the minute
        HistoryFailing,  // "history.failing": the history file cannot be written
        HistoryResumed,  // "history.resumed": newValue the seconds the ring missed, text whether the archive has them
        HistoryReplaced, // "history.replaced": another file took the path's place
        ArchiveFailing,  // "archive.failing": the archive's month files cannot be written
        ArchiveResumed,  // "archive.resumed": newValue how many samples the archive lost meanwhile
        ArchiveRemoved,  // "archive.removed": what the month file the retention removed, newValue the months kept
        HistorianFailing, // "historian.failing": the central server takes nothing; text says why
        HistorianResumed, // "historian.resumed": the server holds everything again
        JournalResumed,  // "journal.resumed": newValue how many events were held
        StationStarted,  // "station.started"
        StationExited,   // "station.exited"
        StationInterrupted, // "station.interrupted": the last run ended unjournaled; oldValue its last event's time
    };

    int64_t id = 0;     // given by the store; 0 before it is written
    QDateTime time;     // when it happened; stored in UTC with the local offset
    Kind kind = Kind::StationStarted;
    QString source;     // "port 1 address 1" or the file's path; empty when none
    QString what;       // the alarm ("ALM1"), the write's register or coil ("register 4108")
    QString oldValue;
    QString newValue;
    QString outcome;    // "ok" or "failed" for writes; empty otherwise
    QString text;       // a sentence for people, the reason of a failure
    QString user;       // operating-system user, for operator actions
    QString host;
    QString origin;     // the window an operator action came from

    bool operator==(const JournalEvent&) const = default;
};

namespace JournalKinds {
QString code(JournalEvent::Kind kind);
// The kind whose code this is; false for an unknown code.
bool fromCode(const QString& code, JournalEvent::Kind& kind);
QList<JournalEvent::Kind> all();
// The kind's Chinese name, as files and the command-line tools carry it.
QString caption(JournalEvent::Kind kind);
// The same name in the interface's language, for windows and reports.
QString shownCaption(JournalEvent::Kind kind);
} // namespace JournalKinds

Q_DECLARE_METATYPE(JournalEvent)
