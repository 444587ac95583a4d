#pragma once

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

    FaultInjector(FaultMode mode, int afterAnswers);

    // Whether the next request meets the fault, given the run-time switch.
    bool active(bool switchedOn) const;
    // A silent instrument ignores the request; an exception refuses it.
    // The other faults carry it out and spoil only the answer.
    static bool executesRequest(FaultMode mode);
    FaultMode mode() const { return mode_; }

    // What goes on the wire while the fault is active; empty for silence.
    Frame spoil(const Frame& request, const Frame& answer, int stationAddress) const;

    void countAnswer() { ++answered_; }

private:
    FaultMode mode_;
    long long after_;
    long long answered_ = 0;
};

} // namespace tqsim
