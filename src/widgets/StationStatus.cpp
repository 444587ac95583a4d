#include "widgets/StationStatus.h"

#include "core/Clock.h"
#include "link/Poller.h"
#include "widgets/StatusIndicator.h"
#include "history/SampleRecorder.h"

StationStatus::StationStatus(Poller& poll, SampleRecorder& recorder, const Clock& clock, StatusIndicator& link,
                             StatusIndicator& recording, QObject* parent)
    : QObject(parent)
    , poll_(poll)
    , recorder_(recorder)
    , clock_(clock)
    , link_(link)
    , recording_(recording)
{
    connect(&poll_, &Poller::linkHealthChanged, this, &StationStatus::onLinkHealth);
    connect(&recorder_, &SampleRecorder::healthChanged, this, &StationStatus::onRecorderHealth);
}

void StationStatus::showCurrent()
{
    linkEpisode_ = StatusEpisode{};
    recorderEpisode_ = StatusEpisode{};
    onLinkHealth();
    onRecorderHealth();
}

void StationStatus::onLinkHealth()
{
    const LinkHealth& health = poll_.linkHealth();
    const StatusLine line = StatusTexts::linkStatusLine(health, clock_.now().date());
    if (!linkEpisode_.changed(static_cast<int>(health.state()), health.failingSince())) {
        link_.setDetail(line.detail);
        return;
    }
    link_.display(line);
}

void StationStatus::onRecorderHealth()
{
    const RecorderHealth& health = recorder_.health();
    const StatusLine line = StatusTexts::recorderStatusLine(health, clock_.now().date());
    // A file switch while recording is news of its own, as a failure is; so
    // are another cause of the failure and the lock taken or missing.
    const auto since = health.failingSince() ? health.failingSince() : health.fileSwitchedAt();
    const int kind = static_cast<int>(health.problem().cause) * 2 + (health.unlocked() ? 1 : 0);
    if (!recorderEpisode_.changed(static_cast<int>(health.state()), since, kind)) {
        recording_.setDetail(line.detail);
        return;
    }
    recording_.display(line);
}
