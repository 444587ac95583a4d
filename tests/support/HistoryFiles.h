#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

// Direct access to a history database file for tests: seeding records,
// reading them back and making odd files, each through a short-lived
// connection of its own, independent of the code under test.
namespace HistoryFiles {

struct Row {
    int32_t id = 0;
    double date = 0.0;
    double time = 0.0;
    std::array<double, 10> values{};
};

QByteArray sha256(const QString& path);

// Runs the statements in order; false at the first that fails. Creates the
// file when it does not exist (to make foreign files).
bool exec(const QString& path, const QStringList& statements);

// A single value of the first row of a query, empty when there is none.
std::optional<QVariant> scalar(const QString& path, const QString& query);

std::vector<Row> rows(const QString& path, const QString& where = QString());
std::optional<int32_t> pointer(const QString& path);
int rowCount(const QString& path);

// Writes the rows (replacing records with the same number) and sets the
// pointer, all in one transaction.
bool insertRows(const QString& path, const std::vector<Row>& rows, std::optional<int32_t> pointer);

// A history file made by another program that still fits: other value
// column names, w_id merely unique, an extra column, sl_void naming 5.
QStringList otherFittingLayout();

// Records first..last, one second apart and oldest first, starting at the
// given date value; value column 0 holds the record number.
std::vector<Row> sequence(int32_t first, int32_t last, double startDateTime);

} // namespace HistoryFiles
