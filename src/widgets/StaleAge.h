#pragma once

#include <QDateTime>
#include <QString>

#include "instrument/InstrumentState.h"

// How long ago the instrument last confirmed a group of values, as the
// panel shows it beside a group it has not confirmed lately: short, in the
// interface's language, so it reads at a glance and fits any title row.
namespace StaleAge {

// Whole seconds, minutes, hours or days, rounded down: "12 秒前", "3 分钟前".
QString text(qint64 seconds);

// The age to show beside the block's values at now: empty while they are
// fresh, and before the first answer (there is nothing to age).
QString of(const InstrumentState& state, InstrumentState::Block block, const QDateTime& now);

// When the block was last confirmed, for a tooltip; empty as for of().
QString confirmedAt(const InstrumentState& state, InstrumentState::Block block, const QDateTime& now);

} // namespace StaleAge
