#pragma once

#include <QObject>

class ArchiveStore;
class Clock;
class StatusIndicator;

// Shows in the status bar that the archive cannot be written: the field
// appears with the failure and goes when a batch is written again (the
// back-fill from the ring then covers the time between).
class ArchiveStatus : public QObject {
    Q_OBJECT

public:
    ArchiveStatus(ArchiveStore& archive, const Clock& clock, StatusIndicator& indicator, QObject* parent = nullptr);

    void showCurrent();

private:
    ArchiveStore& archive_;
    const Clock& clock_;
    StatusIndicator& indicator_;
};
