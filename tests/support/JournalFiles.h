#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include <QDateTime>
#include <QString>

#include "journal/JournalEvent.h"

// Journal files for tests and benchmarks, written with plain SQL on a
// short-lived connection of their own, independent of the store and the
// reader under test.
namespace JournalFiles {

// An event at `time` (shown at the offset it carries).
JournalEvent event(JournalEvent::Kind kind, const QDateTime& time, const QString& what = QString());

// Creates the file and its table when missing and appends the events in one
// transaction; the file gives them their ids. False when anything failed.
bool append(const QString& path, const std::vector<JournalEvent>& events);
// The same for `count` events made by `make(i)`, i from 0, without holding
// them all in memory.
bool appendMade(const QString& path, int64_t count, const std::function<JournalEvent(int64_t)>& make);

} // namespace JournalFiles
