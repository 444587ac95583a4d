#include "station/StationCore.h"

#include "core/Clock.h"
#include "historian/ConnectionText.h"
#include "journal/StoredForms.h"

// Values stay fresh, for the recorder and the panel, for two poll cycles.
static_assert(InstrumentState::kFreshForMs == 2 * Poller::kPollIntervalMs);

StationCore::StationCore(std::unique_ptr<Fieldbus> fieldbus, const Clock& clock,
                         const std::optional<QString>& historyPath, const std::optional<QString>& journalPath,
                         const JournalLimits& journalLimits, const std::optional<ArchiveSettings>& archive,
                         const std::optional<HistorianSettings>& historian)
    : clock_(clock)
    , link_(std::move(fieldbus))
    , poller_(state_, link_, clock_)
    , connection_(link_, poller_)
{
    if (historyPath)
        recorder_ = std::make_unique<SampleRecorder>(state_, clock_, *historyPath);
    if (recorder_ && archive) {
        archive_ = std::make_unique<ArchiveStore>(*archive, *historyPath, clock_);
        QObject::connect(recorder_.get(), &SampleRecorder::sampleRecorded, archive_.get(), &ArchiveStore::add);
        recorder_->setSamplesHandedOn(true);
        // The address is fixed while the link is open; a failed open leaves
        // the samples without one until the next.
        QObject::connect(&link_, &InstrumentLink::portOpened, archive_.get(), [this](bool ok, const QString&) {
            archive_->setModuleAddress(ok ? std::optional<int>(link_.settings().moduleAddress) : std::nullopt);
        });
    }
    if (journalPath) {
        journal_ = std::make_unique<JournalStore>(*journalPath, clock_, journalLimits);
        journal_->open();
        journalSink_ = std::make_unique<JournalStoreSink>(*journal_);
        journalSources_ = std::make_unique<StationJournal>(
            *journalSink_, clock_, StationJournal::Watched{state_, link_, poller_, connection_, recorder_.get()},
            JournalIdentity::user(), JournalIdentity::host());
        if (archive_)
            journalArchiveFaults();
    }
    if (archive_ && historian)
        forwardTo(*historian);
}

StationCore::~StationCore()
{
    QObject::disconnect(archiveJournalConnection_);
    QObject::disconnect(archiveRemovalConnection_);
}

void StationCore::journalArchiveFaults()
{
    archiveJournal_ = std::make_unique<ArchiveJournal>(*journalSink_, archive_->folder());
    archiveJournalConnection_ = QObject::connect(
        archive_.get(), &ArchiveStore::healthChanged, archive_.get(), [this](const ArchiveHealth& health) {
            if (health.state() == ArchiveHealth::State::Failing)
                archiveJournal_->failing(health.failingSince().value_or(clock_.now()), health.reason());
            else if (health.writing())
                archiveJournal_->writing(clock_.now(), health.droppedSamples());
        });
    archiveRemovalConnection_ = QObject::connect(
        archive_.get(), &ArchiveStore::monthsRemoved, archive_.get(),
        [this](const QStringList& files, int keepMonths) { archiveJournal_->removed(clock_.now(), files, keepMonths); });
}

void StationCore::forwardTo(HistorianSettings settings)
{
    settings.archiveFolder = archive_->folder();
    settings.journalPath = journal_ ? journal_->path() : QString();
    historian_ = std::make_unique<HistorianForwarder>(settings);
    // The line of the open link tags the samples sent from then on.
    QObject::connect(&link_, &InstrumentLink::portOpened, historian_.get(), [this](bool ok, const QString&) {
        if (ok)
            historian_->setPort(QString::number(link_.settings().port));
    });
    if (!journalSink_)
        return;
    historianJournal_ = std::make_unique<HistorianJournal>(
        *journalSink_, ConnectionText::withoutPassword(settings.connection));
    historianJournaling_ = QObject::connect(
        historian_.get(), &HistorianForwarder::healthChanged, historian_.get(), [this](const HistorianHealth& health) {
            if (health.state() == HistorianHealth::State::Failing)
                historianJournal_->failing(health.failingSince().value_or(clock_.now()),
                                           StoredForms::forwardingCause(health.cause()), health.reason());
            else if (health.state() == HistorianHealth::State::Forwarding)
                historianJournal_->resumed(clock_.now());
        });
}

void StationCore::entryRefused()
{
    if (journalSources_)
        journalSources_->entryRefused();
}

void StationCore::stationStarted(const QString& version)
{
    if (journalSources_)
        journalSources_->stationStarted(version, databasePath(), journal_->path());
}

void StationCore::stationExited(const StationEnd& end)
{
    // The forwarder stops after this (its last pass sends the exit too):
    // what it reports then is logged, never journaled after the exit.
    QObject::disconnect(historianJournaling_);
    if (journalSources_)
        journalSources_->stationExited(end);
}

QString StationCore::databasePath() const
{
    return recorder_ ? recorder_->databasePath() : QString();
}
