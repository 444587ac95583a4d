#include "link/LineDiscipline.h"

#include <cerrno>
#include <ctime>

#include <poll.h>
#include <unistd.h>

namespace {

using std::chrono::nanoseconds;

// True when fd becomes readable within `wait` (zero: only a look).
bool readableWithin(int fd, LineDiscipline::Clock::duration wait)
{
    const auto ns = std::chrono::duration_cast<nanoseconds>(wait).count();
    const timespec timeout{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
    pollfd pfd{fd, POLLIN, 0};
    int ready = 0;
    do {
        ready = ppoll(&pfd, 1, &timeout, nullptr);
    } while (ready < 0 && errno == EINTR);
    return ready > 0 && (pfd.revents & POLLIN) != 0;
}

// Reads what is waiting; how many bytes that was.
size_t drain(int fd)
{
    unsigned char buffer[256];
    size_t total = 0;
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n > 0) {
            total += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return total;
    }
}

} // namespace

LineDiscipline::LineDiscipline(int baud, bool parity)
{
    const int bits = parity ? 11 : 10;
    gap_ = std::chrono::duration_cast<Clock::duration>(nanoseconds(35LL * bits * 100000000LL / baud));
}

LineDiscipline::Silence LineDiscipline::awaitSilence(int fd, Clock::duration quiet, Clock::duration bound)
{
    if (quiet < gap_)
        quiet = gap_;
    Silence result;
    const auto giveUp = Clock::now() + bound;
    for (;;) {
        const auto now = Clock::now();
        const auto quietAt = lastHeard_ + quiet;
        if (!readableWithin(fd, quietAt > now ? quietAt - now : Clock::duration::zero())) {
            if (Clock::now() >= quietAt) {
                result.reached = true;
                return result;
            }
            continue;  // woken early by a signal
        }
        const size_t n = drain(fd);
        if (n == 0) {
            // Readable without data: the far end hung up. The request will
            // fail on its own and say why.
            result.reached = true;
            return result;
        }
        result.dropped += n;
        heard();
        if (Clock::now() >= giveUp)
            return result;
    }
}

bool LineDiscipline::answerEnded(int fd)
{
    heard();
    return !readableWithin(fd, gap_);
}
