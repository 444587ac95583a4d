#pragma once

#include <QString>

// Creates a missing history database: both tables and the one sl_void
// record (newest record 0), in WAL journal mode. The file is built under a
// temporary name beside the final one and renamed into place only when it
// is complete, so a station killed half-way never leaves a file without its
// tables (which it would then refuse to touch on every later start).
//
// Returns false with the reason when the folder or the file cannot be made.
// A file that appeared at the path meanwhile is left as it is and counts as
// success: it is opened like any existing file.
bool createHistoryFile(const QString& path, QString* reason);
