#include "support/JournalFiles.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QDebug>
#include <QUuid>
#include <QVariant>

#include "journal/JournalSchema.h"

namespace {

// The columns are "not null": a null text is written as an empty one.
QVariant textValue(const QString& text)
{
    return text.isNull() ? QVariant(QStringLiteral("")) : QVariant(text);
}

} // namespace

namespace JournalFiles {

JournalEvent event(JournalEvent::Kind kind, const QDateTime& time, const QString& what)
{
    JournalEvent e;
    e.kind = kind;
    e.time = time;
    e.what = what;
    return e;
}

bool appendMade(const QString& path, int64_t count, const std::function<JournalEvent(int64_t)>& make)
{
    const QString name = QStringLiteral("journal-files-") + QUuid::createUuid().toString(QUuid::Id128);
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(db);
            ok = true;
            for (const QString& statement : JournalSchema::createStatements())
                ok = ok && query.exec(statement);
            ok = ok && db.transaction();
            ok = ok && query.prepare(QStringLiteral(
                           "insert into events (time_utc, utc_offset, kind, source, what, old_value, new_value, "
                           "outcome, message, user_name, host, origin) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
            for (int64_t i = 0; ok && i < count; ++i) {
                const JournalEvent e = make(i);
                int column = 0;
                for (const QVariant& value :
                     {QVariant(e.time.toUTC().toString(JournalSchema::kTimeFormat)), QVariant(e.time.offsetFromUtc()),
                      QVariant(JournalKinds::code(e.kind)), textValue(e.source), textValue(e.what),
                      textValue(e.oldValue), textValue(e.newValue), textValue(e.outcome), textValue(e.text),
                      textValue(e.user), textValue(e.host), textValue(e.origin)})
                    query.bindValue(column++, value);
                ok = query.exec();
            }
            if (!ok)
                qWarning() << "journal files:" << query.lastError().text();
            ok = ok && db.commit();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

bool append(const QString& path, const std::vector<JournalEvent>& events)
{
    return appendMade(path, static_cast<int64_t>(events.size()),
                      [&](int64_t i) { return events[static_cast<size_t>(i)]; });
}

} // namespace JournalFiles
