#include "trendview/TrendChartView.h"

#include <QResizeEvent>

#include "core/NumberText.h"
#include "trend/TrendBuffers.h"
#include "trendview/TrendSurface.h"
#include "trend/ZoomGeometry.h"

namespace {

// Room around the surface for the axis labels, in pixels.
constexpr int kLeftMargin = TrendChartView::kSurfaceLeft;
constexpr int kRightMargin = TrendChartView::kSurfaceRight;
constexpr int kTopMargin = 22;
constexpr int kBottomMargin = 40;
constexpr int kRowUnits = 1250;       // one axis label every 1250 units of height
constexpr int kTimeLabelUnits = 1500; // one time label every 1500 units of width

QLabel* makeLabel(QWidget* parent, const QString& text, Qt::Alignment alignment, const QColor& colour = {})
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(alignment);
    if (colour.isValid())
        label->setStyleSheet(QStringLiteral("color: %1;").arg(colour.name()));
    return label;
}

} // namespace

TrendChartView::TrendChartView(const TrendBuffers& buffers, const ZoomGeometry& zoom, const ChartYRange& yRange,
                               QWidget* parent)
    : QWidget(parent)
    , buffers_(buffers)
    , zoom_(zoom)
{
    surfaceFrame_ = new QFrame(this);
    surfaceFrame_->setFrameShape(QFrame::Box);
    surfaceFrame_->setLineWidth(1);
    surface_ = new TrendSurface(buffers, zoom, yRange, surfaceFrame_);

    for (size_t k = 0; k < scaleLabels_.size(); ++k)
        scaleLabels_[k] = makeLabel(this, QString(), Qt::AlignRight | Qt::AlignVCenter);
    static const char* const kOpScale[] = {"-10", "10", "30", "50", "70", "90", "110"};
    for (size_t k = 0; k < outputScaleLabels_.size(); ++k)
        outputScaleLabels_[k] = makeLabel(this, QString::fromLatin1(kOpScale[k]), Qt::AlignLeft | Qt::AlignVCenter);
    for (size_t i = 0; i < timeLabels_.size(); ++i) {
        timeLabels_[i] = makeLabel(this, QStringLiteral("00:00:00"), Qt::AlignCenter);
        dateLabels_[i] = makeLabel(this, QStringLiteral("2001/07/19"), Qt::AlignCenter);
    }
    // The legend in the colours of its curves: a blue "OP" beside the dark
    // blue SV curve would have the operator read one for the other.
    legendLabels_[0] = makeLabel(this, QStringLiteral("PV"), Qt::AlignCenter, ChartColours::kPv);
    legendLabels_[1] = makeLabel(this, QStringLiteral("OP"), Qt::AlignCenter, ChartColours::kOp);
    legendLabels_[2] = makeLabel(this, QStringLiteral("SV"), Qt::AlignCenter, ChartColours::kSv);
    periodCaption_ = new QLabel(this);
    periodCaption_->setStyleSheet(QStringLiteral("background: rgb(255, 255, 192); padding: 0px 6px;"));
    periodCaption_->hide();

    setMinimumSize(kLeftMargin + kRightMargin + 320, kTopMargin + kBottomMargin + 200);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QWidget* TrendChartView::surface() const
{
    return surface_;
}

void TrendChartView::refresh()
{
    const TimeAxisLabels labels = timeAxisLabels(buffers_, zoom_);
    for (size_t i = 0; i < timeLabels_.size(); ++i) {
        timeLabels_[i]->setText(labels.times[i]);
        dateLabels_[i]->setText(labels.dates[i]);
    }
    surface_->update();
}

void TrendChartView::renderAsDrawing(QPainter& painter) const
{
    painter.save();
    surface_->render(painter, surface_->geometry().translated(surfaceFrame_->pos()));
    painter.setPen(QPen(palette().color(QPalette::WindowText), 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(surfaceFrame_->geometry().adjusted(0, 0, -1, -1));
    for (const QLabel* label : findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!label->isVisible() && isVisible())
            continue;
        // In pixels as on screen: a point size would grow with the
        // printer's resolution on top of the page's scale.
        QFont font = label->font();
        font.setPixelSize(QFontInfo(label->font()).pixelSize());
        painter.setFont(font);
        painter.setPen(label->palette().color(QPalette::WindowText));
        painter.drawText(label->geometry(), static_cast<int>(label->alignment()), label->text());
    }
    painter.restore();
}

void TrendChartView::setRuler(const RulerMark& mark)
{
    surface_->setRuler(mark);
}

const RulerMark& TrendChartView::rulerMark() const
{
    return surface_->ruler();
}

void TrendChartView::setYAxisScale(const std::array<int32_t, 7>& values)
{
    for (size_t k = 0; k < scaleLabels_.size(); ++k)
        scaleLabels_[k]->setText(numberText(values[k]));
}

void TrendChartView::resizeEvent(QResizeEvent*)
{
    const QRect area(kLeftMargin, kTopMargin, std::max(1, width() - kLeftMargin - kRightMargin),
                     std::max(1, height() - kTopMargin - kBottomMargin));
    surfaceFrame_->setGeometry(area.adjusted(-1, -1, 1, 1));
    surface_->setGeometry(1, 1, area.width(), area.height());

    const int rowHeight = fontMetrics().height();
    const auto yOf = [&](int units) { return area.top() + units * area.height() / TrendSurface::kScaleHeight; };
    const auto xOf = [&](int units) { return area.left() + units * area.width() / TrendSurface::kScaleWidth; };

    for (size_t k = 0; k < scaleLabels_.size(); ++k) {
        const int y = yOf(TrendSurface::kScaleHeight - kRowUnits * static_cast<int>(k));
        scaleLabels_[k]->setGeometry(0, y - rowHeight / 2, kLeftMargin - 4, rowHeight);
        outputScaleLabels_[k]->setGeometry(area.right() + 5, y - rowHeight / 2, kRightMargin - 5, rowHeight);
    }
    const int labelWidth = 90;
    for (size_t i = 0; i < timeLabels_.size(); ++i) {
        const int x = xOf(kTimeLabelUnits * static_cast<int>(i));
        timeLabels_[i]->setGeometry(x - labelWidth / 2, area.bottom() + 3, labelWidth, rowHeight);
        dateLabels_[i]->setGeometry(x - labelWidth / 2, area.bottom() + 3 + rowHeight, labelWidth, rowHeight);
    }
    for (size_t i = 0; i < legendLabels_.size(); ++i)
        legendLabels_[i]->setGeometry(area.right() - 36 * static_cast<int>(legendLabels_.size() - i), 2, 32, rowHeight);
    periodCaption_->move(area.left(), 2);
    periodCaption_->setMaximumWidth(std::max(0, area.width() - 36 * static_cast<int>(legendLabels_.size()) - 8));
}

void TrendChartView::setPeriodCaption(const QString& caption)
{
    periodCaption_->setText(caption);
    periodCaption_->adjustSize();
    periodCaption_->setVisible(!caption.isEmpty());
}
