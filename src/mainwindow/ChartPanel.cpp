#include "mainwindow/ChartPanel.h"

#include <algorithm>
#include <optional>

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QVBoxLayout>

#include "core/DateValue.h"
#include "trend/TrendBuffers.h"
#include "trendview/TrendChartView.h"
#include "trendview/TrendSurface.h"
#include "trend/ZoomGeometry.h"

namespace {

const char* const kRulerOff = QT_TRANSLATE_NOOP("ChartPanel", "F4 标尺");
const char* const kRulerOn = QT_TRANSLATE_NOOP("ChartPanel", "F4 复原");

// The time a buffer slot holds; none for a slot no record filled.
std::optional<QDateTime> slotTime(const TrendBuffers& buffers, int slot)
{
    if (slot < 0 || slot >= TrendBuffers::kSlots || buffers.trendDates[static_cast<size_t>(slot)] <= 0)
        return std::nullopt;
    const auto i = static_cast<size_t>(slot);
    return DateValue::toDateTime(buffers.trendDates[i] + buffers.trendTimes[i]);
}

} // namespace

ChartPanel::ChartPanel(const TrendBuffers& buffers, ZoomGeometry& zoom, const ChartYRange& yRange,
                       ChartNavigator& navigator, QWidget* parent)
    : QWidget(parent)
    , buffers_(buffers)
    , zoom_(zoom)
    , navigator_(navigator)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);

    // The slider spans the surface: its handle stands over the ruler mark.
    rulerSlider_ = new QSlider(Qt::Horizontal, this);
    rulerSlider_->setRange(ChartNavigator::kSliderFirst, ChartNavigator::kSliderLast);
    rulerSlider_->setValue(0);
    rulerSlider_->setSingleStep(navigator_.sliderStep());
    rulerSlider_->setPageStep(navigator_.sliderStep());
    rulerSlider_->setEnabled(false);
    rulerSlider_->setFocusPolicy(Qt::ClickFocus);  // never a tab stop
    rulerSlider_->setToolTip(tr("标尺位置：移到最左端向过去翻页，最右端向当前翻页"));
    const int half = rulerSlider_->style()->pixelMetric(QStyle::PM_SliderLength, nullptr, rulerSlider_) / 2;
    auto* sliderRow = new QHBoxLayout;
    sliderRow->setContentsMargins(TrendChartView::kSurfaceLeft - half, 0, TrendChartView::kSurfaceRight - half, 0);
    sliderRow->addWidget(rulerSlider_);
    column->addLayout(sliderRow);

    chart_ = new TrendChartView(buffers, zoom, yRange, this);
    column->addWidget(chart_, 1);
    column->addWidget(buildKeys());

    connect(rulerSlider_, &QSlider::valueChanged, this, &ChartPanel::onRulerMoved);
    connect(zoomInButton_, &QPushButton::clicked, this, &ChartPanel::zoomIn);
    connect(zoomOutButton_, &QPushButton::clicked, this, &ChartPanel::zoomOut);
    connect(rulerButton_, &QPushButton::clicked, this, &ChartPanel::toggleRuler);
    connect(pageForwardButton_, &QPushButton::clicked, this, &ChartPanel::pageForward);
    connect(pageBackButton_, &QPushButton::clicked, this, &ChartPanel::pageBack);
    addShortcut(Qt::Key_F1, &ChartPanel::zoomOut);
    addShortcut(Qt::Key_F2, &ChartPanel::zoomIn);
    addShortcut(Qt::Key_F4, &ChartPanel::toggleRuler);
    addShortcut(Qt::Key_F6, &ChartPanel::pageForward);
    addShortcut(Qt::Key_F7, &ChartPanel::pageBack);
    showStates();
}

void ChartPanel::addShortcut(Qt::Key key, void (ChartPanel::*action)())
{
    auto* shortcut = new QShortcut(QKeySequence(key), this);
    connect(shortcut, &QShortcut::activated, this, [this, key, action] {
        if (navigator_.keyAccepted(key))
            (this->*action)();
    });
}

