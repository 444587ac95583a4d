#include "archive/RingReader.h"

#include <algorithm>

#include <QDateTime>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "archive/RingMoment.h"
#include "core/DateValue.h"
#include "history/HistoryDatabase.h"
#include "history/HistoryTables.h"

RingReader::RingReader(QString historyPath, QString connectionName)
    : historyPath_(std::move(historyPath))
    , connectionName_(std::move(connectionName))
{
}

namespace {

std::vector<PeriodSample> readRows(QSqlDatabase& db, std::optional<int64_t> afterUtcMs, QString* error)
{
    const std::optional<HistoryTables::TableLayout> layout = HistoryTables::readLayout(db, error);
    if (!layout)
        return {};
    // Local dates only narrow the scan; the exact cut is made in UTC below.
    // A day's margin covers any offset.
    const double firstDate =
        afterUtcMs ? DateValue::fromDate(QDateTime::fromMSecsSinceEpoch(*afterUtcMs).date()) - 1.0 : -1e9;
    const QStringList& c = layout->sampleColumns;
    const int v = HistoryTables::kFirstValueColumn;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    const QString text = QStringLiteral("select %1, %2, %3, %4, %5 from pv_data where %1 >= ?")
                             .arg(c[1], c[2], c[v], c[v + 1], c[v + 2]);
    if (!q.prepare(text)) {
        *error = q.lastError().text();
        return {};
    }
    q.addBindValue(firstDate);
    if (!q.exec()) {
        *error = q.lastError().text();
        return {};
    }
    std::vector<PeriodSample> samples;
    while (q.next()) {
        PeriodSample s;
        s.utcMs = RingMoment::utcMs(q.value(0).toDouble(), q.value(1).toDouble(), &s.utcOffset);
        if (afterUtcMs && s.utcMs <= *afterUtcMs)
            continue;
        s.pv = q.value(2).toFloat();
        s.op = q.value(3).toFloat();
        s.sv = q.value(4).toFloat();
        samples.push_back(s);
    }
    std::stable_sort(samples.begin(), samples.end(),
                     [](const PeriodSample& a, const PeriodSample& b) { return a.utcMs < b.utcMs; });
    return samples;
}

} // namespace

std::vector<PeriodSample> RingReader::samplesAfter(std::optional<int64_t> afterUtcMs, QString* error) const
{
    if (historyPath_.isEmpty() || !QFileInfo::exists(historyPath_))
        return {};
    std::vector<PeriodSample> samples;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
        db.setDatabaseName(historyPath_);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=%1")
                                 .arg(HistoryDatabase::kBusyTimeoutMs));
        if (db.open())
            samples = readRows(db, afterUtcMs, error);
        else
            *error = db.lastError().text();
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName_);
    return samples;
}
