#include "station/StationCore.h"

// Values stay fresh, for the recorder and the panel, for two poll cycles.
static_assert(InstrumentState::kFreshForMs == 2 * Poller::kPollIntervalMs);

StationCore::StationCore(std::unique_ptr<Fieldbus> fieldbus, const Clock& clock,
                         const std::optional<QString>& historyPath)
    : clock_(clock)
    , link_(std::move(fieldbus))
    , poller_(state_, link_, clock_)
    , connection_(link_, poller_)
{
    if (historyPath)
        recorder_ = std::make_unique<SampleRecorder>(state_, clock_, *historyPath);
}

QString StationCore::databasePath() const
{
    return recorder_ ? recorder_->databasePath() : QString();
}
