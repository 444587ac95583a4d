#pragma once

#include <cstdint>
#include <optional>

#include <QColor>
#include <QString>

// The live panel's table-like texts and colours, kept apart from the
// widgets so that every row can be checked without a window.
namespace PanelColours {
inline const QColor kPink{255, 192, 255};
inline const QColor kCyan{192, 255, 255};
inline const QColor kLightRed{255, 128, 128};
inline const QColor kLightYellow{255, 255, 192};
inline const QColor kLightGreen{128, 255, 128};
// The ruler's read-out: the values shown are from the chart, not live.
inline const QColor kYellow{255, 255, 0};
// Values the instrument has not confirmed for more than two poll cycles:
// grey figures on a pale grey, so they read as faded rather than as one
// more field colour (PanelField::setStale).
inline const QColor kStale{232, 232, 232};
inline const QColor kStaleText{112, 112, 112};
} // namespace PanelColours

struct StateLook {
    QString text;
    QColor background;
    bool operator==(const StateLook&) const = default;
};

namespace PanelStates {

// The discrete inputs (by number less one) the "当前报警" group shows, each
// in the alarm state field of the same index: alarm outputs 1..3, input
// open, input short.
inline constexpr int kCurrentAlarmIndexes[] = {0, 1, 2, 4, 5};
// The coils the three operating-state fields show (coils 1..3).
inline constexpr int kCoilCount = 3;

// The alarm state field for discrete input index + 1; any value but 0 counts as
// set. Empty for an index the group does not have (3, or beyond 5).
std::optional<StateLook> currentAlarmLook(int index, int32_t bit);

// The operating-state field for coil index + 1, index 0..2; empty otherwise.
std::optional<StateLook> coilLook(int index, int32_t bit);

// The caption of an alarm-type field (input registers 6..8) for the instrument's
// alarm-type code, by exact equality: 0 is two blanks, 1..5 the alarm
// kinds. Any other value is empty, and the field keeps its caption.
std::optional<QString> alarmTypeText(float value);

} // namespace PanelStates
