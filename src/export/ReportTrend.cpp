#include "export/ReportTrend.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include <QDateTime>
#include <QFontMetrics>
#include <QPainter>

#include "export/MinMaxReduction.h"
#include "export/PeriodStatistics.h"
#include "export/ReportTimeAxis.h"
#include "trend/ChartDrawing.h"
#include "trend/PainterCanvas.h"

namespace {

// The canvas's own units; columns and values are mapped onto them.
constexpr int kUnitsWide = 16000;
constexpr int kUnitsHigh = 10000;
constexpr int kGridRows = 10;
// Time steps across the plot at most: room for each date and time label.
constexpr int kMostTimeSteps = 8;

using LineStyle = ChartCanvas::LineStyle;

struct ValueScale {
    double minimum = 0.0;
    double maximum = 1.0;
    int y(double value) const
    {
        return static_cast<int>(std::lround(kUnitsHigh - (value - minimum) / (maximum - minimum) * kUnitsHigh));
    }
};

// 1, 2 or 5 times a power of ten, the least not below rough.
double roundStep(double rough)
{
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double m : {1.0, 2.0, 5.0})
        if (m * power >= rough)
            return m * power;
    return 10.0 * power;
}

// PV and SV share a scale wide enough for both with a little to spare, its
// grid rows on round values.
ValueScale pvSvScale(const MinMaxReduction& reduction)
{
    double low = std::numeric_limits<double>::max();
    double high = std::numeric_limits<double>::lowest();
    for (const MinMaxReduction::Column& c : reduction.columns()) {
        if (c.count == 0)
            continue;
        low = std::min({low, double(c.pvMin), double(c.svMin)});
        high = std::max({high, double(c.pvMax), double(c.svMax)});
    }
    if (low > high)
        return {0.0, 100.0};
    const double margin = std::max((high - low) / 20.0, 0.5);
    low -= margin;
    high += margin;
    double step = roundStep((high - low) / kGridRows);
    double bottom = std::floor(low / step) * step;
    while (bottom + step * kGridRows < high) {
        step = roundStep(step * 1.01);
        bottom = std::floor(low / step) * step;
    }
    return {bottom, bottom + step * kGridRows};
}

int columnX(size_t column, size_t columns)
{
    return static_cast<int>((2 * column + 1) * kUnitsWide / (2 * columns));
}

enum class Curve { Pv, Sv, Op };

void range(const MinMaxReduction::Column& c, Curve curve, double& low, double& high)
{
    switch (curve) {
    case Curve::Pv: low = c.pvMin; high = c.pvMax; break;
    case Curve::Sv: low = c.svMin; high = c.svMax; break;
    case Curve::Op: low = c.opMin; high = c.opMax; break;
    }
}

double value(const MinMaxReduction::Point& p, Curve curve)
{
    switch (curve) {
    case Curve::Pv: return p.pv;
    case Curve::Sv: return p.sv;
    case Curve::Op: return p.op;
    }
    return 0.0;
}

void drawCurve(ChartCanvas& canvas, const MinMaxReduction& reduction, Curve curve, const ValueScale& scale)
{
    const auto& columns = reduction.columns();
    const MinMaxReduction::Column* before = nullptr;
    for (size_t i = 0; i < columns.size(); ++i) {
        const MinMaxReduction::Column& c = columns[i];
        if (c.count == 0)
            continue;
        const int x = columnX(i, columns.size());
        double low = 0.0;
        double high = 0.0;
        range(c, curve, low, high);
        canvas.line(x, scale.y(low), x, scale.y(high));
        if (before && c.first.utcMs - before->last.utcMs <= PeriodStatistics::kGapMs) {
            const size_t j = static_cast<size_t>(before - columns.data());
            canvas.line(columnX(j, columns.size()), scale.y(value(before->last, curve)), x,
                        scale.y(value(c.first, curve)));
        }
        before = &c;
    }
}

QString number(double value, double step)
{
    return QString::number(value, 'f', step < 1.0 ? 1 : 0);
}

