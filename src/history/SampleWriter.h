#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include "history/HistoryTables.h"
#include "history/SqliteProblem.h"

// What one stored sample consists of: the record number, its date and time
// of day as date values, and ten values: the eight measurements, then two
// that are always 0.
struct Sample {
    int32_t recordNumber = 0;
    double date = 0.0;
    double time = 0.0;
    std::array<float, HistoryTables::kValueColumns> values{};
};

// The recorder's statements on its own connection. A sample and the ring
// pointer that names it go into the file in one transaction: after a crash
// the pointer never lags behind or runs ahead of the stored records.
class SampleWriter {
public:
    struct Result {
        bool stored = false;
        bool pointerWritten = false;  // false when sl_void has no record
        QString error;
        SqliteProblem::Codes failure;  // of the call that failed
    };

    SampleWriter(const QSqlDatabase& db, const HistoryTables::TableLayout& layout);

    // Position 0 of sl_void; empty when it cannot be read or is no number
    // that fits, so the caller keeps the number it counted itself.
    std::optional<int32_t> readPointer();

    // Overwrites the record with the sample's number in place when there is
    // one, adds it otherwise, and sets both pointer columns to its number.
    Result store(const Sample& sample);

private:
    bool writeRecord(const Sample& sample, QString* error);
    bool writePointer(int32_t recordNumber, bool* written, QString* error);

    QSqlDatabase db_;
    QSqlQuery pointerRead_;
    QSqlQuery update_;
    QSqlQuery insert_;
    QSqlQuery pointerWrite_;
    QSqlQuery control_;
};
