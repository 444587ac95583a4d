#include "Server.h"

#include <algorithm>
#include <cerrno>
#include <ctime>

#include <poll.h>
#include <unistd.h>

#include "instrument/RegisterMap.h"
#include "Signals.h"

namespace tqsim {

namespace {

// How often the loop looks at the stop flag and the plant when the line is quiet.
constexpr std::chrono::milliseconds kIdleWait{50};
// How long a master that does not read its answers may hold up the line.
constexpr int kWriteWaitMs = 100;

int millisecondsUntil(Clock::time_point deadline, Clock::time_point now)
{
    if (deadline <= now)
        return 0;
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count();
    return static_cast<int>(ms);
}

} // namespace

Server::Server(const Options& options, RegisterImage& image, ReplyEngine& engine, Line& line)
    : image_(image)
    , engine_(engine)
    , line_(line)
    , fd_(line.fd())
    , speed_(options.speed)
    , lineTiming_(options.lineTiming)
    , timing_(options.baud, options.parity)
    , faults_(options.fault, options.faultAfter, options.lateMs)
    , address_(options.address)
{
    if (!options.frozen)
        instrument_ = std::make_unique<Instrument>(image_);
}

void Server::run()
{
    auto lastAdvance = Clock::now();
    while (!signals::stopRequested()) {
        const auto now = Clock::now();
        if (instrument_) {
            instrument_->advance(std::chrono::duration<double>(now - lastAdvance).count() * speed_);
            lastAdvance = now;
        }
        while (auto received = assembler_.take(now))
            handle(*received);
        if (signals::stopRequested())
            break;

        int timeoutMs = static_cast<int>(kIdleWait.count());
        if (const auto silenceEnd = assembler_.silenceDeadline())
            timeoutMs = std::min(timeoutMs, millisecondsUntil(*silenceEnd, now));
        pollfd pfd{fd_, POLLIN, 0};
        const int ready = poll(&pfd, 1, timeoutMs);
        if (ready <= 0)
            continue; // time-out, or a signal: look at the flags again
        if (pfd.revents & POLLIN)
            readLine();
        else if (pfd.revents & (POLLHUP | POLLERR))
            poll(nullptr, 0, static_cast<int>(kIdleWait.count())); // nobody on the line; wait for one
    }
}

void Server::readLine()
{
    uint8_t buffer[512];
    for (;;) {
        const ssize_t n = read(fd_, buffer, sizeof buffer);
        if (n > 0) {
            assembler_.feed(buffer, static_cast<size_t>(n), Clock::now());
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        // EAGAIN: all read. EIO: the last master just went away; the next
        // one will bring new bytes. Neither ends the service.
        return;
    }
}

int Server::stationAddress()
{
    // The instrument answers at the address in its own parameter, so a
    // master that changes it loses the link until it follows.
    const int configured = image_.holding(RegisterMap::kCommAddress);
    if (configured >= 1 && configured <= 247)
        address_ = configured;
    return address_;
}

void Server::handle(const FrameAssembler::Received& received)
{
    const Frame& request = received.frame;
    if (!hasValidCrc(request))
        return; // a garbled request gets no answer, as on a noisy line
    const int station = stationAddress();
    const int addressee = request[0];
    if (addressee != MODBUS_BROADCAST_ADDRESS && addressee != station)
        return; // another instrument's request on a shared line

    const bool faulty = faults_.active(signals::faultSwitchedOn());
    Frame answer;
    if (!faulty || FaultInjector::executesRequest(faults_.mode()))
        answer = engine_.reply(request);
    if (addressee == MODBUS_BROADCAST_ADDRESS)
        return;
    const Frame truth = answer;
    if (faulty)
        answer = faults_.spoil(request, truth, station);
    faults_.remember(truth);
    if (answer.empty())
        return;
    // A late instrument does one thing at a time: requests that arrive
    // while it waits stay in the line's buffer and get their turn after.
    send(answer, received.arrival, request.size(), faulty ? faults_.delay() : std::chrono::milliseconds(0),
         faulty && faults_.repeats());
    faults_.countAnswer();
}

void Server::send(const Frame& answer, Clock::time_point arrival, size_t requestBytes,
                  std::chrono::milliseconds delay, bool repeat)
{
    Clock::time_point due = arrival + delay;
    if (lineTiming_)
        due = std::max(due, timing_.responseDeadline(arrival, lastResponseEnd_, static_cast<int>(requestBytes),
                                                     static_cast<int>(answer.size())));
    if (!sleepUntil(due))
        return;
    line_.dropUnreadAnswers();
    writeAll(answer);
    if (repeat) {
        // The copy must meet a master that has read the first one.
        if (!sleepUntil(Clock::now() + FaultInjector::kRepeatGap))
            return;
        writeAll(answer);
    }
    lastResponseEnd_ = Clock::now();
}

bool Server::sleepUntil(Clock::time_point deadline) const
{
    // An absolute deadline on the monotonic clock (which steady_clock reads),
    // so wake-up latency does not add up across interruptions.
    const auto since = std::chrono::duration_cast<std::chrono::nanoseconds>(deadline.time_since_epoch()).count();
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(since / 1000000000);
    ts.tv_nsec = static_cast<long>(since % 1000000000);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
        if (signals::stopRequested())
            return false;
    }
    return true;
}

void Server::writeAll(const Frame& bytes) const
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN) {
            // The master is not reading; give it a moment, then drop the answer.
            pollfd pfd{fd_, POLLOUT, 0};
            if (poll(&pfd, 1, kWriteWaitMs) > 0 && (pfd.revents & POLLOUT))
                continue;
        }
        return;
    }
}

} // namespace tqsim
