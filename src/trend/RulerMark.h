#pragma once

#include <QColor>

class ChartCanvas;

// The ruler mark on the plotting surface, in the surface's user
// units. It is a mark of its own, drawn over the chart after every redraw,
// so the once-a-second redraw never wipes it. Hidden until the ruler is
// first switched on.
struct RulerMark {
    static constexpr int kWidth = 2;
    static constexpr int kStubLength = 330;  // the short marks of on and off
    static constexpr int kFullLength = 7500;

    bool shown = false;
    QColor colour;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool operator==(const RulerMark&) const = default;

    static RulerMark switchedOn();   // yellow, (1, 0) to (1, 330)
    static RulerMark at(int x);      // purple, (x, 0) to (x, 7500)
    static RulerMark switchedOff();  // green, (0, 0) to (0, 330)
};

// Draws the mark when it is shown.
void drawRulerMark(ChartCanvas& canvas, const RulerMark& mark);
