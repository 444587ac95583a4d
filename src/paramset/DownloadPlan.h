#pragma once

#include <vector>

#include <QMetaType>

#include "paramset/ParameterSet.h"
#include "paramset/SetComparison.h"

// Which registers a download writes and in which order: only those that
// differ, ordered so the instrument accepts each (see DownloadPlan.cpp).
// The link settings (address, baud rate, parity) are never written: the
// instrument would stop answering on this line.
struct DownloadPlan {
    std::vector<SetDifference> writes;  // in writing order
    std::vector<SetDifference> kept;    // differing link settings, left as they are
};

DownloadPlan planDownload(const ParameterSet& file, const ParameterSet& instrument);

Q_DECLARE_METATYPE(DownloadPlan)
