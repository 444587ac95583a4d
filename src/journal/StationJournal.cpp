#include "journal/StationJournal.h"

#include "core/Clock.h"
#include "history/SampleRecorder.h"
#include "instrument/InstrumentState.h"
#include "journal/InterruptedRun.h"
#include "journal/JournalSink.h"
#include "journal/LinkSourceText.h"
#include "journal/StoredForms.h"
#include "link/InstrumentLink.h"
#include "link/Poller.h"
#include "link/PortConnection.h"

StationJournal::StationJournal(JournalSink& sink, const Clock& clock, const Watched& watched, const QString& user,
                               const QString& host, QObject* parent)
    : QObject(parent)
    , sink_(sink)
    , clock_(clock)
    , host_(host)
    , alarms_(sink)
    , linkEvents_(sink, clock)
    , writes_(sink, clock, user, host)
    , refusals_(sink, clock)
{
    InstrumentLink& link = watched.link;
    connect(&watched.connection, &PortConnection::opened, this, [this, &link] {
        const QString source = linkSourceText(link.settings());
        alarms_.linkOpened(source);
        linkEvents_.opened(source);
    });
    connect(&watched.connection, &PortConnection::closed, this, [this] { linkEvents_.closed(); });
    Poller& poller = watched.poller;
    connect(&poller, &Poller::linkHealthChanged, this, [this, &poller] { linkEvents_.healthChanged(poller.linkHealth()); });
    const InstrumentState& state = watched.state;
    connect(&state, &InstrumentState::discreteInputsChanged, this, [this, &state] { alarms_.inputsRead(state); });
    connect(&link, &InstrumentLink::writeFinished, this, [this, &link](const WriteOutcome& outcome) {
        writes_.finished(outcome, linkSourceText(link.settings()));
    });
    if (watched.recorder) {
        history_ = std::make_unique<HistoryJournal>(sink, watched.recorder->databasePath());
        connect(watched.recorder, &SampleRecorder::healthChanged, this,
                [this](const RecorderHealth& health) { history_->healthChanged(health); });
    }
}

StationJournal::~StationJournal() = default;

void StationJournal::stationStarted(const QString& version, const QString& historyPath, const QString& journalPath)
{
    if (const std::optional<QDateTime> lastEvent = interruptedRunLastEvent(journalPath)) {
        JournalEvent interrupted;
        interrupted.time = clock_.now();
        interrupted.kind = JournalEvent::Kind::StationInterrupted;
        interrupted.oldValue = StoredForms::moment(*lastEvent);
        sink_.append(interrupted);
    }
    JournalEvent event;
    event.time = clock_.now();
    event.kind = JournalEvent::Kind::StationStarted;
    event.newValue = version;
    event.text = StoredForms::stationStarted(version, historyPath, journalPath);
    sink_.append(event);
}

void StationJournal::stationExited(const StationEnd& end)
{
    refusals_.publishNow();
    JournalEvent event;
    event.time = clock_.now();
    event.kind = JournalEvent::Kind::StationExited;
    event.origin = end.origin;
    event.user = end.user;
    event.text = end.text;
    if (!end.origin.isEmpty())
        event.host = host_;
    sink_.append(event);
}
