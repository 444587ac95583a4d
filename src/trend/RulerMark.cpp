#include "trend/RulerMark.h"

#include "trend/ChartCanvas.h"

RulerMark RulerMark::switchedOn()
{
    return {true, QColor(255, 255, 0), 1, 0, 1, kStubLength};
}

RulerMark RulerMark::at(int x)
{
    return {true, QColor(192, 0, 192), x, 0, x, kFullLength};
}

RulerMark RulerMark::switchedOff()
{
    return {true, QColor(0, 255, 0), 0, 0, 0, kStubLength};
}

void drawRulerMark(ChartCanvas& canvas, const RulerMark& mark)
{
    if (!mark.shown)
        return;
    canvas.setPen(mark.colour, RulerMark::kWidth, ChartCanvas::LineStyle::Solid);
    canvas.line(mark.x1, mark.y1, mark.x2, mark.y2);
}
