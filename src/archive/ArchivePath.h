#pragma once

#include <QString>

// Where the archive lives: the folder "archive" beside the history file
// unless --archive names one.
namespace ArchivePath {
QString resolve(const QString& commandLinePath, const QString& historyPath);
}
