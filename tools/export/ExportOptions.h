#pragma once

#include <optional>

#include <QDateTime>
#include <QString>
#include <QStringList>

struct ExportOptions {
    // PV further than this from SV counts as outside the band in the
    // report: a few degrees, what a settled loop keeps to.
    static constexpr double kDefaultBand = 5.0;

    QString historyPath;    // empty with historian
    QString archiveFolder;  // empty: the ring alone
    QString historian;      // a libpq connection string: the central server instead of the files
    QString station;        // the station's name on the server
    std::optional<int> address;  // the instrument's; needed when the station forwarded more than one
    QString port;           // the instrument's line; needed when two carry the address
    QDateTime from;
    QDateTime to;
    QString csvPath;  // exactly one of csvPath and pdfPath
    QString pdfPath;
    double band = kDefaultBand;
    QString journalPath;  // empty: journal.sqlite beside the history file (the server's events with historian)
    QString instrument;   // empty: named by the samples' address
    bool help = false;
    bool version = false;
};

// The command line of tq5800-export; false with `error` set for bad usage.
// Times are ISO 8601, local time when they carry no offset.
bool parseExportOptions(const QStringList& arguments, ExportOptions& options, QString& error);
QString exportUsage();
