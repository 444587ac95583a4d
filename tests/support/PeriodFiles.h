#pragma once

#include <vector>

#include <QDateTime>
#include <QString>

#include "archive/PeriodSample.h"
#include "support/HistoryFiles.h"

// Seeding what a period is read from, with plain SQL: archive month files
// and a ring that has wrapped.
namespace PeriodFiles {

// count samples one second apart from start (UTC offset as given); pv
// counts up from firstPv, alarm input 1 is on for every odd pv.
std::vector<PeriodSample> seconds(const QDateTime& start, int count, float firstPv, int utcOffset = 0);

// Writes the samples into the month files of the folder they belong to,
// creating the files (and the folder) as needed.
bool writeArchive(const QString& folder, const std::vector<PeriodSample>& samples);

// A new history file holding count records one second apart from start
// (local time, as the ring keeps it) with the record numbers wrapped: the
// oldest is firstId, after 65500 comes 1. Value column 0 holds the record
// number.
bool writeRing(const QString& path, const QDateTime& start, int count, int32_t firstId);

} // namespace PeriodFiles
