#pragma once

#include <QFont>
#include <QRect>

class MinMaxReduction;
class QPainter;

// The period's PV, SV and OP curves drawn from a reduction into `area`, in
// the chart's colours, with the PV/SV scale on the left, OP per cent on the
// right and dates below. Each column is a vertical stroke from its least to
// its greatest value, joined to the next column unless a gap lies between.
// Times are shown at utcOffset seconds east of UTC; `font` has its pixel
// size set for the device.
void drawReportTrend(QPainter& painter, const QRect& area, const MinMaxReduction& reduction, const QFont& font,
                     int utcOffset);
