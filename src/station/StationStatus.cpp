#include "StationStatus.h"

#include "Clock.h"
#include "Met1.h"
#include "StatusIndicator.h"
#include "mscom.h"

StationStatus::StationStatus(Met1& poll, mscom& recorder, const Clock& clock, StatusIndicator& link,
                             StatusIndicator& recording, QObject* parent)
    : QObject(parent)
    , poll_(poll)
    , recorder_(recorder)
    , clock_(clock)
    , link_(link)
    , recording_(recording)
{
    connect(&poll_, &Met1::linkHealthChanged, this, &StationStatus::onLinkHealth);
    connect(&recorder_, &mscom::healthChanged, this, &StationStatus::onRecorderHealth);
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
    if (!recorderEpisode_.changed(static_cast<int>(health.state()), health.failingSince())) {
        recording_.setDetail(line.detail);
        return;
    }
    recording_.display(line);
}
