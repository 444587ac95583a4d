#include "widgets/JournalStatus.h"

#include "core/Clock.h"
#include "journal/JournalStore.h"
#include "widgets/StatusIndicator.h"

JournalStatus::JournalStatus(JournalStore& journal, const Clock& clock, StatusIndicator& indicator, QObject* parent)
    : QObject(parent)
    , journal_(journal)
    , clock_(clock)
    , indicator_(indicator)
{
    connect(&journal_, &JournalStore::healthChanged, this, &JournalStatus::showCurrent);
}

void JournalStatus::showCurrent()
{
    indicator_.display(StatusTexts::journalStatusLine(journal_, clock_.now().date()));
    indicator_.setVisible(!journal_.writing());
}
