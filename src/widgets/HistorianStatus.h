#pragma once

#include <QObject>

class Clock;
class HistorianForwarder;
class StatusIndicator;

// Shows in the status bar that the central server takes nothing: the field
// appears with the reason and goes when the server holds everything again
// (what was recorded meanwhile is sent from the local files).
class HistorianStatus : public QObject {
    Q_OBJECT

public:
    HistorianStatus(HistorianForwarder& forwarder, const Clock& clock, StatusIndicator& indicator,
                    QObject* parent = nullptr);

    void showCurrent();

private:
    HistorianForwarder& forwarder_;
    const Clock& clock_;
    StatusIndicator& indicator_;
};
