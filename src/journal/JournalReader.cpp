#include "journal/JournalReader.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include "journal/JournalSchema.h"
#include "journal/ShownEvent.h"

namespace {

constexpr int kCountPage = 2000;

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

// The filter's conditions and their values, in order.
struct Conditions {
    QStringList clauses;
    QVariantList values;
};

// The filter's kinds and time range; its text is matched on the rows read.
Conditions conditionsOf(const JournalFilter& filter)
{
    Conditions c;
    if (!filter.kinds.isEmpty()) {
        QStringList marks;
        for (JournalEvent::Kind kind : filter.kinds) {
            marks.append(QStringLiteral("?"));
            c.values.append(JournalKinds::code(kind));
        }
        // One kind takes its (kind, time) index; for several, "+" keeps
        // SQLite on the time index, which yields them in order as they are
        // read, instead of gathering and sorting every one of them.
        c.clauses.append(QStringLiteral("%1kind in (%2)")
                             .arg(filter.kinds.size() > 1 ? QStringLiteral("+") : QString(),
                                  marks.join(QLatin1Char(','))));
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
    return c;
}

// Below a position in the reading order, and at or above one; the plain
// time bound lets the index find the start.
void addBelow(Conditions& c, const JournalReader::Position& below)
{
    c.clauses.append(QStringLiteral("time_utc <= ? and (time_utc < ? or id < ?)"));
    c.values << below.timeUtc << below.timeUtc << QVariant::fromValue<qlonglong>(below.id);
}

void addAtLeast(Conditions& c, const JournalReader::Position& atLeast)
{
    c.clauses.append(QStringLiteral("time_utc >= ? and (time_utc > ? or id >= ?)"));
    c.values << atLeast.timeUtc << atLeast.timeUtc << QVariant::fromValue<qlonglong>(atLeast.id);
}

const QString kReadingOrder = QStringLiteral("time_utc desc, id desc");

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

JournalReader::Position JournalReader::positionOf(const JournalEvent& event)
{
    return {utcText(event.time), event.id};
}

std::vector<JournalEvent> JournalReader::select(const JournalFilter& filter, const QStringList& conditions,
                                                const QVariantList& values, const QString& order, int count)
{
    std::vector<JournalEvent> events;
    if (!open_ && !open())
        return events;
    Conditions c = conditionsOf(filter);
    c.clauses += conditions;
    c.values += values;
    // A text is matched on the rows read, which are then not limited here.
    const bool search = !filter.text.isEmpty();
    QSqlQuery query(QSqlDatabase::database(connectionName_, false));
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("select %1 from events%2 order by %3%4")
                      .arg(JournalSchema::kColumns, whereClause(c.clauses), order,
                           search ? QString() : QStringLiteral(" limit ?")));
    for (const QVariant& value : c.values)
        query.addBindValue(value);
    if (!search)
        query.addBindValue(count);
    if (!run(query))
        return events;
    events.reserve(static_cast<size_t>(count));
    while (static_cast<int>(events.size()) < count && query.next()) {
        JournalEvent event = eventOf(query);
        if (!search || eventMentions(event, filter.text))
            events.push_back(std::move(event));
    }
    return events;
}

std::vector<JournalEvent> JournalReader::page(const JournalFilter& filter, int count, std::optional<Position> below,
                                              std::optional<Position> atLeast)
{
    Conditions bounds;
    if (below)
        addBelow(bounds, *below);
    if (atLeast)
        addAtLeast(bounds, *atLeast);
    return select(filter, bounds.clauses, bounds.values, kReadingOrder, count);
}

std::optional<JournalReader::Position> JournalReader::positionBelow(const JournalFilter& filter,
                                                                    std::optional<Position> below, int64_t rows)
{
    if (rows < 1 || (!open_ && !open()))
        return std::nullopt;
    Conditions c = conditionsOf(filter);
    if (below)
        addBelow(c, *below);
    QSqlQuery query(QSqlDatabase::database(connectionName_, false));
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("select time_utc, id from events%1 order by %2 limit 1 offset ?")
                      .arg(whereClause(c.clauses), kReadingOrder));
    for (const QVariant& value : c.values)
        query.addBindValue(value);
    query.addBindValue(QVariant::fromValue<qlonglong>(rows - 1));
    if (!run(query) || !query.next())
        return std::nullopt;
    return Position{query.value(0).toString(), query.value(1).toLongLong()};
}

std::vector<JournalEvent> JournalReader::newer(const JournalFilter& filter, int64_t above, int count)
{
    return select(filter, {QStringLiteral("id > ?")}, {QVariant::fromValue<qlonglong>(above)}, QStringLiteral("id asc"),
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
    if (!filter.text.isEmpty()) {
        // Matched on the rows as they are read, a page at a time.
        int64_t matching = 0;
        std::optional<Position> below;
        for (;;) {
            const std::vector<JournalEvent> events = page(filter, kCountPage, below);
            if (failed())
                return std::nullopt;
            matching += static_cast<int64_t>(events.size());
            if (events.size() < static_cast<size_t>(kCountPage))
                return matching;
            below = positionOf(events.back());
        }
    }
    const Conditions c = conditionsOf(filter);
    QSqlQuery query(QSqlDatabase::database(connectionName_, false));
    query.prepare(QStringLiteral("select count(*) from events%1").arg(whereClause(c.clauses)));
    for (const QVariant& value : c.values)
        query.addBindValue(value);
    if (!run(query) || !query.next())
        return std::nullopt;
    return query.value(0).toLongLong();
}
