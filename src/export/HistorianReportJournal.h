#pragma once

#include <QDateTime>
#include <QString>

#include "export/ReportJournal.h"

class HistorianPeriodReader;

// The report's events as a station forwarded them to the central server:
// the same kinds and order as from its journal file. A failed read gives
// the error, as an unreadable journal file does.
ReportJournal readHistorianReportJournal(HistorianPeriodReader& reader, const QString& station,
                                         const QDateTime& from, const QDateTime& to);
