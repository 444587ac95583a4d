#include "mainwindow/ChartPanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QVBoxLayout>

#include "core/NumberText.h"
#include "trendview/TrendChartView.h"
#include "trend/ZoomGeometry.h"

namespace {

const QString kRulerOff = QStringLiteral("F4 标尺");
const QString kRulerOn = QStringLiteral("F4 复原");

} // namespace

ChartPanel::ChartPanel(const TrendBuffers& buffers, ZoomGeometry& zoom, ProcessImage& image,
                       ChartNavigator& navigator, QWidget* parent)
    : QWidget(parent)
    , zoom_(zoom)
    , navigator_(navigator)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);

    // The slider spans the surface: its handle stands over the ruler mark.
    hc_ = new QSlider(Qt::Horizontal, this);
    hc_->setRange(ChartNavigator::kSliderFirst, ChartNavigator::kSliderLast);
    hc_->setValue(0);
    hc_->setSingleStep(navigator_.sliderStep());
    hc_->setPageStep(navigator_.sliderStep());
    hc_->setEnabled(false);
    hc_->setFocusPolicy(Qt::ClickFocus);  // never a tab stop
    hc_->setToolTip(QStringLiteral("标尺位置：移到最左端向过去翻页，最右端向当前翻页"));
    const int half = hc_->style()->pixelMetric(QStyle::PM_SliderLength, nullptr, hc_) / 2;
    auto* sliderRow = new QHBoxLayout;
    sliderRow->setContentsMargins(TrendChartView::kSurfaceLeft - half, 0, TrendChartView::kSurfaceRight - half, 0);
    sliderRow->addWidget(hc_);
    column->addLayout(sliderRow);

    chart_ = new TrendChartView(buffers, zoom, image, this);
    column->addWidget(chart_, 1);
    column->addWidget(buildKeys());

    connect(hc_, &QSlider::valueChanged, this, &ChartPanel::hc_Change);
    connect(command3_, &QPushButton::clicked, this, &ChartPanel::Command3_Click);
    connect(command4_, &QPushButton::clicked, this, &ChartPanel::Command4_Click);
    connect(command5_, &QPushButton::clicked, this, &ChartPanel::Command5_Click);
    connect(command7_, &QPushButton::clicked, this, &ChartPanel::Command7_Click);
    connect(command8_, &QPushButton::clicked, this, &ChartPanel::Command8_Click);
    showStates();
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
    command4_ = button(QStringLiteral("F1 缩小"), QStringLiteral("显示更长的一段时间"));
    command3_ = button(QStringLiteral("F2 放大"), QStringLiteral("显示更短的一段时间"));
    command2_ = button(QStringLiteral("F3 打印"), QStringLiteral("打印曲线，也可存为 PDF 文件"));
    command5_ = button(kRulerOff, QStringLiteral("标尺：用上方滑块读出曲线上某一时刻的数值"));
    command6_ = button(QStringLiteral("F5 选择"), QStringLiteral("显示某一日期时间的历史曲线"));
    command7_ = button(QStringLiteral("F6 左移"), QStringLiteral("历史曲线向当前翻一页"));
    command8_ = button(QStringLiteral("F7 右移"), QStringLiteral("历史曲线向过去翻一页（60 条记录）"));
    row->addStretch(1);
    addYAxisRange(keys, row);
    row->addSpacing(8);

    // Units between two samples and the surface height: for a technician,
    // so small and grey.
    label19_ = new QLabel(keys);
    label20_ = new QLabel(keys);
    label19_->setToolTip(QStringLiteral("相邻两个样本在图上的间距（图表单位）"));
    label20_->setToolTip(QStringLiteral("绘图区高度（图表单位）"));
    for (QLabel* label : {label19_, label20_}) {
        label->setStyleSheet(QStringLiteral("color: #606060;"));
        row->addWidget(label);
    }
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
    ykd_ = entry(QStringLiteral("60"), QStringLiteral("PV、SV 曲线的上端，-12000 到 36000"));
    ykd1_ = entry(QStringLiteral("0"), QStringLiteral("PV、SV 曲线的下端，-12000 到 32767，不大于Y轴最大"));
    command26_ = new QPushButton(QStringLiteral("修改Y"), keys);
    command26_->setFixedWidth(command26_->fontMetrics().horizontalAdvance(command26_->text()) + 20);
    const QString captions[] = {QStringLiteral("Y轴最大"), QStringLiteral("Y轴最小")};
    QLineEdit* const entries[] = {ykd_, ykd1_};
    for (int i = 0; i < 2; ++i) {
        auto* caption = new QLabel(captions[i], keys);
        caption->setBuddy(entries[i]);
        row->addWidget(caption);
        row->addWidget(entries[i]);
    }
    row->addWidget(command26_);
}

