#include "history/SampleWriter.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QStringList>

namespace {

QString quoted(const QSqlDatabase& db, const QString& name)
{
    return db.driver()->escapeIdentifier(name, QSqlDriver::FieldName);
}

QStringList quotedColumns(const QSqlDatabase& db, const QStringList& names, int count)
{
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << quoted(db, names[i]);
    return out;
}

QString assignments(const QStringList& columns)
{
    QStringList parts;
    for (const QString& c : columns)
        parts << c + QStringLiteral("=?");
    return parts.join(QLatin1Char(','));
}

void bindSample(QSqlQuery& q, const Sample& s)
{
    q.bindValue(0, s.recordNumber);
    q.bindValue(1, s.date);
    q.bindValue(2, s.time);
    int position = HistoryTables::kFirstValueColumn;
    for (float v : s.values)
        q.bindValue(position++, static_cast<double>(v));
}

QString errorOf(const QSqlQuery& q)
{
    const QString text = q.lastError().text();
    return text.isEmpty() ? QStringLiteral("statement failed") : text;
}

} // namespace

SampleWriter::SampleWriter(const QSqlDatabase& db, const HistoryTables::TableLayout& layout)
    : db_(db)
    , pointerRead_(db)
    , update_(db)
    , insert_(db)
    , pointerWrite_(db)
    , control_(db)
{
    using namespace HistoryTables;
    const QStringList sample = quotedColumns(db, layout.sampleColumns, kSampleColumns);
    const QStringList pointer = quotedColumns(db, layout.pointerColumns, kPointerColumns);
    QStringList marks;
    for (int i = 0; i < kSampleColumns; ++i)
        marks << QStringLiteral("?");

    pointerRead_.prepare(kPointerQuery);
    update_.prepare(QStringLiteral("update pv_data set %1 where w_id=?").arg(assignments(sample)));
    insert_.prepare(QStringLiteral("insert into pv_data (%1) values (%2)")
                        .arg(sample.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
    pointerWrite_.prepare(QStringLiteral("update sl_void set %1").arg(assignments(pointer)));
}

std::optional<int32_t> SampleWriter::readPointer()
{
    std::optional<int32_t> id;
    if (pointerRead_.exec() && pointerRead_.next())
        id = HistoryTables::recordNumberAt(pointerRead_);
    pointerRead_.finish();
    return id;
}

SampleWriter::Result SampleWriter::store(const Sample& sample)
{
    Result result;
    if (!control_.exec(QStringLiteral("begin immediate"))) {
        result.error = errorOf(control_);
        result.failure = SqliteProblem::lastFailure(db_);
        return result;
    }
    if (writeRecord(sample, &result.error)
        && writePointer(sample.recordNumber, &result.pointerWritten, &result.error)) {
        if (control_.exec(QStringLiteral("commit"))) {
            result.stored = true;
            return result;
        }
        result.error = errorOf(control_);
    }
    // Read before the rollback, which has a result of its own.
    result.failure = SqliteProblem::lastFailure(db_);
    control_.exec(QStringLiteral("rollback"));
    result.pointerWritten = false;
    return result;
}

bool SampleWriter::writeRecord(const Sample& sample, QString* error)
{
    QSqlQuery lookup(db_);
    if (!lookup.exec(HistoryTables::sampleQuery(sample.recordNumber))) {
        *error = errorOf(lookup);
        return false;
    }
    const bool exists = lookup.next() && !lookup.value(0).isNull();
    lookup.finish();

    QSqlQuery& write = exists ? update_ : insert_;
    bindSample(write, sample);
    if (exists)
        write.bindValue(HistoryTables::kSampleColumns, sample.recordNumber);
    const bool ok = write.exec();
    if (!ok)
        *error = errorOf(write);
    write.finish();
    return ok;
}

bool SampleWriter::writePointer(int32_t recordNumber, bool* written, QString* error)
{
    pointerWrite_.bindValue(0, recordNumber);
    pointerWrite_.bindValue(1, recordNumber);
    if (!pointerWrite_.exec()) {
        *error = errorOf(pointerWrite_);
        return false;
    }
    *written = pointerWrite_.numRowsAffected() > 0;
    pointerWrite_.finish();
    return true;
}
