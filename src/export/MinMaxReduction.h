#pragma once

#include <cstdint>
#include <vector>

#include "archive/PeriodSample.h"

// A period's trend reduced to a fixed number of columns in one pass: each
// column keeps the least and greatest PV, SV and OP of its samples, so no
// peak is lost however many samples share a pixel, and its first and last
// sample, so the curve can be joined to the neighbouring columns.
class MinMaxReduction {
public:
    struct Point {
        int64_t utcMs = 0;
        float pv = 0.0f;
        float sv = 0.0f;
        float op = 0.0f;
    };
    struct Column {
        int64_t count = 0;  // samples in the column; the rest means nothing when 0
        float pvMin = 0.0f, pvMax = 0.0f;
        float svMin = 0.0f, svMax = 0.0f;
        float opMin = 0.0f, opMax = 0.0f;
        Point first;
        Point last;
    };

    // The period fromUtcMs (inclusive) to toUtcMs (exclusive) in `columns`
    // columns of equal time; an empty period or no columns keeps nothing.
    MinMaxReduction(int64_t fromUtcMs, int64_t toUtcMs, int columns);

    // Samples outside the period are left out.
    void add(const PeriodSample& sample);

    // The column a moment falls in, or -1 outside the period.
    int columnOf(int64_t utcMs) const;
    const std::vector<Column>& columns() const { return columns_; }
    int64_t fromUtcMs() const { return from_; }
    int64_t toUtcMs() const { return to_; }

private:
    int64_t from_;
    int64_t to_;
    std::vector<Column> columns_;
};
