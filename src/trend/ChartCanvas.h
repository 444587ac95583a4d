#pragma once

#include <QColor>
#include <QString>

// What the chart routines draw on: a surface with its own user coordinates
// (origin top left, y downwards; the trend surface is 12008 x 7508 units
// whatever its size in pixels). Every coordinate is a whole number: the
// routines round before they draw. One implementation paints with QPainter,
// another records every call so tests can check each line.
class ChartCanvas {
public:
    enum class LineStyle { Solid, Dashed, Dotted };

    virtual ~ChartCanvas() = default;

    // The surface's size in user units.
    virtual int width() const = 0;
    virtual int height() const = 0;

    // Erases everything, filling with the background colour.
    virtual void clear() = 0;
    virtual void setBackground(const QColor& colour) = 0;
    // Width in device pixels, as a pen on a screen has.
    virtual void setPen(const QColor& colour, int width, LineStyle style) = 0;
    virtual void line(int x1, int y1, int x2, int y2) = 0;
};
