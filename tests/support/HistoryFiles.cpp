#include "support/HistoryFiles.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include "core/DateValue.h"

namespace HistoryFiles {

namespace {

// A connection that exists for one call only.
class Scratch {
public:
    explicit Scratch(const QString& path)
        : name_(QStringLiteral("history-files-%1").arg(++counter_))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(path);
        db.open();
    }
    ~Scratch()
    {
        QSqlDatabase::database(name_, false).close();
        QSqlDatabase::removeDatabase(name_);
    }
    QSqlDatabase db() const { return QSqlDatabase::database(name_, false); }

private:
    static inline int counter_ = 0;
    QString name_;
};

} // namespace

QByteArray sha256(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
}

bool exec(const QString& path, const QStringList& statements)
{
    Scratch s(path);
    QSqlQuery q(s.db());
    for (const QString& statement : statements) {
        if (!q.exec(statement))
            return false;
        q.finish();
    }
    return true;
}

std::optional<QVariant> scalar(const QString& path, const QString& query)
{
    Scratch s(path);
    QSqlQuery q(s.db());
    if (!q.exec(query) || !q.next())
        return std::nullopt;
    return q.value(0);
}

QStringList otherFittingLayout()
{
    return {
        QStringLiteral("create table pv_data (w_id integer unique, w_date double, w_time double, "
                       "v0 float, v1 float, v2 float, v3 float, v4 float, v5 float, v6 float, v7 float, "
                       "v8 float, v9 float, note text)"),
        QStringLiteral("create table sl_void (a integer, b integer)"),
        QStringLiteral("insert into sl_void values (5, 5)"),
    };
}

std::vector<Row> rows(const QString& path, const QString& where)
{
    Scratch s(path);
    QSqlQuery q(s.db());
    std::vector<Row> out;
    const QString filter = where.isEmpty() ? QString() : QStringLiteral(" where ") + where;
    if (!q.exec(QStringLiteral("select * from pv_data") + filter + QStringLiteral(" order by w_id")))
        return out;
    while (q.next()) {
        Row r;
        r.id = q.value(0).toInt();
        r.date = q.value(1).toDouble();
        r.time = q.value(2).toDouble();
        for (int i = 0; i < 10; ++i)
            r.values[static_cast<size_t>(i)] = q.value(3 + i).toDouble();
        out.push_back(r);
    }
    return out;
}

std::optional<int32_t> pointer(const QString& path)
{
    const auto v = scalar(path, QStringLiteral("select * from sl_void"));
    if (!v)
        return std::nullopt;
    return v->toInt();
}

int rowCount(const QString& path)
{
    return scalar(path, QStringLiteral("select count(*) from pv_data")).value_or(QVariant(-1)).toInt();
}

bool insertRows(const QString& path, const std::vector<Row>& rows, std::optional<int32_t> pointer)
{
    Scratch s(path);
    QSqlDatabase db = s.db();
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("begin")))
        return false;
    q.prepare(QStringLiteral("insert or replace into pv_data values (?,?,?,?,?,?,?,?,?,?,?,?,?)"));
    for (const Row& r : rows) {
        q.bindValue(0, r.id);
        q.bindValue(1, r.date);
        q.bindValue(2, r.time);
        for (int i = 0; i < 10; ++i)
            q.bindValue(3 + i, r.values[static_cast<size_t>(i)]);
        if (!q.exec())
            return false;
    }
    if (pointer && !q.exec(QStringLiteral("update sl_void set newest=%1, newest_copy=%1").arg(*pointer)))
        return false;
    return q.exec(QStringLiteral("commit"));
}

std::vector<Row> sequence(int32_t first, int32_t last, double startDateTime)
{
    std::vector<Row> out;
    // In UTC, so that no daylight-saving change bends the sequence.
    const QDateTime start(DateValue::toDate(startDateTime), DateValue::toTime(startDateTime), Qt::UTC);
    for (int32_t id = first; id <= last; ++id) {
        const QDateTime at = start.addSecs(id - first);
        Row r;
        r.id = id;
        r.date = DateValue::fromDate(at.date());
        r.time = DateValue::fromTime(at.time());
        r.values[0] = id;
        out.push_back(r);
    }
    return out;
}

} // namespace HistoryFiles
