#pragma once

#include <QObject>

#include "widgets/StatusTexts.h"

class Clock;
class Poller;
class StatusIndicator;
class SampleRecorder;

// Keeps the two indicators of the status bar in step with the link's and
// the recorder's health. The shown text changes once per state or failure
// episode (for the recorder also with the failure's cause and its lock);
// the tooltip follows the latest reason.
class StationStatus : public QObject {
    Q_OBJECT

public:
    StationStatus(Poller& poll, SampleRecorder& recorder, const Clock& clock, StatusIndicator& link,
                  StatusIndicator& recording, QObject* parent = nullptr);

    // Shows the state as it is now, whatever was shown before.
    void showCurrent();

private:
    void onLinkHealth();
    void onRecorderHealth();

    Poller& poll_;
    SampleRecorder& recorder_;
    const Clock& clock_;
    StatusIndicator& link_;
    StatusIndicator& recording_;
    StatusEpisode linkEpisode_;
    StatusEpisode recorderEpisode_;
};
