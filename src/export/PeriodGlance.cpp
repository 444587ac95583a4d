#include "export/PeriodGlance.h"

#include <QCoreApplication>

#include "archive/PeriodSamples.h"

PeriodGlance glanceAtPeriod(const PeriodSamples& samples, const QDateTime& from, const QDateTime& to)
{
    PeriodGlance glance;
    const PeriodSamples::Outcome outcome = samples.read(from, to, [&](const PeriodSample& sample) {
        glance.empty = false;
        glance.address = sample.address;
        return !sample.address;
    });
    glance.readable = outcome.ringRead && outcome.error.isEmpty();
    glance.error = outcome.error;
    return glance;
}

QString instrumentName(const std::optional<int>& address)
{
    return address ? QCoreApplication::translate("PeriodGlance", "仪表 %1").arg(*address) : QCoreApplication::translate("PeriodGlance", "仪表");
}
