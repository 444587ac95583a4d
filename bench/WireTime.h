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
        int data = 0;
        switch (read.kind) {
        case PollRead::Kind::Input8:
        case PollRead::Kind::Holding8: data = 16; break;
        case PollRead::Kind::Holding16: data = 32; break;
        case PollRead::Kind::DiscreteInputs16:
        case PollRead::Kind::Coils16: data = 2; break;
        }
        const int responseBytes = 3 + data + 2;  // address, function, count, data, CRC
        characters += kRequestBytes + 3.5 + responseBytes + 3.5;
    }
    return characters * bitsPerCharacter / baud;
}
