#pragma once

#include <QDateTime>

class HistoryPlayback;
class InstrumentState;
struct TrendBuffers;
struct ZoomGeometry;

// The live chart's take-over of the sample the recorder has just taken: the
// counters grow by one, the live window is reloaded first when the newest
// sample would run past the right edge (markEnd reaching 241 + 20 x
// zoomLevel), then the instrument's eight measurements and the clock's date
// and time go into slot curveEnd. The caller redraws.
enum class LiveAppendResult { Appended, ReloadedAndAppended };

LiveAppendResult appendLiveSample(TrendBuffers& buffers, HistoryPlayback& playback, const ZoomGeometry& zoom,
                                  const InstrumentState& state, const QDateTime& now);
