#pragma once

#include "journal/JournalEvent.h"

// Where the journal's sources put their events: the store in the station,
// a list in tests, so that a source is tried without a file.
class JournalSink {
public:
    virtual ~JournalSink() = default;
    virtual void append(JournalEvent event) = 0;
};
