#pragma once

#include <optional>
#include <string_view>

// Link codes shared by the station's own settings and the instrument's
// communication parameters: baud 0 = 4800, 1 = 9600, 2 = 19200; parity
// 0 none, 1 odd, 2 even.
namespace LinkCodes {

inline std::optional<int> baudRate(int baudCode)
{
    switch (baudCode) {
    case 0: return 4800;
    case 1: return 9600;
    case 2: return 19200;
    default: return std::nullopt;
    }
}

inline std::optional<int> baudCode(int baudRate)
{
    switch (baudRate) {
    case 4800: return 0;
    case 9600: return 1;
    case 19200: return 2;
    default: return std::nullopt;
    }
}

// The parity letter libmodbus takes.
inline std::optional<char> parityLetter(int parityCode)
{
    switch (parityCode) {
    case 0: return 'N';
    case 1: return 'O';
    case 2: return 'E';
    default: return std::nullopt;
    }
}

// "none", "odd" or "even", as command lines spell the parity.
inline std::optional<int> parityCode(std::string_view name)
{
    if (name == "none") return 0;
    if (name == "odd") return 1;
    if (name == "even") return 2;
    return std::nullopt;
}

} // namespace LinkCodes
