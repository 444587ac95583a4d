#include "historian/HistorianCursor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

QString HistorianCursor::pathBeside(const QString& historyPath)
{
    const QFileInfo history(historyPath);
    return history.dir().filePath(history.completeBaseName() + QStringLiteral(".historian.json"));
}

HistorianCursor HistorianCursor::load(const QString& path, const QString& target)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QJsonObject object = QJsonDocument::fromJson(file.readAll()).object();
    if (object.value(QStringLiteral("target")).toString() != target)
        return {};
    HistorianCursor cursor;
    cursor.sampleTimeUtcMs = object.value(QStringLiteral("sample_time_utc_ms")).toInteger(-1);
    cursor.eventId = object.value(QStringLiteral("event_id")).toInteger(0);
    const QJsonObject counts = object.value(QStringLiteral("confirmed_rows")).toObject();
    for (auto it = counts.begin(); it != counts.end(); ++it)
        cursor.confirmedRows[it.key()] = it.value().toInteger(0);
    return cursor;
}

bool HistorianCursor::save(const QString& path, const QString& target, QString* error) const
{
    QJsonObject counts;
    for (const auto& [file, rows] : confirmedRows)
        counts.insert(file, rows);
    const QJsonObject object{
        {QStringLiteral("target"), target},
        {QStringLiteral("sample_time_utc_ms"), sampleTimeUtcMs},
        {QStringLiteral("event_id"), eventId},
        {QStringLiteral("confirmed_rows"), counts},
    };
    // Written aside and renamed: a crash leaves the old position or the new.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(object).toJson()) < 0 || !file.commit()) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
