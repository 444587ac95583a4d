#include "archive/ArchivePath.h"

#include <QDir>
#include <QFileInfo>

namespace ArchivePath {

QString resolve(const QString& commandLinePath, const QString& historyPath)
{
    if (!commandLinePath.isEmpty())
        return QFileInfo(commandLinePath).absoluteFilePath();
    return QFileInfo(historyPath).absoluteDir().filePath(QStringLiteral("archive"));
}

} // namespace ArchivePath
