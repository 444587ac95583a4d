#pragma once

#include <cstdint>
#include <map>
#include <optional>

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <QVariant>

#include "archive/PeriodSample.h"

// Reads an archive folder's month files directly, on short-lived
// connections of its own, independent of the code under test.
namespace ArchiveFiles {

inline QStringList monthFiles(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral("*.sqlite")}, QDir::Files, QDir::Name);
}

// Runs the query on the file and hands each row to the reader.
template <typename Reader>
bool query(const QString& file, const QString& text, Reader reader)
{
    const QString name = QUuid::createUuid().toString();
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery q(db);
            ok = q.exec(text);
            while (ok && q.next())
                reader(q);
        }
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

inline std::optional<uint16_t> bits(const QVariant& value)
{
    return value.isNull() ? std::nullopt : std::optional<uint16_t>(static_cast<uint16_t>(value.toInt()));
}

// Every sample of every month file, by moment.
inline std::map<int64_t, PeriodSample> samples(const QString& folder)
{
    std::map<int64_t, PeriodSample> all;
    for (const QString& name : monthFiles(folder)) {
        query(QDir(folder).filePath(name),
              QStringLiteral("select time_utc_ms, utc_offset, pv, op, sv, alarm_bits, coil_bits, address from samples"),
              [&](const QSqlQuery& q) {
                  PeriodSample s;
                  s.utcMs = q.value(0).toLongLong();
                  s.utcOffset = q.value(1).toInt();
                  s.pv = q.value(2).toFloat();
                  s.op = q.value(3).toFloat();
                  s.sv = q.value(4).toFloat();
                  s.alarmBits = bits(q.value(5));
                  s.coilBits = bits(q.value(6));
                  s.address = q.value(7).isNull() ? std::nullopt : std::optional<int>(q.value(7).toInt());
                  all[s.utcMs] = s;
              });
    }
    return all;
}

inline QString integrity(const QString& file)
{
    QString answer;
    query(file, QStringLiteral("pragma integrity_check"), [&](const QSqlQuery& q) { answer += q.value(0).toString(); });
    return answer;
}

} // namespace ArchiveFiles
