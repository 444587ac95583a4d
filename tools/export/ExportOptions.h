#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

struct ExportOptions {
    QString historyPath;
    QString archiveFolder;  // empty: the ring alone
    QDateTime from;
    QDateTime to;
    QString csvPath;
    bool help = false;
    bool version = false;
};

// The command line of tq5800-export; false with `error` set for bad usage.
// Times are ISO 8601, local time when they carry no offset.
bool parseExportOptions(const QStringList& arguments, ExportOptions& options, QString& error);
QString exportUsage();