QWidget* ChartPanel::buildKeys()
{
    auto* keys = new QWidget(this);
    auto* row = new QHBoxLayout(keys);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);

    const auto button = [keys, row](const QString& caption, const QString& hint) {
        auto* b = new QPushButton(caption, keys);
        b->setToolTip(hint);
        // As wide as the caption: seven keys and the Y range share the row.
        b->setFixedWidth(b->fontMetrics().horizontalAdvance(caption) + 20);
        // A click leaves the focus where it was (on the ruler's slider, say).
        b->setFocusPolicy(Qt::TabFocus);
        row->addWidget(b);
        return b;
    };
    zoomOutButton_ = button(tr("F1 缩小"), tr("显示更长的一段时间"));
    zoomInButton_ = button(tr("F2 放大"), tr("显示更短的一段时间"));
    printButton_ = button(tr("F3 打印"), tr("打印曲线，也可存为 PDF 文件"));
    rulerButton_ = button(tr(kRulerOff), tr("标尺：用上方滑块读出曲线上某一时刻的数值"));
    chooseMomentButton_ = button(tr("F5 选择"), tr("显示某一日期时间的历史曲线"));
    pageForwardButton_ = button(tr("F6 左移"), tr("历史曲线向当前翻一页"));
    pageBackButton_ = button(tr("F7 右移"), tr("历史曲线向过去翻一页（60 条记录）"));
    row->addStretch(1);
    addYAxisRange(keys, row);
    return keys;
}

void ChartPanel::addYAxisRange(QWidget* keys, QHBoxLayout* row)
{
    const auto entry = [keys](const QString& text, const QString& hint) {
        auto* edit = new QLineEdit(text, keys);
        edit->setAlignment(Qt::AlignRight);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("-12000")) + 14);
        edit->setToolTip(hint);
        return edit;
    };
    yMaximumEntry_ = entry(QStringLiteral("60"), tr("PV、SV 曲线的上端，-12000 到 36000"));
    yMinimumEntry_ = entry(QStringLiteral("0"), tr("PV、SV 曲线的下端，-12000 到 32767，不大于Y轴最大"));
    applyRangeButton_ = new QPushButton(tr("修改Y"), keys);
    applyRangeButton_->setFixedWidth(
        applyRangeButton_->fontMetrics().horizontalAdvance(applyRangeButton_->text()) + 20);
    const QString captions[] = {tr("Y轴最大"), tr("Y轴最小")};
    QLineEdit* const entries[] = {yMaximumEntry_, yMinimumEntry_};
    for (int i = 0; i < 2; ++i) {
        auto* caption = new QLabel(captions[i], keys);
        caption->setBuddy(entries[i]);
        row->addWidget(caption);
        row->addWidget(entries[i]);
    }
    row->addWidget(applyRangeButton_);
}

void ChartPanel::refresh()
{
    zoom_.apply();
    chart_->refresh();
}

void ChartPanel::zoomIn()
{
    if (navigator_.zoomIn())
        afterZoom();
}

void ChartPanel::zoomOut()
{
    if (navigator_.zoomOut())
        afterZoom();
}

void ChartPanel::afterZoom()
{
    // One slider step is one sample at the new level.
    const int step = navigator_.sliderStep();
    rulerSlider_->setSingleStep(step);
    rulerSlider_->setPageStep(step);
    // The mark stays where it is; the slot under it is another one now.
    if (navigator_.rulerOn)
        emit rulerReadOut(navigator_.readOut(rulerSlider_->value()));
    showStates();
    refresh();
}

void ChartPanel::toggleRuler()
{
    if (!navigator_.rulerOn) {
        navigator_.switchRulerOn();
        setSliderQuietly(0);
        rulerSlider_->setEnabled(true);
        rulerSlider_->setFocus();
        emit rulerReadOut(navigator_.readOut(0));
    } else {
        navigator_.switchRulerOff();
        setSliderQuietly(0);
        rulerSlider_->setEnabled(false);
        rulerButton_->setFocus();
        emit windowLoaded();
        refresh();
    }
    chart_->setRuler(navigator_.rulerMark);
    showStates();
}

