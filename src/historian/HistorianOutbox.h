#pragma once

#include <QList>
#include <QString>

#include "historian/OutboxRows.h"

// The rows waiting for the server, read straight from the station's own
// files: the archive's month files (in time order) and the journal (in id
// order). Nothing is copied aside, so nothing is lost while the server is
// away: the files are the outbox.
class HistorianOutbox {
public:
    HistorianOutbox(QString archiveFolder, QString journalPath);

    // Up to limit samples after the given archive key; an unreadable
    // month file sets error.
    QList<OutboxSample> samplesAfter(qint64 timeUtcMs, int limit, QString* error) const;
    // Up to limit events after the given journal id; no journal, no events.
    QList<OutboxEvent> eventsAfter(qint64 id, int limit, QString* error) const;

private:
    QString archiveFolder_;
    QString journalPath_;
};
