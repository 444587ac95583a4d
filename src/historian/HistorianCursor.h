#pragma once

#include <map>

#include <QString>

// The last rows the server confirmed, per table, kept in a small JSON file
// beside the history file (never in it). The file also names the server and
// station it counts for: for another one forwarding starts from the
// beginning, which the server's upserts make harmless.
struct HistorianCursor {
    qint64 sampleTimeUtcMs = -1;  // the archive's key of the last sample sent
    qint64 eventId = 0;           // the journal's id of the last event sent
    // Per archive month file, how many of its rows at or before
    // sampleTimeUtcMs the server confirmed. A file holding more was given
    // rows behind the position (a clock set back, a late back-fill). A file
    // not named counts as none confirmed, so a state file written before
    // the counts has every month checked once.
    std::map<QString, qint64> confirmedRows;

    // The state file of a history file: "history.sqlite" keeps its
    // position in "history.historian.json" beside it.
    static QString pathBeside(const QString& historyPath);

    // A missing file, or one for another target, gives the start.
    static HistorianCursor load(const QString& path, const QString& target);
    bool save(const QString& path, const QString& target, QString* error) const;
};
