#pragma once

#include <vector>

#include <QDateTime>
#include <QString>

#include "journal/JournalEvent.h"

// The journal's alarm events and operator writes of a period, oldest first,
// for the report's table.
struct ReportJournal {
    bool found = false;  // a journal file exists at the path
    QString error;       // why an existing file could not be read; empty when it was
    std::vector<JournalEvent> events;
};

// Reads them from the journal file at path (an empty path: none); never
// creates the file.
ReportJournal readReportJournal(const QString& path, const QDateTime& from, const QDateTime& to);
