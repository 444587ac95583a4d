#include "history/HistoryTables.h"

#include <limits>

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace HistoryTables {

namespace {

QStringList columnNames(const QSqlDatabase& db, const QString& table)
{
    const QSqlRecord record = db.record(table);
    QStringList names;
    for (int i = 0; i < record.count(); ++i)
        names << record.fieldName(i);
    return names;
}

} // namespace

QString sampleQuery(int32_t recordNumber)
{
    return QStringLiteral("select * from  pv_data where w_id=") + QString::number(recordNumber);
}

std::optional<int32_t> recordNumberAt(const QSqlQuery& query)
{
    bool ok = false;
    const qlonglong value = query.value(0).toLongLong(&ok);
    if (!ok || value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(value);
}

std::optional<TableLayout> readLayout(const QSqlDatabase& db, QString* reason)
{
    // Reading the schema is the first statement that touches the file, so a
    // file that is not a database fails here with SQLite's own words.
    QSqlQuery probe(db);
    if (!probe.exec(QStringLiteral("select count(*) from sqlite_master"))) {
        *reason = probe.lastError().text();
        return std::nullopt;
    }
    probe.finish();

    TableLayout layout{columnNames(db, QStringLiteral("pv_data")), columnNames(db, QStringLiteral("sl_void"))};
    if (layout.sampleColumns.isEmpty()) {
        *reason = QStringLiteral("the file has no table pv_data");
        return std::nullopt;
    }
    if (layout.pointerColumns.isEmpty()) {
        *reason = QStringLiteral("the file has no table sl_void");
        return std::nullopt;
    }
    if (layout.sampleColumns.size() < kSampleColumns) {
        *reason = QStringLiteral("table pv_data has %1 columns, %2 are needed")
                      .arg(layout.sampleColumns.size()).arg(kSampleColumns);
        return std::nullopt;
    }
    // The query texts name the first three columns; the rest go by position.
    const QStringList named{QStringLiteral("w_id"), QStringLiteral("w_date"), QStringLiteral("w_time")};
    for (int i = 0; i < named.size(); ++i) {
        if (layout.sampleColumns[i].compare(named[i], Qt::CaseInsensitive) != 0) {
            *reason = QStringLiteral("column %1 of table pv_data is %2, not %3")
                          .arg(i).arg(layout.sampleColumns[i], named[i]);
            return std::nullopt;
        }
    }
    if (layout.pointerColumns.size() < kPointerColumns) {
        *reason = QStringLiteral("table sl_void has %1 column, %2 are needed")
                      .arg(layout.pointerColumns.size()).arg(kPointerColumns);
        return std::nullopt;
    }
    return layout;
}

} // namespace HistoryTables
