#pragma once

#include <memory>
#include <optional>

#include <QString>

#include "archive/ArchiveSettings.h"
#include "archive/ArchiveStore.h"
#include "historian/HistorianForwarder.h"
#include "historian/HistorianSettings.h"
#include "history/SampleRecorder.h"
#include "instrument/InstrumentState.h"
#include "journal/ArchiveJournal.h"
#include "journal/HistorianJournal.h"
#include "journal/JournalStore.h"
#include "journal/JournalStoreSink.h"
#include "journal/StationJournal.h"
#include "link/Fieldbus.h"
#include "link/InstrumentLink.h"
#include "link/Poller.h"
#include "link/PortConnection.h"

class Clock;

// The running station without its windows, wired in this one place: the
// instrument state, the link thread with its poll and port connection, the
// recorder of the history file, the archive it feeds and the event journal
// with its sources, and the forwarder to a central server that reads the
// archive and the journal. The station, the probe, the tests and the benchmarks all
// build it here; the windows are given it to work with. The probe records
// nothing: it builds the core without a history file, archive or journal.
class StationCore {
public:
    StationCore(std::unique_ptr<Fieldbus> fieldbus, const Clock& clock,
                const std::optional<QString>& historyPath = std::nullopt,
                const std::optional<QString>& journalPath = std::nullopt, const JournalLimits& journalLimits = {},
                const std::optional<ArchiveSettings>& archive = std::nullopt,
                const std::optional<HistorianSettings>& historian = std::nullopt);

    ~StationCore();

    StationCore(const StationCore&) = delete;
    StationCore& operator=(const StationCore&) = delete;

    InstrumentState& state() { return state_; }
    const Clock& clock() const { return clock_; }
    InstrumentLink& link() { return link_; }
    Poller& poller() { return poller_; }
    PortConnection& connection() { return connection_; }

    bool records() const { return recorder_ != nullptr; }
    // Only for a core built with a history file.
    SampleRecorder& recorder() { return *recorder_; }
    // The history file the recorder writes and the chart reads; empty
    // without one.
    QString databasePath() const;

    // Only with a history file: the archive takes the recorder's samples.
    bool archives() const { return archive_ != nullptr; }
    ArchiveStore& archive() { return *archive_; }

    // Only with an archive: its month files and the journal are the
    // forwarder's outbox. Started and stopped by the owner, after and
    // before the archive.
    bool forwards() const { return historian_ != nullptr; }
    HistorianForwarder& historian() { return *historian_; }

    bool journals() const { return journal_ != nullptr; }
    // Only for a core built with a journal path.
    JournalStore& journal() { return *journal_; }
    // The windows tell each refused entry; counted per minute in the journal.
    void entryRefused();
    // The journal's first and last word of a run; nothing without a journal.
    void stationStarted(const QString& version);
    void stationExited(const StationEnd& end = {});

private:
    void journalArchiveFaults();
    void forwardTo(HistorianSettings settings);

    // Destroyed bottom up: the recorder and the poll before the link, whose
    // thread closes the port last.
    InstrumentState state_;
    const Clock& clock_;
    InstrumentLink link_;
    Poller poller_;
    PortConnection connection_;
    std::unique_ptr<SampleRecorder> recorder_;
    std::unique_ptr<ArchiveStore> archive_;
    // The sources go before the store they write to.
    std::unique_ptr<JournalStore> journal_;
    std::unique_ptr<JournalStoreSink> journalSink_;
    std::unique_ptr<StationJournal> journalSources_;
    std::unique_ptr<ArchiveJournal> archiveJournal_;
    // Cut before the journal goes: the archive's last flush comes after it.
    QMetaObject::Connection archiveJournalConnection_;
    QMetaObject::Connection archiveRemovalConnection_;
    std::unique_ptr<HistorianJournal> historianJournal_;
    QMetaObject::Connection historianJournaling_;
    // Goes first: its last reports still reach the journal.
    std::unique_ptr<HistorianForwarder> historian_;
};
