#include "archive/PeriodSamples.h"

#include <algorithm>
#include <utility>

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QVariant>

#include "archive/MonthCursor.h"
#include "archive/ReadOnlyConnection.h"
#include "archive/RingCursor.h"
#include "core/DateValue.h"

namespace {

// One sample a second: a ring record closer than this to an archived
// sample is the same moment, recorded twice.
constexpr int64_t kSameMomentMs = 1000;

// Runs the query on a read-only connection of its own and hands each row to
// the reader until it says it has enough.
template <typename Reader>
void eachRow(const QString& path, const QString& role, const QString& text, Reader reader)
{
    QString name;
    {
        QSqlDatabase db = ReadOnlyConnection::open(path, role, &name);
        QSqlQuery query(db);
        query.setForwardOnly(true);
        if (db.isOpen() && query.exec(text))
            while (query.next() && reader(query)) {
            }
    }
    ReadOnlyConnection::close(name);
}

std::optional<int64_t> oldestInRing(const QString& path)
{
    std::optional<int64_t> oldest;
    if (!QFileInfo(path).isFile())
        return oldest;
    eachRow(path, QStringLiteral("oldest-ring"),
            QStringLiteral("select w_date, w_time from pv_data order by w_date, w_time"), [&](const QSqlQuery& q) {
                const QDateTime local(DateValue::toDate(q.value(0).toDouble()),
                                      DateValue::toTime(q.value(1).toDouble()));
                if (local.isValid())  // not a time the clock skipped, as the period's reading passes it over
                    oldest = local.toMSecsSinceEpoch();
                return !oldest;
            });
    return oldest;
}

// The oldest month file that can be read and holds a sample.
std::optional<int64_t> oldestInArchive(const QString& folder)
{
    std::optional<int64_t> oldest;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("[0-9][0-9][0-9][0-9]-[0-9][0-9].sqlite")}, QDir::Files, QDir::Name)) {
        eachRow(dir.filePath(name), QStringLiteral("oldest-month"),
                QStringLiteral("select min(time_utc_ms) from samples"), [&](const QSqlQuery& q) {
                    if (!q.value(0).isNull())
                        oldest = q.value(0).toLongLong();
                    return false;
                });
        if (oldest)
            break;
    }
    return oldest;
}

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

std::optional<QDateTime> PeriodSamples::oldestHeld() const
{
    const std::optional<int64_t> ring = oldestInRing(ringPath_);
    const std::optional<int64_t> archive =
        archiveFolder_.isEmpty() ? std::nullopt : oldestInArchive(archiveFolder_);
    if (!ring && !archive)
        return std::nullopt;
    const int64_t oldest = ring && archive ? std::min(*ring, *archive) : ring ? *ring : *archive;
    return QDateTime::fromMSecsSinceEpoch(oldest, Qt::UTC);
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
