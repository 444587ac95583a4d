#pragma once

#include <cstdint>
#include <optional>

#include <QDateTime>
#include <QString>

// How the journal's sources store what an event is: codes, numbers and a
// few fixed English words, the same whatever language the interface
// speaks, so the file (and the central server's copy) says one thing and
// every reader puts it into words of its own (ShownEvent). What earlier
// versions stored, the texts as the operator saw them, matches none of
// these forms and is shown as it stands.
namespace StoredForms {

// The instrument an event is about: "port 1 address 1".
QString instrument(int port, int moduleAddress);
struct Instrument {
    int port = 0;
    int moduleAddress = 0;
};
std::optional<Instrument> parseInstrument(const QString& text);

// A coil's value before and after a write: "on" / "off".
QString coilValue(bool on);
std::optional<bool> parseCoilValue(const QString& text);

// Why a write failed: the link's reason, after how many attempts when the
// link repeated it ("after 2 attempts: timed out").
QString writeFailure(int attempts, const QString& reason);
struct WriteFailure {
    int attempts = 1;
    QString reason;
};
WriteFailure parseWriteFailure(const QString& text);

// The history file gone from its path: a new file is written, or another
// file took its place.
inline const QString kHistoryRecreated = QStringLiteral("the history file was deleted: a new one is written");
inline const QString kHistoryReplaced = QStringLiteral("another file took the history file's place: it is written");

// Where the seconds the ring missed while the history file failed are
// kept: handed to the archive, or nowhere.
inline const QString kRingGapArchived = QStringLiteral("the seconds the ring missed went to the archive");
inline const QString kRingGapNotKept = QStringLiteral("the seconds the ring missed are kept nowhere: no archive");

// A moment kept as a value: ISO 8601 to the second with its offset from
// UTC ("2026-01-05T09:08:01+08:00"), so it reads as the station's clock read.
QString moment(const QDateTime& time);
std::optional<QDateTime> parseMoment(const QString& text);

// Events the journal could not hold in memory while its file failed.
QString droppedEvents(int64_t count);
std::optional<int64_t> parseDroppedEvents(const QString& text);

// The station's start: its version and files.
QString stationStarted(const QString& version, const QString& historyPath, const QString& journalPath);
struct StationStart {
    QString version;
    QString historyPath;
    QString journalPath;
};
std::optional<StationStart> parseStationStarted(const QString& text);

// Who sent the termination signal that ended the station: "sent by process
// 1234", or "sent by no process" (a terminal's Ctrl-C); pid 0 for the latter.
QString signalSender(qint64 pid);
std::optional<qint64> parseSignalSender(const QString& text);

// Why forwarding to the central server fails, by the server's error class
// (historian.failing keeps its code in "what"): "no-connection",
// "server-shutdown", "authentication", "no-schema", "schema-version",
// "no-permission", "no-answer", "station-files"; Unknown stores nothing.
enum class ForwardingCause {
    Unknown,
    NoConnection,    // refused, lost or never made
    ServerShutdown,  // the server is shutting down or restarting
    Authentication,  // the login was refused
    NoSchema,        // the historian's tables are missing
    SchemaVersion,   // another version of them
    NoPermission,    // the role may not write them
    NoAnswer,        // the server stopped answering
    StationFiles,    // the station's own outbox or state file
};
QString forwardingCause(ForwardingCause cause);
ForwardingCause parseForwardingCause(const QString& text);

} // namespace StoredForms
