#pragma once

#include <cstdint>
#include <map>
#include <optional>

#include <QDateTime>
#include <QString>

// An instrument's configuration as one value: the raw register value of
// every configuration parameter and alarm set point, the set value when it
// was taken along, and where and when it was read.
struct ParameterSet {
    static constexpr int kFormatVersion = 1;
    static inline const QString kModel = QStringLiteral("TQ5800");

    QString model = kModel;
    int address = 0;  // module address it was read from
    int port = 0;
    QString device;  // the serial device of that port; empty when not known (older files)
    QDateTime timeRead;
    QString stationVersion;
    // Raw register values by 1-based register number (see SetSlots).
    std::map<int, int16_t> values;

    std::optional<int16_t> value(int registerAddress) const
    {
        const auto it = values.find(registerAddress);
        return it == values.end() ? std::nullopt : std::optional<int16_t>(it->second);
    }
    bool has(int registerAddress) const { return values.contains(registerAddress); }
};
