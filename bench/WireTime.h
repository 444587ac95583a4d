#pragma once

#include "link/PollPlan.h"

// The time one poll cycle needs on the wire: every request and response
// frame at the character time of the line, plus the 3.5-character silence
// that ends each frame. Nothing can be faster on a real RS-485 line.
inline double pollCycleWireSeconds(int baud, int bitsPerCharacter = 10)
{
    constexpr int kRequestBytes = 8;  // address, function, start, count, CRC
    double characters = 0;
    for (const auto& read : kPollPlan) {
        const bool bits = read.table == PollRead::Table::DiscreteInputs || read.table == PollRead::Table::Coils;
        const int data = bits ? (read.count + 7) / 8 : 2 * read.count;
        const int responseBytes = 3 + data + 2;  // address, function, count, data, CRC
        characters += kRequestBytes + 3.5 + responseBytes + 3.5;
    }
    return characters * bitsPerCharacter / baud;
}
