#pragma once

#include <map>
#include <memory>

#include "archive/ArchiveStore.h"
#include "core/DateValue.h"
#include "instrument/RegisterMap.h"
#include "support/ArchiveFiles.h"
#include "support/RecorderFixture.h"
#include "support/StateFeed.h"

// A recorder feeding an archive store, both on the stepped clock: each
// recorded second has a process value of its own, input 2 on and coil 1
// following the value's parity, so every sample can be told apart in the
// ring and in the archive.
class ArchiveFixture : public RecorderFixture {
protected:
    ArchiveSettings settings()
    {
        ArchiveSettings s;
        s.folder = folder;
        s.retryMs = 20;
        return s;
    }
    // The archive starts first, as in the station: its back-fill runs before
    // the recorder's first sample.
    void startBoth(const ArchiveSettings& s)
    {
        archive = std::make_unique<ArchiveStore>(s, path, clock);
        archive->setModuleAddress(7);
        archive->start();
        start();
        QObject::connect(recorder.get(), &SampleRecorder::sampleRecorded, archive.get(), &ArchiveStore::add);
    }
    void startBoth() { startBoth(settings()); }

    // One sample at the clock's second.
    void record(double pv)
    {
        const QDateTime now = clock.now();
        StateFeed::setMeasurement(instrument, RegisterMap::kProcessValue, pv, now);
        StateFeed::setDiscreteInput(instrument, 2, true, now);
        StateFeed::setCoil(instrument, 1, static_cast<long>(pv) % 2 == 1, now);
        recorder->tick();
        recorded[QDateTime(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second()))
                     .toMSecsSinceEpoch()] = static_cast<float>(pv);
    }
    // Samples a second apart, values first, first + 1, ...
    void recordSeconds(int count, double first)
    {
        for (int i = 0; i < count; ++i) {
            clock.advanceMs(1000);
            record(first + i);
        }
    }

    // The ring's records by their moment (local date and time, as stored).
    std::map<int64_t, float> ring() const
    {
        std::map<int64_t, float> byMoment;
        for (const HistoryFiles::Row& row : HistoryFiles::rows(path))
            byMoment[DateValue::toDateTime(row.date + row.time).toMSecsSinceEpoch()] = static_cast<float>(row.values[0]);
        return byMoment;
    }
    std::map<int64_t, float> archived() const
    {
        std::map<int64_t, float> byMoment;
        for (const auto& [moment, sample] : ArchiveFiles::samples(folder))
            byMoment[moment] = sample.pv;
        return byMoment;
    }

    QString folder = dir.filePath(QStringLiteral("archive"));
    std::unique_ptr<ArchiveStore> archive;
    std::map<int64_t, float> recorded;  // what the test recorded, by moment
};
