#pragma once

#include "journal/JournalSink.h"
#include "journal/JournalStore.h"

// The sources' events into the journal file.
class JournalStoreSink final : public JournalSink {
public:
    explicit JournalStoreSink(JournalStore& store) : store_(store) {}
    void append(JournalEvent event) override { store_.append(std::move(event)); }

private:
    JournalStore& store_;
};
