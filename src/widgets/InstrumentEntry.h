#pragma once

#include <optional>

#include <QDateTime>
#include <QLineEdit>

#include "core/EntryFollowing.h"

// A line entry that writes one instrument value: it shows the value the
// instrument holds (blank before the first read), keeps the operator's
// text from his first key on, tinted, until that text has been written and
// read back, and can say whether it holds a command at all (isChanged()).
// The window's live refresh calls showInstrumentValue() as it refreshes
// the display beside it.
class InstrumentEntry : public QLineEdit {
    Q_OBJECT

public:
    explicit InstrumentEntry(QWidget* parent = nullptr);

    // nullopt before the instrument has been read; `readAt` is when the
    // value was read, so a write is shown as done only once read back.
    void showInstrumentValue(const std::optional<QString>& text, const QDateTime& readAt);
    // The operator's text differs from what the instrument showed and he
    // typed it: a write of it is a command.
    bool isChanged() const { return following_.changed(text()); }
    bool isEdited() const { return following_.edited(); }
    // The text has been written: it stays until a read after `writtenAt`.
    void markWritten(const QDateTime& writtenAt);
    // Back to the instrument's value (the operator's Esc).
    void discardEdit();

    const EntryFollowing& following() const { return following_; }

signals:
    // The operator took his edit back: the entry shows the instrument's
    // value again, so a mark on what he had typed no longer applies.
    void editDiscarded();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showEdited(bool edited);

    EntryFollowing following_;
};
