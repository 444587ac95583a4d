#pragma once

#include <QString>

// Where the station keeps its one history database. The recorder and the
// main window must reach the same file, so both take the path from here.
//
// Default: <generic data location>/tq5800/Rdatabj.sqlite, which on Debian is
// $XDG_DATA_HOME/tq5800/Rdatabj.sqlite, normally
// ~/.local/share/tq5800/Rdatabj.sqlite. The generic location is used rather
// than the per-application one so that the place does not depend on the
// program's application or organisation name.
namespace DatabasePath {

QString defaultPath();

// The path given on the command line (--db PATH) when there is one, the
// default otherwise. A relative path is taken from the working directory.
QString resolve(const QString& commandLinePath);

} // namespace DatabasePath
