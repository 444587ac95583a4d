#pragma once

#include <QString>

#include "history/HistoryTables.h"

// Where the archive lives and how it is written.
struct ArchiveSettings {
    QString folder;
    // Whole months kept before the current one; 0 keeps everything.
    int keepMonths = 0;
    // A batch goes into the file when this many samples are queued, or
    // after batchMs, whichever comes first, and at stop.
    int batchSamples = 10;
    int batchMs = 10'000;
    // Samples held while the archive cannot be written; beyond this the
    // oldest are dropped, and the back-fill takes them from the ring.
    int maxQueued = HistoryTables::kRingSize;
    int retryMs = 5000;
    // Samples copied from the ring per turn of the event loop: a long
    // back-fill never holds up the recorder's tick for long.
    int backFillChunk = 1000;
};
