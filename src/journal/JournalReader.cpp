#include "journal/JournalReader.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include "journal/JournalSchema.h"

namespace {

QString utcText(const QDateTime& time)
{
    return time.toUTC().toString(JournalSchema::kTimeFormat);
}

// The fixed-width text read by position: Qt's format parser would cost more
// than the rest of a row, and read as one local time a UTC moment inside a
// daylight saving gap would not exist.
QDateTime fromUtcText(const QString& text)
{
    const auto number = [&text](qsizetype from, qsizetype length) {
        return QStringView(text).mid(from, length).toInt();
    };
    return QDateTime(QDate(number(0, 4), number(5, 2), number(8, 2)),
                     QTime(number(11, 2), number(14, 2), number(17, 2), number(20, 3)), Qt::UTC);
}

// The user's text taken literally: % and _ are no wildcards here.
QString likePattern(const QString& text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    escaped.replace(QLatin1Char('%'), QStringLiteral("\\%"));
    escaped.replace(QLatin1Char('_'), QStringLiteral("\\_"));
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

const QStringList kSearchedColumns{QStringLiteral("what"), QStringLiteral("source"), QStringLiteral("old_value"),
                                   QStringLiteral("new_value"), QStringLiteral("message")};

// The filter's conditions and their values, in order.
struct Conditions {
    QStringList clauses;
    QVariantList values;
};

Conditions conditionsOf(const JournalFilter& filter)
{
    Conditions c;
    if (!filter.kinds.isEmpty()) {
        QStringList marks;
        for (JournalEvent::Kind kind : filter.kinds) {
            marks.append(QStringLiteral("?"));
            c.values.append(JournalKinds::code(kind));
        }
        c.clauses.append(QStringLiteral("kind in (%1)").arg(marks.join(QLatin1Char(','))));
    }
    // On the stored UTC text, so the time indexes serve.
    if (filter.from) {
        c.clauses.append(QStringLiteral("time_utc >= ?"));
        c.values.append(utcText(*filter.from));
    }
    if (filter.to) {
        c.clauses.append(QStringLiteral("time_utc < ?"));
        c.values.append(utcText(*filter.to));
    }
    if (!filter.text.isEmpty()) {
        QStringList likes;
        const QString pattern = likePattern(filter.text);
        for (const QString& column : kSearchedColumns) {
            likes.append(column + QStringLiteral(" like ? escape '\\'"));
            c.values.append(pattern);
        }
        c.clauses.append(QLatin1Char('(') + likes.join(QStringLiteral(" or ")) + QLatin1Char(')'));
    }
    return c;
}

QString whereClause(const QStringList& clauses)
{
    return clauses.isEmpty() ? QString() : QStringLiteral(" where ") + clauses.join(QStringLiteral(" and "));
}

JournalEvent eventOf(const QSqlQuery& query)
{
    JournalEvent event;
    event.id = query.value(0).toLongLong();
    // Shown as the station's clock showed it when it was written.
    event.time = fromUtcText(query.value(1).toString()).toOffsetFromUtc(query.value(2).toInt());
    JournalKinds::fromCode(query.value(3).toString(), event.kind);
    event.source = query.value(4).toString();
    event.what = query.value(5).toString();
    event.oldValue = query.value(6).toString();
    event.newValue = query.value(7).toString();
    event.outcome = query.value(8).toString();
    event.text = query.value(9).toString();
    event.user = query.value(10).toString();
    event.host = query.value(11).toString();
    event.origin = query.value(12).toString();
    return event;
}

} // namespace

JournalReader::JournalReader(QString path, QString connectionName)
    : path_(std::move(path))
    , connectionName_(std::move(connectionName))
{
}

JournalReader::~JournalReader()
{
    if (!QSqlDatabase::contains(connectionName_))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName_);
}

bool JournalReader::open()
{
    open_ = false;
    // SQLite would create a missing file; a reader must not.
    if (!QFileInfo(path_).isFile()) {
        error_ = QStringLiteral("no journal file at %1").arg(path_);
        return false;
    }
    QSqlDatabase db = QSqlDatabase::contains(connectionName_)
                          ? QSqlDatabase::database(connectionName_, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
    db.close();
    db.setDatabaseName(path_);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=2000"));
    if (!db.open()) {
        error_ = db.lastError().text();
        return false;
    }
    // A file that is no SQLite database, or one without the table, fails here.
    QSqlQuery probe(db);
    if (!probe.exec(QStringLiteral("select id from events limit 1"))) {
        error_ = probe.lastError().text();
        db.close();
        return false;
    }
    error_.clear();
    open_ = true;
    return true;
}

bool JournalReader::run(QSqlQuery& query)
{
    if (!query.exec()) {
        error_ = query.lastError().text();
        return false;
    }
    error_.clear();
    return true;
}

std::vector<JournalEvent> JournalReader::select(const JournalFilter& filter, const QStringList& idConditions,
                                                const QVariantList& ids, const QString& order, int count)
{
    std::vector<JournalEvent> events;
    if (!open_ && !open())
        return events;
    Conditions c = conditionsOf(filter);
    c.clauses += idConditions;
    c.values += ids;
    QSqlQuery query(QSqlDatabase::database(connectionName_, false));
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("select %1 from events%2 order by id %3 limit ?")
                      .arg(JournalSchema::kColumns, whereClause(c.clauses), order));
    for (const QVariant& value : c.values)
        query.addBindValue(value);
    query.addBindValue(count);
    if (!run(query))
        return events;
    events.reserve(static_cast<size_t>(count));
    while (query.next())
        events.push_back(eventOf(query));
    return events;
}

std::vector<JournalEvent> JournalReader::page(const JournalFilter& filter, int count, std::optional<int64_t> below,
                                              std::optional<int64_t> atLeast)
{
    QStringList conditions;
    QVariantList ids;
    if (below) {
        conditions.append(QStringLiteral("id < ?"));
        ids.append(QVariant::fromValue<qlonglong>(*below));
    }
    if (atLeast) {
        conditions.append(QStringLiteral("id >= ?"));
        ids.append(QVariant::fromValue<qlonglong>(*atLeast));
    }
    return select(filter, conditions, ids, QStringLiteral("desc"), count);
}

std::vector<JournalEvent> JournalReader::newer(const JournalFilter& filter, int64_t above, int count)
{
    return select(filter, {QStringLiteral("id > ?")}, {QVariant::fromValue<qlonglong>(above)}, QStringLiteral("asc"),
                  count);
}

std::optional<JournalReader::IdRange> JournalReader::ids()
{
    if (!open_ && !open())
        return std::nullopt;
    QSqlQuery query(QSqlDatabase::database(connectionName_, false));
    // Each on its own: only a bare min() or max() is read off the key's
    // ends, anything more reads the whole table. Null (read as 0) when empty.
    query.prepare(QStringLiteral("select (select min(id) from events), (select max(id) from events)"));
    if (!run(query) || !query.next())
        return std::nullopt;
    return IdRange{query.value(0).toLongLong(), query.value(1).toLongLong()};
}

std::optional<int64_t> JournalReader::count(const JournalFilter& filter)
{
    if (!open_ && !open())
        return std::nullopt;
    const Conditions c = conditionsOf(filter);
    QSqlQuery query(QSqlDatabase::database(connectionName_, false));
    query.prepare(QStringLiteral("select count(*) from events%1").arg(whereClause(c.clauses)));
    for (const QVariant& value : c.values)
        query.addBindValue(value);
    if (!run(query) || !query.next())
        return std::nullopt;
    return query.value(0).toLongLong();
}
