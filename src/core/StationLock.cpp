#include "core/StationLock.h"

#include <cerrno>

#include <signal.h>

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>

namespace {

// The path as the file system resolves it; for a file that does not exist
// yet, its folder resolved (when it exists) and its name.
QString canonicalPath(const QString& path)
{
    const QFileInfo info(path);
    if (const QString canonical = info.canonicalFilePath(); !canonical.isEmpty())
        return canonical;
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? info.absoluteFilePath() : QDir(folder).filePath(info.fileName());
}

// A holder on this machine whose process is gone: its file is stale, but
// was left where this user may not remove it (another user's, in the
// shared lock folder).
bool endedHere(const LockHolder& holder)
{
    return holder.host == QSysInfo::machineHostName() && holder.pid > 0
           && ::kill(static_cast<pid_t>(holder.pid), 0) == -1 && errno == ESRCH;
}

} // namespace

QString LockHolder::text() const
{
    QString text = QStringLiteral("process %1").arg(pid);
    if (!application.isEmpty())
        text += QStringLiteral(" (%1)").arg(application);
    text += QStringLiteral(" on host %1").arg(host);
    if (since.isValid())
        text += QStringLiteral(", since ") + since.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return text;
}

StationLock::StationLock(QString lockPath)
    : path_(std::move(lockPath))
    , file_(std::make_unique<QLockFile>(path_))
{
    file_->setStaleLockTime(0);
}

StationLock::~StationLock() = default;

StationLock::Outcome StationLock::take()
{
    if (file_->isLocked())
        return Outcome::Taken;
    holder_ = LockHolder{};
    error_.clear();
    QDir().mkpath(QFileInfo(path_).absolutePath());
    // Twice: a holder that ends between the two calls takes its file along.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (file_->tryLock())
            return Outcome::Taken;
        if (file_->error() != QLockFile::LockFailedError)
            break;
        if (file_->getLockInfo(&holder_.pid, &holder_.host, &holder_.application)) {
            if (endedHere(holder_)) {
                error_ = QStringLiteral("cannot remove %1, left by process %2 that has ended").arg(path_).arg(holder_.pid);
                holder_ = LockHolder{};
                return Outcome::Failed;
            }
            holder_.since = QFileInfo(path_).lastModified();
            return Outcome::Held;
        }
    }
    error_ = file_->error() == QLockFile::PermissionError
                 ? QStringLiteral("no permission to create %1").arg(path_)
                 : QStringLiteral("cannot create %1").arg(path_);
    return Outcome::Failed;
}

void StationLock::release()
{
    file_->unlock();
}

bool StationLock::isTaken() const
{
    return file_->isLocked();
}

QString StationLock::pathBeside(const QString& filePath)
{
    return canonicalPath(filePath) + QStringLiteral(".lock");
}

QString StationLock::pathInFolder(const QString& folderPath)
{
    return QDir(canonicalPath(QDir::cleanPath(folderPath))).filePath(QStringLiteral("station.lock"));
}

QString StationLock::pathForDevice(const QString& devicePath)
{
    static const QString kSharedFolder = QStringLiteral("/run/lock");
    const QFileInfo shared(kSharedFolder);
    const QString folder = shared.isDir() && shared.isWritable() ? kSharedFolder : QDir::tempPath();
    QString name = canonicalPath(devicePath);
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return QDir(folder).filePath(QStringLiteral("tq5800%1.lock").arg(name));
}
