#pragma once

#include <optional>

#include <QDateTime>
#include <QString>

// What an entry that writes to the instrument shows: the instrument's
// current value once it has been read (blank before, never a made-up 0),
// and the operator's own text from his first key until the value he typed
// has been written and read back. A value the operator has not changed is
// no command: writing it is refused, so a stray click cannot send what the
// box happened to hold.
class EntryFollowing {
public:
    // The instrument's value as the entry shows it, and when it was read;
    // nullopt before the first read. Returns the text the entry is to show
    // now, or nullopt to leave it as it is (the operator's own text).
    std::optional<QString> follow(const std::optional<QString>& instrumentText, const QDateTime& readAt);

    // The operator typed or picked something.
    void edit() { edited_ = true; }
    // The operator took his edit back: the entry follows the instrument again.
    void discard();
    // The operator's text has been written at `writtenAt`: it stays until a
    // read taken after that moment shows what the instrument holds now.
    void written(const QDateTime& writtenAt);

    bool edited() const { return edited_; }
    // Whether writing `entryText` would be the operator's command: he edited
    // the entry and it differs from the value the instrument last showed.
    bool changed(const QString& entryText) const;
    // The instrument's text as last followed; empty before the first read.
    const QString& followedText() const { return followed_; }
    bool everRead() const { return read_; }

private:
    QString followed_;
    QDateTime followedAt_;
    QDateTime writtenAt_;  // valid while a written value waits for its read-back
    bool read_ = false;
    bool edited_ = false;
};
