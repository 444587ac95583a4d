#pragma once

#include <QDateTime>

class HistoryPlayback;
struct ProcessImage;
struct TrendBuffers;
struct ZoomGeometry;

// The live refresh tick's take-over of a sample the recorder has just
// stored: the counters grow by one, the live window is reloaded first when
// the newest sample would run past the right edge (markEnd reaching
// 241 + 20 x zoomLevel), then inputValues 0..7 and the clock's date and
// time go into slot curveEnd and sampleReady is lowered. The caller redraws.
enum class LiveAppendResult { NoSample, Appended, ReloadedAndAppended };

LiveAppendResult appendLiveSample(TrendBuffers& buffers, HistoryPlayback& playback,
                                  const ZoomGeometry& zoom, ProcessImage& image, const QDateTime& now);
