#pragma once

#include <memory>

#include <QDateTime>
#include <QString>

class QLockFile;

// Who holds a lock, as its lock file tells it.
struct LockHolder {
    qint64 pid = 0;
    QString host;
    QString application;
    QDateTime since;  // when the lock was taken; invalid when unknown

    // "process 1234 (tq5800-station) on host pc1, since 2026-12-07
    // 16:30:05", for logs and standard error.
    QString text() const;
};

// One station's claim on something two stations must never share: the
// history file (two recorders would halve the ring), the journal and the
// archive folder (two stations' events and samples mixed in one record) or
// a serial line (two masters garble each other's frames). Held from a successful take() until
// release() or destruction.
//
// A lock file with the holder's process id and host, taken with no stale
// time: a lock whose process has ended, killed with SIGKILL included, is
// taken over at once; one whose process runs is never broken, however old.
class StationLock {
public:
    enum class Outcome { Taken, Held, Failed };

    explicit StationLock(QString lockPath);
    ~StationLock();

    StationLock(const StationLock&) = delete;
    StationLock& operator=(const StationLock&) = delete;

    // Taken (also when this object holds it already); Held with holder()
    // when a running process has it; Failed with error() when the lock file
    // cannot be made (a missing folder is made first) or a stale one cannot
    // be removed.
    Outcome take();
    void release();
    bool isTaken() const;

    const QString& path() const { return path_; }
    const LockHolder& holder() const { return holder_; }
    const QString& error() const { return error_; }

    // The lock of a file: "<file>.lock" beside it, the file named by its
    // canonical path so that every way of naming it meets the same lock.
    static QString pathBeside(const QString& filePath);
    // The lock of a folder: "station.lock" in it, the folder named by its
    // canonical path. Inside rather than beside, since a folder on a disk
    // of its own (a mount point) may sit where nothing else can be written.
    static QString pathInFolder(const QString& folderPath);
    // The lock of a device, named after its canonical path (a by-id link
    // and the node it points to are one device), in the lock folder every
    // station on the machine shares: /run/lock, or the temporary folder
    // where that cannot be written.
    static QString pathForDevice(const QString& devicePath);

private:
    QString path_;
    std::unique_ptr<QLockFile> file_;
    LockHolder holder_;
    QString error_;
};
