#pragma once

#include <vector>

#include <QDateTime>
#include <QList>
#include <QString>

#include "journal/JournalEvent.h"

// The journal's alarm events and operator writes of a period, oldest first,
// for the report's table.
struct ReportJournal {
    bool found = false;  // a journal file exists at the path
    QString error;       // why an existing file could not be read; empty when it was
    std::vector<JournalEvent> events;
};

// The kinds the table shows.
QList<JournalEvent::Kind> reportJournalKinds();

// Reads them from the journal file at path (an empty path: none); never
// creates the file.
ReportJournal readReportJournal(const QString& path, const QDateTime& from, const QDateTime& to);
