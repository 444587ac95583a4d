#pragma once

#include <QString>
#include <QStringList>

#include "journal/JournalFilter.h"

struct JournalOptions {
    QString journalPath;
    JournalFilter filter;
    QString language;  // "zh" or "en": the events' words
    bool csv = false;
    bool help = false;
    bool version = false;
};

// The command line of tq5800-journal; false with `error` set for bad usage.
// Times are ISO 8601, local time when they carry no offset.
bool parseJournalOptions(const QStringList& arguments, JournalOptions& options, QString& error);
QString journalUsage();
