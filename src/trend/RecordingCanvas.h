#pragma once

#include <vector>

#include "trend/ChartCanvas.h"

// A canvas that paints nothing and remembers every line with the pen it was
// drawn with, for tests and for measuring the drawing without a screen.
class RecordingCanvas final : public ChartCanvas {
public:
    struct Line {
        int x1, y1, x2, y2;
        QColor colour;
        int width;
        LineStyle style;
        bool operator==(const Line&) const = default;
    };

    RecordingCanvas(int width = 12008, int height = 7508) : width_(width), height_(height) {}

    int width() const override { return width_; }
    int height() const override { return height_; }
    void clear() override { lines.clear(); ++clears; }
    void setBackground(const QColor& colour) override { background = colour; }
    void setPen(const QColor& colour, int width, LineStyle style) override
    {
        penColour_ = colour;
        penWidth_ = width;
        penStyle_ = style;
    }
    void line(int x1, int y1, int x2, int y2) override
    {
        lines.push_back({x1, y1, x2, y2, penColour_, penWidth_, penStyle_});
    }

    std::vector<Line> lines;
    QColor background;
    int clears = 0;

private:
    int width_;
    int height_;
    QColor penColour_;
    int penWidth_ = 1;
    LineStyle penStyle_ = LineStyle::Solid;
};
