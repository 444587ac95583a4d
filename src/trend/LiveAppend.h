#pragma once

#include <QString>

class HistoryPlayback;
struct Sample;
struct TrendBuffers;
struct ZoomGeometry;

// The live chart's take-over of a sample the recorder has just taken, with
// the recorder's own date, time and values, so the chart shows the seconds
// the file holds and no second twice. A sample no newer than the newest one
// shown is already there (a reload brought it) and is left out.
//
// The counters grow by one, and the sample goes into slot curveEnd. When it
// would run past the right edge (markEnd reaching 241 + 20 x zoomLevel) the
// live window is first reloaded from the history file, which puts the
// newest stored record, usually this very sample, at slot 241. A reload that
// fails keeps what is shown, moved left so the newest sample sits at slot
// 241, and the sample follows it. The caller redraws.
struct LiveAppendResult {
    enum class Outcome { Appended, AlreadyShown, Reloaded, ReloadFailed };
    Outcome outcome = Outcome::Appended;
    QString loadError;  // why the reload failed
};

LiveAppendResult appendLiveSample(TrendBuffers& buffers, HistoryPlayback& playback, const ZoomGeometry& zoom,
                                  const Sample& sample);
