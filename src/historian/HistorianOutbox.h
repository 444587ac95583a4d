#pragma once

#include <optional>

#include <QList>
#include <QString>
#include <QStringList>

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

    // The archive's month files by name, oldest first.
    QStringList monthFiles() const;
    // The month file a sample with this key belongs to.
    static QString monthFileOf(qint64 timeUtcMs);
    // How many samples of one month file are at or before the key.
    std::optional<qint64> countUpTo(const QString& monthFile, qint64 timeUtcMs, QString* error) const;
    // Up to limit samples of one month file after `after`, at or before upTo.
    QList<OutboxSample> samplesBetween(const QString& monthFile, qint64 after, qint64 upTo, int limit,
                                       QString* error) const;

private:
    QString archiveFolder_;
    QString journalPath_;
};
