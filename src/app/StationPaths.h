#pragma once

#include <QString>

struct StationOptions;

// The files and the folder a station writes, as its options name them and
// the station resolves them: the history file, the journal and the archive
// folder (empty without an archive), each absolute.
struct StationPaths {
    QString history;
    QString journal;
    QString archiveFolder;

    static StationPaths of(const StationOptions& options);
};

// Empty when each of them is what it should be (a file, a folder), or does
// not exist yet and can be made where it is; else one line for standard
// error naming the path and what is wrong with it, for example
// "--db /srv/plant is a folder, not a file". Write permissions are left to
// the running station, which reports them and recovers once they are given.
QString wrongKindOfPath(const StationOptions& options);
