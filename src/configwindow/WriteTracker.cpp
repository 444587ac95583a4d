#include "configwindow/WriteTracker.h"

void WriteTracker::queued(int number)
{
    ++rows_[number].pending;
}

bool WriteTracker::finished(int number, bool ok, const QString& error)
{
    const auto it = rows_.find(number);
    if (it == rows_.end() || it->second.pending == 0)
        return false;
    Row& row = it->second;
    --row.pending;
    // The link runs writes in the order they were queued, so the last
    // outcome to arrive is the instrument's latest answer.
    row.failed = !ok;
    row.written = ok;
    row.error = ok ? QString() : error;
    return true;
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
