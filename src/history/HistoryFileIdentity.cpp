#include "history/HistoryFileIdentity.h"

#include <sys/stat.h>

#include <QFile>

std::optional<HistoryFileIdentity> HistoryFileIdentity::at(const QString& path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return HistoryFileIdentity(info.st_dev, info.st_ino);
}
