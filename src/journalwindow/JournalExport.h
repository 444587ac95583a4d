#pragma once

#include <cstdint>

#include <QString>

#include "journal/JournalFilter.h"

struct JournalExportResult {
    bool ok = false;
    int64_t events = 0;
    QString error;  // why not, when not ok
};

// Writes every event of the journal matching the filter into a CSV file,
// whole or not at all, on a reader of its own: callable from any thread,
// since a full journal takes seconds the user-interface thread must not
// spend (the recorder ticks there).
JournalExportResult exportJournal(const QString& journalPath, const JournalFilter& filter, const QString& csvPath);
