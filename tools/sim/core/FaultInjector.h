#pragma once

#include <chrono>

#include "Options.h"
#include "RtuFrame.h"

namespace tqsim {

// Deliberate misbehaviour for testing a master: which answers to spoil and
// how. The fault can be switched off and on at run time and can wait for a
// number of good answers first.
class FaultInjector {
public:
    // The exception an instrument gives when it cannot serve a request.
    static constexpr uint8_t kExceptionCode = 4; // slave device failure
    // The pause before a repeated answer: well over 3.5 characters at any
    // baud rate, so the repeat is a frame of its own, not a tail.
    static constexpr std::chrono::milliseconds kRepeatGap{10};
    // The measured value the answer-shaped tail carries.
    static constexpr int16_t kTailProcessValue = 9999;

    FaultInjector(FaultMode mode, int afterAnswers, int lateMs = 0);

    // Whether the next request meets the fault, given the run-time switch.
    bool active(bool switchedOn) const;
    // A silent instrument ignores the request; an exception refuses it.
    // The other faults carry it out and spoil only the answer.
    static bool executesRequest(FaultMode mode);
    FaultMode mode() const { return mode_; }

    // What goes on the wire while the fault is active; empty for silence.
    // A trailing fault appends to the answer, taking turns between a whole
    // input-register answer (the poll's block, PV 9999) and plain garbage.
    // One behind sends the answer to the request before (nothing for the
    // first).
    Frame spoil(const Frame& request, const Frame& answer, int stationAddress) const;
    // The true answer to the request just carried out, whether the fault
    // was active or not: what an instrument one behind sends next.
    void remember(const Frame& answer) { previous_ = answer; }
    // How long after the request a late instrument answers.
    std::chrono::milliseconds delay() const;
    // Whether the answer goes out a second time, kRepeatGap after the first.
    bool repeats() const { return mode_ == FaultMode::Duplicate; }

    void countAnswer() { ++answered_; }

private:
    FaultMode mode_;
    long long after_;
    std::chrono::milliseconds late_;
    long long answered_ = 0;
    Frame previous_;
};

} // namespace tqsim