void ChartPanel::onRulerMoved(int value)
{
    if (const auto paged = navigator_.rulerMoved(value))
        showPagingOutcome(*paged);
    chart_->setRuler(navigator_.rulerMark);
    emit rulerReadOut(navigator_.readOut(value));
}

void ChartPanel::pageForward()
{
    showPagingOutcome(navigator_.pageForward());
}

void ChartPanel::pageBack()
{
    showPagingOutcome(navigator_.pageBack());
}

void ChartPanel::showPagingOutcome(HistoryPlayback::Outcome outcome)
{
    if (outcome == HistoryPlayback::Outcome::Failed)
        emit historyUnreadable(navigator_.playback().loadError());
    if (outcome == HistoryPlayback::Outcome::PageLoaded || outcome == HistoryPlayback::Outcome::LiveLoaded) {
        emit windowLoaded();
        refresh();
        if (navigator_.rulerOn)
            emit rulerReadOut(navigator_.readOut(rulerSlider_->value()));
    }
    showStates();
}

void ChartPanel::setSliderQuietly(int value)
{
    // The ruler's own switching puts the slider home without reading out
    // or paging on the way.
    const QSignalBlocker quiet(rulerSlider_);
    rulerSlider_->setValue(value);
}

void ChartPanel::showStates()
{
    const HistoryPlayback& playback = navigator_.playback();
    zoomInButton_->setEnabled(navigator_.zoomInEnabled());
    zoomOutButton_->setEnabled(navigator_.zoomOutEnabled());
    pageForwardButton_->setEnabled(playback.pageForwardEnabled);
    pageBackButton_->setEnabled(playback.pageBackEnabled);
    rulerButton_->setText(tr(navigator_.rulerOn ? kRulerOn : kRulerOff));
    rulerSlider_->setEnabled(navigator_.rulerOn);
    showHistoryBanner();
    emit liveRefreshWanted(navigator_.liveRefreshRunning());
}

QLabel* ChartPanel::historyBanner() const
{
    return chart_->periodCaption();
}

QString ShownPeriod::text() const
{
    const QString format = QStringLiteral("yyyy-MM-dd HH:mm:ss");
    return ChartPanel::tr("%1 至 %2").arg(from.toString(format), to.toString(format));
}

bool ChartPanel::historyShown() const
{
    const HistoryPlayback& playback = navigator_.playback();
    return !playback.liveRefreshRunning && playback.pageCount > 0;
}

std::optional<ShownPeriod> ChartPanel::shownPeriod() const
{
    // As the time axis reads it: from the left edge's sample to the last one
    // inside the right edge.
    const int first = zoom_.markOffset + 1;
    const int drawn = zoom_.curveOffset + 60 * zoom_.zoomLevel + (buffers_.curveEnd - TrendBuffers::kLiveWindow);
    const int inside = first + static_cast<int>(TrendSurface::kScaleWidth / zoom_.markStep);
    const int last = std::min(drawn, inside);
    std::optional<QDateTime> from;
    std::optional<QDateTime> to;
    for (int slot = first; slot <= last; ++slot) {
        if (const auto time = slotTime(buffers_, slot)) {
            if (!from)
                from = time;
            to = time;
        }
    }
    if (!from)
        return std::nullopt;
    return ShownPeriod{*from, *to};
}

void ChartPanel::showHistoryBanner()
{
    // A history page must never pass for the live window.
    const std::optional<ShownPeriod> period = shownPeriod();
    if (!historyShown() || !period) {
        chart_->setPeriodCaption(QString());
        return;
    }
    chart_->setPeriodCaption(tr("历史曲线 %1").arg(period->text()));
}
