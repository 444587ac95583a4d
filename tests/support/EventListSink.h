#pragma once

#include <vector>

#include "journal/JournalSink.h"

// Keeps the events a journal source gives, in order, for a test to read.
class EventListSink final : public JournalSink {
public:
    void append(JournalEvent event) override { events.push_back(std::move(event)); }
    std::vector<JournalEvent> events;
};
