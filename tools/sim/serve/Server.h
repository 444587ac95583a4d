#pragma once

#include <memory>
#include <optional>

#include "FaultInjector.h"
#include "FrameAssembler.h"
#include "Instrument.h"
#include "Line.h"
#include "LineTiming.h"
#include "Options.h"
#include "RegisterImage.h"
#include "ReplyEngine.h"

namespace tqsim {

// The serving loop: reads requests from the line, answers those addressed
// to this station and keeps the simulated plant running in real time
// between them. It never gives up on a line error; only a stop signal ends it.
class Server {
public:
    Server(const Options& options, RegisterImage& image, ReplyEngine& engine, Line& line);

    void run();

private:
    void readLine();
    void handle(const FrameAssembler::Received& received);
    // Writes the answer when it is due: after `delay` from the request's
    // arrival, and no earlier than the wire allows with line timing.
    void send(const Frame& answer, Clock::time_point arrival, size_t requestBytes, std::chrono::milliseconds delay,
              bool repeat);
    int stationAddress();
    // False when a stop signal cut the wait short.
    bool sleepUntil(Clock::time_point deadline) const;
    void writeAll(const Frame& bytes) const;

    RegisterImage& image_;
    ReplyEngine& engine_;
    Line& line_;
    int fd_;
    double speed_;
    bool lineTiming_;
    LineTiming timing_;
    FaultInjector faults_;
    FrameAssembler assembler_;
    std::unique_ptr<Instrument> instrument_; // none when frozen
    std::optional<Clock::time_point> lastResponseEnd_;
    int address_;
};

} // namespace tqsim
