#pragma once

#include <optional>

#include <QDateTime>
#include <QString>

#include "core/ShownText.h"
#include "export/ReportJournal.h"

class PeriodSampleSource;

// What a period report is made of.
struct PeriodReportRequest {
    QString path;         // the PDF file to write
    QString instrument;   // names the instrument in the heading
    QDateTime from;       // the period, from inclusive; shown at from's offset
    QDateTime to;         // to exclusive
    PeriodSampleSource* samples = nullptr;
    double band = 0.0;    // PV further than this from SV counts as outside
    QString journalPath;  // the event journal; empty or missing: no event table
    std::optional<ReportJournal> journal;  // events read elsewhere (the server): used instead of journalPath
    int columns = 1600;   // the trend's resolution
};

// Writes the report as an A4 landscape PDF: heading, the trend of the whole
// period, the statistics and, when there is a journal, its alarm events and
// operator writes of the period over as many pages as they need. The file
// is written under a temporary name and takes the path's place only when
// whole. False, with error set in the operator's words, otherwise.
bool writePeriodReport(const PeriodReportRequest& request, QString& error);
// The same with the error also in English, for the log and the tools.
bool writePeriodReport(const PeriodReportRequest& request, ShownText& error);
