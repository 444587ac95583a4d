#pragma once

#include <optional>

#include <QDateTime>
#include <QList>
#include <QString>

#include "journal/JournalEvent.h"

// Which events a reader wants: kinds (all when empty), a time range (from
// inclusive, to exclusive, either open), and text that must occur in what,
// source, values or text (case-insensitive; none when empty).
struct JournalFilter {
    QList<JournalEvent::Kind> kinds;
    std::optional<QDateTime> from;
    std::optional<QDateTime> to;
    QString text;
};
