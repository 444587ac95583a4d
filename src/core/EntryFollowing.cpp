#include "core/EntryFollowing.h"

std::optional<QString> EntryFollowing::follow(const std::optional<QString>& instrumentText, const QDateTime& readAt)
{
    if (instrumentText) {
        followed_ = *instrumentText;
        followedAt_ = readAt;
        read_ = true;
    }
    if (edited_)
        return std::nullopt;
    // A read from before the write still shows the old value: showing it
    // would look as if the write had been lost.
    if (writtenAt_.isValid()) {
        if (!read_ || !followedAt_.isValid() || followedAt_ <= writtenAt_)
            return std::nullopt;
        writtenAt_ = QDateTime();
    }
    return read_ ? followed_ : QString();
}

void EntryFollowing::discard()
{
    edited_ = false;
    writtenAt_ = QDateTime();
}

void EntryFollowing::written(const QDateTime& writtenAt)
{
    edited_ = false;
    writtenAt_ = writtenAt;
}

bool EntryFollowing::changed(const QString& entryText) const
{
    return edited_ && !(read_ && entryText.trimmed() == followed_.trimmed());
}
