#pragma once

#include <cstdint>

#include <QDateTime>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include "archive/ArchiveSchema.h"

// An archive month file in folder holding one sample a second from start,
// made by SQLite generating the rows itself (a month in seconds, not
// minutes). PV, OP and the bits vary so nothing compresses to one value.
inline bool generateArchive(const QString& folder, const QDateTime& start, int64_t samples)
{
    const QString name = QStringLiteral("bench-generated-archive");
    bool ok = QDir().mkpath(folder);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(QDir(folder).filePath(ArchiveSchema::monthFileName(start)));
        ok = ok && db.open();
        QSqlQuery q(db);
        for (const QString& statement : ArchiveSchema::createStatements())
            ok = ok && q.exec(statement);
        ok = ok && q.exec(QStringLiteral(
                 "with recursive n(i) as (select 0 union all select i + 1 from n where i < %1) "
                 "insert into samples select %2 + i * 1000, 3600, 200 + (i % 600) / 10.0, (i % 1000) / 10.0, "
                 "250, i % 8, 2, 1 from n").arg(samples - 1).arg(start.toMSecsSinceEpoch()));
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}
