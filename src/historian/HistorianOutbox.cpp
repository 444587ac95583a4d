#include "historian/HistorianOutbox.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimeZone>

#include "archive/ArchiveSchema.h"
#include "archive/ReadOnlyConnection.h"
#include "journal/JournalSchema.h"

namespace {

std::optional<int> optionalInt(const QVariant& value)
{
    if (value.isNull())
        return std::nullopt;
    return value.toInt();
}

// Runs one read on its own read-only connection and hands each row on.
template <typename Row>
bool readRows(const QString& path, const QString& sql, const QVariantList& values, QString* error, Row onRow)
{
    QString name;
    bool ok = true;
    {
        QSqlDatabase db = ReadOnlyConnection::open(path, QStringLiteral("historian-outbox"), &name);
        QSqlQuery query(db);
        query.setForwardOnly(true);
        ok = db.isOpen() && query.prepare(sql);
        for (const QVariant& value : values)
            query.addBindValue(value);
        if (!ok || !query.exec()) {
            *error = QStringLiteral("cannot read %1: %2")
                         .arg(path, (db.isOpen() ? query.lastError() : db.lastError()).text());
            ok = false;
        }
        while (ok && query.next())
            onRow(query);
    }
    ReadOnlyConnection::close(name);
    return ok;
}

const QString kSampleColumns = QStringLiteral("time_utc_ms, utc_offset, pv, op, sv, alarm_bits, coil_bits, address");

OutboxSample sampleOf(const QSqlQuery& q)
{
    return {q.value(0).toLongLong(), q.value(1).toInt(),    q.value(2).toDouble(),  q.value(3).toDouble(),
            q.value(4).toDouble(),   optionalInt(q.value(5)), optionalInt(q.value(6)), optionalInt(q.value(7))};
}

} // namespace

HistorianOutbox::HistorianOutbox(QString archiveFolder, QString journalPath)
    : archiveFolder_(std::move(archiveFolder))
    , journalPath_(std::move(journalPath))
{
}

QStringList HistorianOutbox::monthFiles() const
{
    return QDir(archiveFolder_).entryList({QStringLiteral("[0-9][0-9][0-9][0-9]-[0-9][0-9].sqlite")}, QDir::Files,
                                          QDir::Name);
}

QString HistorianOutbox::monthFileOf(qint64 timeUtcMs)
{
    return ArchiveSchema::monthFileName(QDateTime::fromMSecsSinceEpoch(timeUtcMs, QTimeZone::utc()));
}

QList<OutboxSample> HistorianOutbox::samplesAfter(qint64 timeUtcMs, int limit, QString* error) const
{
    QList<OutboxSample> samples;
    // Month files sort by name as by time; those before the cursor's month
    // hold nothing after it.
    const QString firstFile = timeUtcMs < 0 ? QString() : monthFileOf(timeUtcMs);
    for (const QString& file : monthFiles()) {
        if (file < firstFile || samples.size() >= limit)
            continue;
        const bool ok = readRows(
            QDir(archiveFolder_).filePath(file),
            QStringLiteral("select %1 from samples where time_utc_ms > ? order by time_utc_ms limit ?")
                .arg(kSampleColumns),
            {timeUtcMs, limit - int(samples.size())}, error, [&](const QSqlQuery& q) { samples.append(sampleOf(q)); });
        // Later months wait for this one: the cursor never passes a gap.
        if (!ok)
            break;
    }
    return samples;
}

std::optional<qint64> HistorianOutbox::countUpTo(const QString& monthFile, qint64 timeUtcMs, QString* error) const
{
    std::optional<qint64> count;
    // A month wholly before the key is counted without a condition, which
    // SQLite answers from the table's pages alone, three times as fast.
    const bool whole = monthFile < monthFileOf(timeUtcMs);
    readRows(QDir(archiveFolder_).filePath(monthFile),
             whole ? QStringLiteral("select count(*) from samples")
                   : QStringLiteral("select count(*) from samples where time_utc_ms <= ?"),
             whole ? QVariantList{} : QVariantList{timeUtcMs}, error,
             [&](const QSqlQuery& q) { count = q.value(0).toLongLong(); });
    return count;
}

QList<OutboxSample> HistorianOutbox::samplesBetween(const QString& monthFile, qint64 after, qint64 upTo, int limit,
                                                    QString* error) const
{
    QList<OutboxSample> samples;
    readRows(QDir(archiveFolder_).filePath(monthFile),
             QStringLiteral("select %1 from samples where time_utc_ms > ? and time_utc_ms <= ? "
                            "order by time_utc_ms limit ?")
                 .arg(kSampleColumns),
             {after, upTo, limit}, error, [&](const QSqlQuery& q) { samples.append(sampleOf(q)); });
    return samples;
}

QList<OutboxEvent> HistorianOutbox::eventsAfter(qint64 id, int limit, QString* error) const
{
    QList<OutboxEvent> events;
    if (journalPath_.isEmpty() || !QFileInfo::exists(journalPath_))
        return events;
    readRows(journalPath_,
             QStringLiteral("select %1 from events where id > ? order by id limit ?").arg(JournalSchema::kColumns),
             {id, limit}, error, [&](const QSqlQuery& q) {
                 OutboxEvent e;
                 e.id = q.value(0).toLongLong();
                 e.timeUtc = q.value(1).toString();
                 e.utcOffset = q.value(2).toInt();
                 e.kind = q.value(3).toString();
                 e.source = q.value(4).toString();
                 e.what = q.value(5).toString();
                 e.oldValue = q.value(6).toString();
                 e.newValue = q.value(7).toString();
                 e.outcome = q.value(8).toString();
                 e.message = q.value(9).toString();
                 e.userName = q.value(10).toString();
                 e.host = q.value(11).toString();
                 e.origin = q.value(12).toString();
                 events.append(e);
             });
    return events;
}