void ChartPanel::refresh()
{
    zoom_.ApplyZoom();
    chart_->refresh();
}

bool ChartPanel::keyDown(int keyCode)
{
    if (!navigator_.keyAccepted(keyCode))
        return false;
    switch (keyCode) {
    case ChartNavigator::kKeyF1: Command4_Click(); return true;
    case ChartNavigator::kKeyF2: Command3_Click(); return true;
    case ChartNavigator::kKeyF4: Command5_Click(); return true;
    case ChartNavigator::kKeyF6: Command7_Click(); return true;
    case ChartNavigator::kKeyF7: Command8_Click(); return true;
    default: return false;
    }
}

void ChartPanel::Command3_Click()
{
    if (navigator_.zoomIn())
        afterZoom();
}

void ChartPanel::Command4_Click()
{
    if (navigator_.zoomOut())
        afterZoom();
}

void ChartPanel::afterZoom()
{
    // One slider step is one sample at the new level.
    const int step = navigator_.sliderStep();
    hc_->setSingleStep(step);
    hc_->setPageStep(step);
    label19_->setText(numberText(zoom_.markStep));
    // The mark stays where it is; the slot under it is another one now.
    if (navigator_.rulerMode)
        emit rulerReadOut(navigator_.readOut(hc_->value()));
    showStates();
    refresh();
}

void ChartPanel::Command5_Click()
{
    if (!navigator_.rulerMode) {
        navigator_.rulerOn();
        setSliderQuietly(0);
        hc_->setEnabled(true);
        hc_->setFocus();
        emit rulerReadOut(navigator_.readOut(0));
    } else {
        navigator_.rulerOff();
        setSliderQuietly(0);
        hc_->setEnabled(false);
        command5_->setFocus();
        emit windowLoaded();
        refresh();
    }
    chart_->setRuler(navigator_.Line1);
    showStates();
}

void ChartPanel::hc_Change(int value)
{
    if (const auto paged = navigator_.rulerMoved(value))
        showPagingOutcome(*paged);
    chart_->setRuler(navigator_.Line1);
    emit rulerReadOut(navigator_.readOut(value));
}

void ChartPanel::Command7_Click()
{
    showPagingOutcome(navigator_.pageForward());
}

void ChartPanel::Command8_Click()
{
    showPagingOutcome(navigator_.pageBack());
}

void ChartPanel::showPagingOutcome(HistoryPlayback::Outcome outcome)
{
    if (outcome != HistoryPlayback::Outcome::Refused) {
        emit windowLoaded();
        refresh();
        if (navigator_.rulerMode)
            emit rulerReadOut(navigator_.readOut(hc_->value()));
    }
    showStates();
}

void ChartPanel::setSliderQuietly(int value)
{
    // The ruler's own switching puts the slider home without reading out
    // or paging on the way.
    const QSignalBlocker quiet(hc_);
    hc_->setValue(value);
}

void ChartPanel::showStates()
{
    const HistoryPlayback& playback = navigator_.playback();
    command3_->setEnabled(navigator_.zoomInEnabled());
    command4_->setEnabled(navigator_.zoomOutEnabled());
    command7_->setEnabled(playback.pageForwardEnabled);
    command8_->setEnabled(playback.pageBackEnabled);
    command5_->setText(navigator_.rulerMode ? kRulerOn : kRulerOff);
    hc_->setEnabled(navigator_.rulerMode != 0);
    emit liveRefreshWanted(navigator_.liveRefreshRunning());
}
