#include "configwindow/WriteTracker.h"

void WriteTracker::queued(quint64 id, int number)
{
    inFlight_[id] = number;
    ++rows_[number].pending;
}

std::optional<int> WriteTracker::finished(quint64 id, bool ok, const QString& error)
{
    const auto it = inFlight_.find(id);
    if (it == inFlight_.end())
        return std::nullopt;
    const int number = it->second;
    inFlight_.erase(it);

    Row& row = rows_[number];
    --row.pending;
    // The link runs writes in the order they were queued, so the last
    // outcome to arrive is the instrument's latest answer.
    row.failed = !ok;
    row.written = ok;
    row.error = ok ? QString() : error;
    return number;
}

WriteTracker::State WriteTracker::state(int number) const
{
    const auto it = rows_.find(number);
    if (it == rows_.end())
        return State::None;
    const Row& row = it->second;
    if (row.failed)
        return State::Failed;
    if (row.pending > 0)
        return State::Pending;
    return row.written ? State::Written : State::None;
}

QString WriteTracker::error(int number) const
{
    const auto it = rows_.find(number);
    return it == rows_.end() ? QString() : it->second.error;
}
