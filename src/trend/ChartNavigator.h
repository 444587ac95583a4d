#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include <QString>
#include <Qt>

#include "trend/HistoryPlayback.h"
#include "trend/RulerMark.h"

struct TrendBuffers;
struct ZoomGeometry;

// What the date, time and value fields show for the slot under the ruler.
struct RulerReadOut {
    static constexpr int kChannels = 10;
    int slot = 0;
    // Empty, and no values, over a slot that holds no sample.
    QString date;  // for the header's date field
    QString time;  // for the header's time field
    std::optional<std::array<float, kChannels>> values;  // channel j for the live panel's value field j
};

// The chart's navigation without widgets: which function keys are taken,
// zoom in and out, the ruler and its read-out, and paging from the keys
// and the ruler's slider. It changes state only; the window mirrors it in
// its buttons, slider, labels and live refresh timer and redraws.
class ChartNavigator {
public:
    // The ruler's slider runs one unit past the chart at both ends; those
    // two positions page.
    static constexpr int kSliderFirst = -1;
    static constexpr int kSliderLast = 12001;

    ChartNavigator(const TrendBuffers& buffers, ZoomGeometry& zoom, HistoryPlayback& playback);

    bool rulerOn = false;
    RulerMark rulerMark;

    // The conditions under which a key does what its button does: F1 below
    // zoom level 4, F2 above 1, F6 on a history page, F7 until the oldest
    // page was reached; F3, F4, F5 and Esc always. Other keys: never.
    bool keyAccepted(Qt::Key key) const;

    // "F2 放大" and "F1 缩小".
    bool zoomInEnabled() const;
    bool zoomOutEnabled() const;
    // One level in or out and the geometry for it; false (nothing changed)
    // at the end of the range.
    bool zoomIn();
    bool zoomOut();
    // One slider step is one sample: markStep as a whole number (37.5 -> 38).
    int sliderStep() const;

    void switchRulerOn();
    // Always back to the live window, also from a history page; pageCount
    // and atOldest keep their values.
    void switchRulerOff();

    // The slider moved to v: pages back at its left end (unless the oldest
    // page was reached), forward at its right end (on a history page), and
    // puts the mark at v. The outcome when it paged.
    std::optional<HistoryPlayback::Outcome> rulerMoved(int v);
    // The slot under slider position v and what it holds.
    RulerReadOut readOut(int v) const;

    // F7 ("F7 右移") and F6 ("F6 左移").
    HistoryPlayback::Outcome pageBack();
    HistoryPlayback::Outcome pageForward();

    // Whether the window's live refresh should run: only on the live
    // window, and not while the ruler holds the panel's values.
    bool liveRefreshRunning() const;

    const HistoryPlayback& playback() const { return playback_; }

private:
    const TrendBuffers& buffers_;
    ZoomGeometry& zoom_;
    HistoryPlayback& playback_;
};
