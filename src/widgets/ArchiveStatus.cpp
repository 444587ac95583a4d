#include "widgets/ArchiveStatus.h"

#include "archive/ArchiveStore.h"
#include "core/Clock.h"
#include "widgets/StatusIndicator.h"
#include "widgets/StatusTexts.h"

ArchiveStatus::ArchiveStatus(ArchiveStore& archive, const Clock& clock, StatusIndicator& indicator, QObject* parent)
    : QObject(parent)
    , archive_(archive)
    , clock_(clock)
    , indicator_(indicator)
{
    connect(&archive_, &ArchiveStore::healthChanged, this, &ArchiveStatus::showCurrent);
}

void ArchiveStatus::showCurrent()
{
    const ArchiveHealth& health = archive_.health();
    indicator_.display(StatusTexts::archiveStatusLine(health, archive_.folder(), clock_.now().date()));
    indicator_.setVisible(health.state() == ArchiveHealth::State::Failing);
}
