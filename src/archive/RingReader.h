#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QString>

#include "archive/PeriodSample.h"

// Reads the ring of the history file on a connection of its own, read
// only, for the back-fill. Bits and address stay empty: the ring keeps none.
class RingReader {
public:
    static inline const QString kConnectionName = QStringLiteral("tq5800-archive-ring");

    explicit RingReader(QString historyPath, QString connectionName = kConnectionName);

    // The ring's samples later than afterUtcMs (all without it), oldest
    // first. A missing
    // history file holds none; an unreadable one says why in error.
    std::vector<PeriodSample> samplesAfter(std::optional<int64_t> afterUtcMs, QString* error) const;

private:
    QString historyPath_;
    QString connectionName_;
};
