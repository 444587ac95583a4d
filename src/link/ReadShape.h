#pragma once

#include <algorithm>
#include <array>
#include <cstddef>

// An RTU answer to a read names neither its register nor its request: only
// its function and its length tell it from the answer to another read
// (ReplyCheck). So every read that can be on the line around the same time
// as another (the poll's, the probes', those asked between the poll's reads
// on request) has a shape of its own: a late, repeated or shifted answer then
// fails the check of the request it meets instead of passing for its answer.
enum class ReadTable { InputRegisters, HoldingRegisters, DiscreteInputs, Coils };

struct ReadShape {
    ReadTable table = ReadTable::HoldingRegisters;  // the function asked
    int dataBytes = 0;                              // what the answer carries after its byte count

    static constexpr ReadShape of(ReadTable table, int count)
    {
        const bool bits = table == ReadTable::DiscreteInputs || table == ReadTable::Coils;
        return {table, bits ? (count + 7) / 8 : 2 * count};
    }
    static constexpr ReadShape holding(int count) { return of(ReadTable::HoldingRegisters, count); }

    constexpr bool operator==(const ReadShape&) const = default;
};

namespace ReadShapes {

// The probe that brings the link back in step (ModbusFieldbus), alternating
// between the two counts from one failure episode to the next.
inline constexpr std::array<int, 2> kProbeCounts{3, 5};
// A written register read back on request (the parameter download).
inline constexpr int kReadBackCount = 1;

inline constexpr std::array<ReadShape, 3> kLinkReads{
    ReadShape::holding(kProbeCounts[0]), ReadShape::holding(kProbeCounts[1]), ReadShape::holding(kReadBackCount)};

template <size_t... N>
constexpr auto joined(const std::array<ReadShape, N>&... groups)
{
    std::array<ReadShape, (N + ...)> all{};
    auto at = all.begin();
    ((at = std::copy(groups.begin(), groups.end(), at)), ...);
    return all;
}

template <size_t N>
constexpr bool allDistinct(const std::array<ReadShape, N>& shapes)
{
    for (size_t i = 0; i < N; ++i) {
        for (size_t j = i + 1; j < N; ++j) {
            if (shapes[i] == shapes[j])
                return false;
        }
    }
    return true;
}

} // namespace ReadShapes
