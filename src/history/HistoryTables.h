#pragma once

#include <cstdint>
#include <optional>

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>

// The two tables of the history database. Columns are addressed by
// position: an existing file may name its value columns differently, so the
// names are read from the file and only the positions are fixed.
//
// pv_data (one record per stored sample):
//   0 w_id    record number in the ring, 1..65500, unique
//   1 w_date  date value, whole days since 1899-12-30
//   2 w_time  time of day as a fraction of a day, whole seconds
//   3..12     the measurements (PV, OP in per cent, SV, 3X 4, 3X 5,
//             alarm 1..3 type codes, and two that are always 0)
// sl_void (exactly one record):
//   0, 1      the number of the newest stored record, twice
namespace HistoryTables {

constexpr int32_t kRingSize = 65500;
constexpr int kSampleColumns = 13;
constexpr int kValueColumns = 10;
constexpr int kFirstValueColumn = 3;
constexpr int kPointerColumns = 2;

// The station's query texts, double blanks included: the recorder and the
// chart send exactly these, so a trace of the database shows the same text
// from both sides.
inline const QString kPointerQuery = QStringLiteral("select * from  sl_void");
QString sampleQuery(int32_t recordNumber);

// The record number in the first column of a query's current row (the
// pointer query's); empty when it is not a whole number within 32 bits.
std::optional<int32_t> recordNumberAt(const QSqlQuery& query);

// Column names of the two tables as the file has them.
struct TableLayout {
    QStringList sampleColumns;   // at least kSampleColumns
    QStringList pointerColumns;  // at least kPointerColumns
};

// Reads the layout without changing anything in the file. Empty, with the
// reason, when the file is not a database or lacks a table or columns.
std::optional<TableLayout> readLayout(const QSqlDatabase& db, QString* reason);

} // namespace HistoryTables
