#include "archive/PeriodSamples.h"

#include <utility>

#include "archive/MonthCursor.h"
#include "archive/RingCursor.h"

namespace {

// One sample a second: a ring record closer than this to an archived
// sample is the same moment, recorded twice.
constexpr int64_t kSameMomentMs = 1000;

} // namespace

PeriodSamples::PeriodSamples(QString ringPath, QString archiveFolder)
    : ringPath_(std::move(ringPath)), archiveFolder_(std::move(archiveFolder))
{
}

std::optional<QString> PeriodSamples::refusal(const QDateTime& from, const QDateTime& to, const QDateTime& now)
{
    if (!from.isValid() || !to.isValid())
        return QStringLiteral("the period needs a valid start and end");
    if (from >= to)
        return QStringLiteral("the period's start is not before its end");
    if (from > now)
        return QStringLiteral("the period starts in the future");
    return std::nullopt;
}

PeriodSamples::Outcome PeriodSamples::read(const QDateTime& from, const QDateTime& to, const Sink& sink) const
{
    Outcome outcome;
    const int64_t fromMs = from.toMSecsSinceEpoch();
    const int64_t toMs = to.toMSecsSinceEpoch();
    RingCursor ring(ringPath_, fromMs, toMs);
    if (ring.failed()) {
        outcome.error = ring.error();
        return outcome;
    }
    outcome.ringRead = true;
    std::optional<MonthCursor> archive;
    if (!archiveFolder_.isEmpty())
        archive.emplace(archiveFolder_, fromMs, toMs);
    static const std::optional<PeriodSample> kNone;

    // Two streams in time order, merged; the archive wins where both hold a
    // moment, the ring fills the stretches the archive does not cover.
    std::optional<int64_t> lastArchived;
    for (;;) {
        const std::optional<PeriodSample>& a = archive ? archive->current() : kNone;
        const std::optional<PeriodSample>& r = ring.current();
        if (!a && !r)
            break;
        const bool fromRing = r && (!a || r->utcMs < a->utcMs);
        const PeriodSample* next = nullptr;
        if (fromRing) {
            const bool covered = (lastArchived && r->utcMs - *lastArchived < kSameMomentMs)
                || (a && a->utcMs - r->utcMs < kSameMomentMs);
            if (!covered)
                next = &*r;
        } else {
            next = &*a;
            lastArchived = a->utcMs;
        }
        if (next) {
            if (!sink(*next)) {
                outcome.cancelled = true;
                break;
            }
            ++outcome.samples;
        }
        if (fromRing)
            ring.advance();
        else
            archive->advance();
    }
    if (archive)
        for (const MonthCursor::Skipped& s : archive->skipped())
            outcome.skipped.push_back({s.name, s.reason});
    if (ring.failed())
        outcome.error = ring.error();
    return outcome;
}
