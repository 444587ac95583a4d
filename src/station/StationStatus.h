#pragma once

#include <QObject>

#include "StatusTexts.h"

class Clock;
class Met1;
class StatusIndicator;
class mscom;

// Keeps the two indicators of the status bar in step with the link's and
// the recorder's health. The shown text changes once per state or failure
// episode; the tooltip follows the latest reason.
class StationStatus : public QObject {
    Q_OBJECT

public:
    StationStatus(Met1& poll, mscom& recorder, const Clock& clock, StatusIndicator& link,
                  StatusIndicator& recording, QObject* parent = nullptr);

    // Shows the state as it is now, whatever was shown before.
    void showCurrent();

private:
    void onLinkHealth();
    void onRecorderHealth();

    Met1& poll_;
    mscom& recorder_;
    const Clock& clock_;
    StatusIndicator& link_;
    StatusIndicator& recording_;
    StatusEpisode linkEpisode_;
    StatusEpisode recorderEpisode_;
};