// The curves' names in their colours, centred above the plot.
void drawLegend(QPainter& painter, const QRect& above)
{
    const std::array<std::pair<const char*, QColor>, 3> names{
        {{"PV", ChartColours::kPv}, {"SV", ChartColours::kSv}, {"OP", ChartColours::kOp}}};
    const int width = above.width() / 12;
    int x = above.center().x() - width * 3 / 2;
    for (const auto& [name, colour] : names) {
        painter.setPen(colour);
        painter.drawText(QRect(x, above.top(), width, above.height()), Qt::AlignCenter,
                         QStringLiteral("━ %1").arg(QLatin1String(name)));
        x += width;
    }
    painter.setPen(Qt::black);
}

} // namespace

void drawReportTrend(QPainter& painter, const QRect& area, const MinMaxReduction& reduction, const QFont& font,
                     int utcOffset)
{
    painter.save();
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const int labelWidth = metrics.horizontalAdvance(QStringLiteral("-00000.0 "));
    const int labelHeight = metrics.height();
    // A line above the plot for the legend, two below for the times.
    const QRect plot(area.left() + labelWidth, area.top() + labelHeight * 3 / 2, area.width() - 2 * labelWidth,
                     area.height() - 3 * labelHeight - labelHeight * 3 / 2);
    const ValueScale pvSv = pvSvScale(reduction);
    const ValueScale op{0.0, 100.0};

    // Scales, legend and time labels, outside the plot.
    painter.setPen(Qt::black);
    const double step = (pvSv.maximum - pvSv.minimum) / kGridRows;
    for (int row = 0; row <= kGridRows; ++row) {
        const int y = plot.bottom() - row * plot.height() / kGridRows;
        const QRect left(area.left(), y - labelHeight / 2, labelWidth - labelHeight / 4, labelHeight);
        const QRect right(plot.right() + labelHeight / 4, y - labelHeight / 2, labelWidth, labelHeight);
        painter.drawText(left, Qt::AlignRight | Qt::AlignVCenter,
                         number(pvSv.minimum + step * row, step));
        painter.drawText(right, Qt::AlignLeft | Qt::AlignVCenter, QString::number(row * 100 / kGridRows));
    }
    const int64_t span = reduction.toUtcMs() - reduction.fromUtcMs();
    const std::vector<TimeTick> ticks =
        reportTimeTicks(reduction.fromUtcMs(), reduction.toUtcMs(), utcOffset, kMostTimeSteps);
    const auto unitsAt = [&](int64_t utcMs) {
        return static_cast<int>((utcMs - reduction.fromUtcMs()) * kUnitsWide / span);
    };
    for (const TimeTick& tick : ticks) {
        const int x = plot.left() + static_cast<int>((tick.utcMs - reduction.fromUtcMs()) * plot.width() / span);
        const QRect below(x - labelWidth, plot.bottom() + labelHeight / 4, 2 * labelWidth, 2 * labelHeight);
        painter.drawText(below, Qt::AlignHCenter | Qt::AlignTop, tick.label);
    }
    const QRect above(plot.left(), area.top(), plot.width(), labelHeight);
    painter.drawText(QRect(area.left(), above.top(), labelWidth, labelHeight), Qt::AlignRight, QStringLiteral("PV/SV"));
    painter.drawText(QRect(plot.right() + labelHeight / 4, above.top(), labelWidth, labelHeight), Qt::AlignLeft,
                     QStringLiteral("OP %"));
    drawLegend(painter, above);

    // The plot in the chart's colours, on a canvas of its own units.
    PainterCanvas canvas(painter, plot, kUnitsWide, kUnitsHigh);
    canvas.clear();
    canvas.setPen(ChartColours::kGrid, 1, LineStyle::Dotted);
    for (int row = 0; row <= kGridRows; ++row)
        canvas.line(0, row * kUnitsHigh / kGridRows, kUnitsWide, row * kUnitsHigh / kGridRows);
    for (const int x : {0, kUnitsWide})
        canvas.line(x, 0, x, kUnitsHigh);
    for (const TimeTick& tick : ticks)
        canvas.line(unitsAt(tick.utcMs), 0, unitsAt(tick.utcMs), kUnitsHigh);
    canvas.setPen(ChartColours::kOp, 1, LineStyle::Solid);
    drawCurve(canvas, reduction, Curve::Op, op);
    canvas.setPen(ChartColours::kSv, 1, LineStyle::Solid);
    drawCurve(canvas, reduction, Curve::Sv, pvSv);
    canvas.setPen(ChartColours::kPv, 1, LineStyle::Solid);
    drawCurve(canvas, reduction, Curve::Pv, pvSv);
    painter.restore();
}
