#include "export/ArchiveSampleSource.h"

#include <QCoreApplication>
#include <QDateTime>

namespace {
// Often enough for a smooth bar and a prompt cancel, rarely enough to cost nothing.
constexpr int64_t kProgressEvery = 4096;
} // namespace

ArchiveSampleSource::ArchiveSampleSource(const PeriodSamples& samples, Progress progress)
    : samples_(samples), progress_(std::move(progress))
{
}

bool ArchiveSampleSource::read(int64_t fromUtcMs, int64_t toUtcMs, const Visit& visit, QString& error)
{
    int64_t sinceProgress = 0;
    const PeriodSamples::Outcome outcome = samples_.read(
        QDateTime::fromMSecsSinceEpoch(fromUtcMs, Qt::UTC), QDateTime::fromMSecsSinceEpoch(toUtcMs, Qt::UTC),
        [&](const PeriodSample& sample) {
            // Asked at the first sample already, so a cancel never waits long.
            if (progress_ && sinceProgress++ % kProgressEvery == 0 && !progress_(sample.utcMs))
                return false;
            visit(sample);
            return true;
        });
    cancelled_ = outcome.cancelled;
    samplesRead_ = outcome.samples;
    skipped_ = outcome.skipped;
    if (outcome.cancelled) {
        error = QCoreApplication::translate("ArchiveSampleSource", "已取消");
        return false;
    }
    // A ring that failed half-way leaves a period with a hole: not a report.
    if (!outcome.ringRead || !outcome.error.isEmpty()) {
        error = outcome.error;
        return false;
    }
    return true;
}
