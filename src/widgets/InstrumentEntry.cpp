#include "widgets/InstrumentEntry.h"

#include <QKeyEvent>

namespace {

// Pale yellow: typed, not yet written. A refused entry's red style sheet
// still wins over it.
const QColor kEditedBase(255, 250, 205);

} // namespace

InstrumentEntry::InstrumentEntry(QWidget* parent)
    : QLineEdit(parent)
{
    // textEdited comes only from the operator, never from setText().
    connect(this, &QLineEdit::textEdited, this, [this] {
        following_.edit();
        showEdited(true);
    });
}

void InstrumentEntry::showInstrumentValue(const std::optional<QString>& text, const QDateTime& readAt)
{
    const std::optional<QString> shown = following_.follow(text, readAt);
    if (shown && *shown != QLineEdit::text())
        setText(*shown);
    if (shown)
        showEdited(false);
}

void InstrumentEntry::markWritten(const QDateTime& writtenAt)
{
    following_.written(writtenAt);
}

void InstrumentEntry::discardEdit()
{
    following_.discard();
    showEdited(false);
    if (following_.everRead())
        setText(following_.followedText());
    else
        clear();
    emit editDiscarded();
}

bool InstrumentEntry::event(QEvent* event)
{
    // A window-wide Esc (the exit question) would take the key first: while
    // the entry holds an edit, Esc is the entry's.
    if (event->type() == QEvent::ShortcutOverride && following_.edited()
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

void InstrumentEntry::keyPressEvent(QKeyEvent* event)
{
    // Esc takes back an edit; without one it is the window's key.
    if (event->key() == Qt::Key_Escape && following_.edited()) {
        discardEdit();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void InstrumentEntry::showEdited(bool edited)
{
    QPalette shades = palette();
    shades.setColor(QPalette::Base, edited ? kEditedBase : QPalette().color(QPalette::Base));
    setPalette(shades);
}
