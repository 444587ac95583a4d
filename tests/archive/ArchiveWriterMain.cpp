// tq5800-archive-writer HISTORY FOLDER MINUTES: records samples into the
// ring at HISTORY and the archive in FOLDER as fast as it can, with a clock
// that starts MINUTES after 23:55 UTC on 31 January 2026 and moves one
// second per tick, and
// prints the number of samples recorded after each one. The crash test
// kills it with SIGKILL somewhere in the middle.
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include <QCoreApplication>

#include "archive/ArchiveStore.h"
#include "history/SampleRecorder.h"
#include "instrument/InstrumentState.h"
#include "instrument/RegisterMap.h"
#include "support/FakeClock.h"
#include "support/StateFeed.h"

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: tq5800-archive-writer HISTORY FOLDER MINUTES\n");
        return 2;
    }
    InstrumentState state;
    FakeClock clock(
        QDateTime(QDate(2026, 1, 31), QTime(23, 55, 0), Qt::UTC).addSecs(60L * std::atoi(argv[3])).toLocalTime());
    SampleRecorder recorder(state, clock, QString::fromLocal8Bit(argv[1]));
    ArchiveSettings settings;
    settings.folder = QString::fromLocal8Bit(argv[2]);
    ArchiveStore archive(settings, recorder.databasePath(), clock);
    QObject::connect(&recorder, &SampleRecorder::sampleRecorded, &archive, &ArchiveStore::add);
    archive.start();
    recorder.start();
    recorder.stop();  // ticked below as fast as it goes
    for (long n = 1;; ++n) {
        StateFeed::setMeasurement(state, RegisterMap::kProcessValue, static_cast<double>(n), clock.now());
        recorder.tick();
        const std::string line = std::to_string(n) + "\n";
        if (::write(STDOUT_FILENO, line.data(), line.size()) < 0)
            _exit(3);
        clock.advanceMs(1000);
    }
}
