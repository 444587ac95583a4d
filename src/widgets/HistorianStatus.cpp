#include "widgets/HistorianStatus.h"

#include "core/Clock.h"
#include "historian/ConnectionText.h"
#include "historian/HistorianForwarder.h"
#include "widgets/StatusIndicator.h"
#include "widgets/StatusTexts.h"

HistorianStatus::HistorianStatus(HistorianForwarder& forwarder, const Clock& clock, StatusIndicator& indicator,
                                 QObject* parent)
    : QObject(parent)
    , forwarder_(forwarder)
    , clock_(clock)
    , indicator_(indicator)
{
    connect(&forwarder_, &HistorianForwarder::healthChanged, this, &HistorianStatus::showCurrent);
}

void HistorianStatus::showCurrent()
{
    const HistorianHealth& health = forwarder_.health();
    indicator_.display(StatusTexts::historianStatusLine(
        health, ConnectionText::withoutPassword(forwarder_.settings().connection), clock_.now().date()));
    indicator_.setVisible(health.state() == HistorianHealth::State::Failing);
}
