#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

struct ExportOptions {
    // PV further than this from SV counts as outside the band in the
    // report: a few degrees, what a settled loop keeps to.
    static constexpr double kDefaultBand = 5.0;

    QString historyPath;
    QString archiveFolder;  // empty: the ring alone
    QDateTime from;
    QDateTime to;
    QString csvPath;  // exactly one of csvPath and pdfPath
    QString pdfPath;
    double band = kDefaultBand;
    QString journalPath;  // empty: journal.sqlite beside the history file
    QString instrument;   // empty: named by the samples' address
    bool help = false;
    bool version = false;
};

// The command line of tq5800-export; false with `error` set for bad usage.
// Times are ISO 8601, local time when they carry no offset.
bool parseExportOptions(const QStringList& arguments, ExportOptions& options, QString& error);
QString exportUsage();
