#include "core/FileProblem.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

using Cause = FileProblem::Cause;

QString absolute(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// The path itself when it exists, else the nearest folder above it that
// does (a dangling link counts as missing).
QString nearestExisting(const QString& path)
{
    QString at = absolute(path);
    while (!QFileInfo::exists(at)) {
        const QString up = QFileInfo(at).path();
        if (up == at)
            break;
        at = up;
    }
    return at;
}

// errno of a write check as the process itself would meet it: its
// effective user and capabilities, a read-only mount included.
int writeAccessError(const QString& path)
{
    return faccessat(AT_FDCWD, QFile::encodeName(path).constData(), W_OK, AT_EACCESS) == 0 ? 0 : errno;
}

FileProblem fromAccess(const QString& path, Cause notWritable)
{
    switch (writeAccessError(path)) {
    case 0: return {};
    case EROFS: return {Cause::ReadOnlyDisk, path};
    case EACCES:
    case EPERM: return {notWritable, path};
    default: return {};
    }
}

bool diskFull(const QString& folder)
{
    struct statvfs disk {};
    return statvfs(QFile::encodeName(folder).constData(), &disk) == 0 && disk.f_bavail == 0;
}

} // namespace

FileProblem FileProblem::wrongKind(const QString& path, Wanted wanted)
{
    const QString at = absolute(path);
    const QFileInfo info(at);
    if (info.exists()) {
        if (wanted == Wanted::Folder)
            return info.isDir() ? FileProblem{} : FileProblem{Cause::FileInTheWay, at};
        if (info.isDir())
            return {Cause::FolderInTheWay, at};
        return info.isFile() ? FileProblem{} : FileProblem{Cause::NotPlainFile, at};
    }
    const QString nearest = nearestExisting(at);
    return QFileInfo(nearest).isDir() ? FileProblem{} : FileProblem{Cause::FileInTheWay, nearest};
}

FileProblem FileProblem::ofFile(const QString& path)
{
    if (FileProblem kind = wrongKind(path, Wanted::File); kind.known())
        return kind;
    const QString file = absolute(path);
    if (!QFileInfo::exists(file))
        return ofFolder(QFileInfo(file).path());
    if (FileProblem access = fromAccess(file, Cause::FileNotWritable); access.known())
        return access;
    // SQLite writes its journal files beside the file.
    const QString folder = QFileInfo(file).path();
    if (FileProblem access = fromAccess(folder, Cause::FolderNotWritable); access.known())
        return access;
    return diskFull(folder) ? FileProblem{Cause::DiskFull, file} : FileProblem{};
}

FileProblem FileProblem::ofFolder(const QString& path)
{
    if (FileProblem kind = wrongKind(path, Wanted::Folder); kind.known())
        return kind;
    const QString folder = absolute(path);
    const QString nearest = nearestExisting(folder);
    if (FileProblem access = fromAccess(nearest, Cause::FolderNotWritable); access.known())
        return access;
    if (nearest != folder)
        return {Cause::FolderMissing, folder};
    return diskFull(folder) ? FileProblem{Cause::DiskFull, folder} : FileProblem{};
}

FileProblem FileProblem::fromErrno(int error, const QString& path, Wanted wanted)
{
    const QString at = absolute(path);
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return {Cause::DiskFull, at};
    case EROFS: return {Cause::ReadOnlyDisk, at};
    case EISDIR: return {Cause::FolderInTheWay, at};
    default: break;
    }
    // Permission and missing-path errors do not say whether the file or a
    // folder on its way is at fault: the file system does.
    if (const FileProblem probed = wanted == Wanted::File ? ofFile(at) : ofFolder(at); probed.known())
        return probed;
    switch (error) {
    case EACCES:
    case EPERM: return {wanted == Wanted::File ? Cause::FileNotWritable : Cause::FolderNotWritable, at};
    case ENOENT: return {Cause::FolderMissing, wanted == Wanted::File ? QFileInfo(at).path() : at};
    default: return {};
    }
}
