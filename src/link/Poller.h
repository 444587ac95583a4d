#pragma once

#include <array>
#include <cstdint>

#include <QObject>
#include <QTimer>

#include "link/LinkHealth.h"
#include "link/PollBlock.h"

class Clock;
class InstrumentLink;
struct ProcessImage;

// The poll host. Its Timer1 starts a poll cycle every 500 ms while the link
// is open; the link thread does the reads and this object, on the
// user-interface thread, converts each block into the process image as it
// arrives, in step order. A tick that falls due while a cycle is still
// running is dropped: cycles never queue up behind a slow instrument.
class Poller : public QObject {
    Q_OBJECT

public:
    static constexpr int kPollIntervalMs = 500;

    Poller(ProcessImage& image, InstrumentLink& link, const Clock& clock, QObject* parent = nullptr);

    // Enabled by opening the link, disabled by closing it.
    QTimer Timer1;

    void start();
    void stop();
    bool running() const { return Timer1.isActive(); }

    void Timer1_Timer();

    // Converts one block read by the link thread into the process image.
    // Reads that failed leave their part of the image at its last good values.
    void applyBlock(const PollBlock& block);

    // Splits one byte into byteBits, bit i (weight 2^i) into element i.
    void D_Byte(int value);

    std::array<int32_t, 8> bitWords{};
    std::array<uint8_t, 8> byteBits{};

    const LinkHealth& linkHealth() const { return health_; }
    bool cycleInProgress() const { return cycleInProgress_; }
    int droppedTicks() const { return droppedTicks_; }

signals:
    void blockApplied(int step);
    void cycleFinished(const CycleReport& report);
    void linkHealthChanged();

private:
    void onCycleFinished(const CycleReport& report);
    void splitInto(int32_t word, std::array<int32_t, 101>& bits, int first);

    ProcessImage& image_;
    InstrumentLink& link_;
    const Clock& clock_;
    LinkHealth health_;
    int cycle_ = 0;
    bool cycleInProgress_ = false;
    int droppedTicks_ = 0;
};
