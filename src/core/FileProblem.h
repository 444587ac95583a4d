#pragma once

#include <QString>

// Why one of the station's files or folders cannot be written, as the
// operator is told it: the cause, and the file or folder it lies with
// (the folder, for a folder that cannot be written). Found from errno, from
// the file system as it stands, or (history layer) from SQLite's result
// codes; never by reading an error message's words.
struct FileProblem {
    enum class Cause {
        Unknown,            // nothing better than the technical reason
        NotOurKind,         // the file holds something else: not a database, or not this kind of one
        Damaged,            // a database of this kind, but damaged
        FolderNotWritable,  // no permission to write (or create a file in) the folder
        FileNotWritable,    // no permission to write the file
        FolderMissing,      // the folder does not exist and was not made
        FileInTheWay,       // a file where a folder is needed
        FolderInTheWay,     // a folder where a file is needed
        NotPlainFile,       // a device, pipe or socket where a file is needed
        ReadOnlyDisk,       // the file system is mounted read-only
        DiskFull,           // no room left, or the file may not grow
        InUse,              // another program holds it; pid when known
    };
    enum class Wanted { File, Folder };

    Cause cause = Cause::Unknown;
    QString path;
    qint64 pid = 0;

    bool known() const { return cause != Cause::Unknown; }
    bool operator==(const FileProblem&) const = default;

    static FileProblem inUse(const QString& path, qint64 pid) { return {Cause::InUse, path, pid}; }

    // When the path is the wrong kind of thing for what is wanted: a folder
    // (or device) where a file is wanted, a file where a folder is, or, for
    // a path that does not exist yet, a file where one of the folders that
    // would hold it should be. Unknown otherwise: a path that does not
    // exist is fine when its nearest existing parent is a folder.
    static FileProblem wrongKind(const QString& path, Wanted wanted);

    // Why the file at path cannot be written, or made, as the file system
    // shows it now: the kind of each part of the path, the write permission
    // of the file and of its folder (SQLite writes companion files beside
    // it), a read-only or full disk. Unknown when it shows nothing wrong.
    static FileProblem ofFile(const QString& path);
    // The same for a folder the station makes files in.
    static FileProblem ofFolder(const QString& path);

    // A system call on path failed with error (errno): the file system is
    // asked where that does not tell file and folder apart.
    static FileProblem fromErrno(int error, const QString& path, Wanted wanted = Wanted::File);
};
