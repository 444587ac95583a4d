// tq5800-recorder-writer PATH DAY: records samples into the database at PATH
// as fast as it can, with a clock that starts DAY days after 5 January 2026
// and moves one second per tick, and prints "<record number> <value>" on
// standard output after each sample is stored. The crash test kills it with
// SIGKILL somewhere in the middle.
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include <QCoreApplication>

#include "support/FakeClock.h"
#include "instrument/InstrumentState.h"
#include "history/SampleRecorder.h"
#include "support/StateFeed.h"

namespace {

void say(const std::string& line)
{
    // write(2), not stdio: nothing reported may sit in a buffer the kill drops.
    const std::string text = line + "\n";
    if (::write(STDOUT_FILENO, text.data(), text.size()) < 0)
        _exit(3);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: tq5800-recorder-writer PATH DAY\n");
        return 2;
    }
    InstrumentState state;
    FakeClock clock(QDateTime(QDate(2026, 1, 5).addDays(std::atoi(argv[2])), QTime(6, 0, 0)));
    SampleRecorder recorder(state, clock, QString::fromLocal8Bit(argv[1]));
    QObject::connect(&recorder, &SampleRecorder::sampleStored, [&](int32_t recordNumber) {
        say(std::to_string(recordNumber) + " " + std::to_string(static_cast<long>(state.measurement(1))));
    });
    recorder.start();
    recorder.stop();  // ticked below as fast as it goes
    for (long n = 1;; ++n) {
        StateFeed::setMeasurement(state, 1, static_cast<double>(n), clock.now());
        recorder.tick();
        if (!recorder.health().recording()) {
            say("failing " + recorder.health().reason().toStdString());
            return 1;
        }
        clock.advanceMs(1000);
    }
}
