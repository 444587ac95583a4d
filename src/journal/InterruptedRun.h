#pragma once

#include <optional>

#include <QDateTime>
#include <QString>

// Whether the journal's last run ended without "station.exited" (killed,
// the power cut): its newest start or end is a start. Then the time of its
// last event, the nearest the journal knows to when it stopped; nothing
// when it ended properly, the journal is new, or cannot be read.
std::optional<QDateTime> interruptedRunLastEvent(const QString& journalPath);
