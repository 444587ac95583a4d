#include "history/DatabasePath.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace DatabasePath {

QString defaultPath()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(base).filePath(QStringLiteral("tq5800/Rdatabj.sqlite"));
}

QString resolve(const QString& commandLinePath)
{
    if (commandLinePath.trimmed().isEmpty())
        return defaultPath();
    return QFileInfo(commandLinePath).absoluteFilePath();
}

} // namespace DatabasePath
