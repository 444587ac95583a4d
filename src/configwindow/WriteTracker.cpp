#include "configwindow/WriteTracker.h"

#include "link/WriteRequest.h"

void WriteTracker::queued(int number)
{
    ++rows_[number].pending;
}

bool WriteTracker::finished(int number, const WriteOutcome& outcome, bool asked, const QDateTime& at)
{
    Row& row = rows_[number];
    if (asked) {
        if (row.pending == 0)
            return false;
        --row.pending;
    }
    // The link runs writes in the order they were queued, whoever queued
    // them, so the last outcome to arrive is the instrument's latest answer.
    row.failed = !outcome.ok;
    row.error = outcome.ok ? QString() : outcome.error;
    if (outcome.ok) {
        row.written = outcome.request.value;
        row.writtenAt = at;
        row.readSince = false;
    }
    return true;
}

void WriteTracker::read(int number, int32_t value, const QDateTime& readSince)
{
    const auto it = rows_.find(number);
    if (it == rows_.end() || !it->second.written)
        return;
    Row& row = it->second;
    // A read that may have begun before the write shows the old value.
    if (!readSince.isValid() || readSince <= row.writtenAt)
        return;
    row.readSince = true;
    if (value != *row.written)
        row.written.reset();
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

bool WriteTracker::settled(int number) const
{
    const auto it = rows_.find(number);
    if (it == rows_.end())
        return true;
    const Row& row = it->second;
    return row.pending == 0 && !(row.written && !row.readSince);
}
