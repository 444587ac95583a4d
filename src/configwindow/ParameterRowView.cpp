#include "configwindow/ParameterRowView.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "configwindow/ReadBackText.h"
#include "widgets/EntryFeedback.h"
#include "widgets/InstrumentEntry.h"
#include "widgets/PanelField.h"
#include "widgets/PanelStates.h"

namespace {

// The tint of a value box the operator has typed into (InstrumentEntry's),
// so that a pick not yet written looks the same.
const QColor kEditedBase(255, 250, 205);

} // namespace

ParameterRowView::ParameterRowView(const ParameterCatalogue::Parameter& parameter, QGridLayout& grid, int line,
                                   QWidget* page)
    : QObject(page)
    , parameter_(parameter)
{
    caption_ = new QLabel(ParameterCatalogue::shown(parameter.caption), page);

    current_ = new PanelField(PanelColours::kCyan, page);

    if (parameter.isChoice()) {
        choiceEdit_ = new QComboBox(page);
        choiceEdit_->setEditable(true);
        // Typed text is a code to send, never a new item of the list, and
        // is not to be completed into an item the operator did not choose.
        choiceEdit_->setInsertPolicy(QComboBox::NoInsert);
        choiceEdit_->setCompleter(nullptr);
        choiceEdit_->setMaxVisibleItems(24);
        // No focus, and below no change, from the mouse wheel: a wheel
        // turned over the page must not pick a sensor type.
        choiceEdit_->setFocusPolicy(Qt::StrongFocus);
        choiceEdit_->installEventFilter(this);
        connect(choiceEdit_, &QComboBox::activated, this, [this] {
            // Confirming a typed item's full text makes the list activate
            // that item as well: the typed entry, already taken, not a pick.
            if (confirming_)
                return;
            onChange();
            emit operatorPicked();
        });
        connect(choiceEdit_->lineEdit(), &QLineEdit::textEdited, this, &ParameterRowView::onChange);
        connect(choiceEdit_->lineEdit(), &QLineEdit::returnPressed, this, [this] {
            confirming_ = true;
            emit entered();
        });
    } else {
        valueEdit_ = new InstrumentEntry(page);
        valueEdit_->installEventFilter(this);
        connect(valueEdit_, &QLineEdit::textEdited, this, &ParameterRowView::onChange);
        connect(valueEdit_, &QLineEdit::returnPressed, this, &ParameterRowView::entered);
    }
    caption_->setBuddy(entry());

    mark_ = new QLabel(page);

    help_ = new QLabel(ParameterCatalogue::shown(parameter.help), page);
    help_->setWordWrap(true);
    help_->setStyleSheet(QStringLiteral("color: #5a6570;"));

    grid.addWidget(caption_, line, CaptionColumn);
    grid.addWidget(current_, line, ValueColumn);
    grid.addWidget(entry(), line, EntryColumn);
    grid.addWidget(mark_, line, MarkColumn);
    grid.addWidget(help_, line, HelpColumn);
}

QWidget* ParameterRowView::entry() const
{
    if (choiceEdit_)
        return choiceEdit_;
    return valueEdit_;
}

const EntryFollowing& ParameterRowView::following() const
{
    return valueEdit_ ? valueEdit_->following() : choiceFollowing_;
}

void ParameterRowView::fillList()
{
    if (!choiceEdit_)
        return;
    choiceEdit_->clear();
    for (const std::string_view item : parameter_.choices)
        choiceEdit_->addItem(ParameterCatalogue::shown(item));
    // Item 0 shown before the first read would look read from the instrument.
    showChoice(QString());
}

QString ParameterRowView::entryText() const
{
    return choiceEdit_ ? choiceEdit_->currentText() : valueEdit_->text();
}

void ParameterRowView::follow(std::optional<int16_t> raw, const QDateTime& readSince)
{
    if (raw) {
        if (const std::optional<QString> text = readBackText(parameter_, *raw))
            current_->setCaption(*text);
    }
    const std::optional<QString> text = raw ? ::entryText(parameter_, *raw) : std::nullopt;
    if (valueEdit_) {
        valueEdit_->showInstrumentValue(text, readSince);
        return;
    }
    if (const std::optional<QString> shown = choiceFollowing_.follow(text, readSince)) {
        showChoice(*shown);
        tintChoice(false);
    }
}

void ParameterRowView::showWritten(int16_t raw, const QDateTime& writtenAt)
{
    // What the operator typed or picked since stays his.
    if (edited_)
        return;
    const std::optional<QString> text = ::entryText(parameter_, raw);
    if (valueEdit_) {
        if (text && *text != valueEdit_->text())
            valueEdit_->setText(*text);
        valueEdit_->markWritten(writtenAt);
        return;
    }
    if (text)
        showChoice(*text);
    choiceFollowing_.written(writtenAt);
}

void ParameterRowView::discardEdit()
{
    edited_ = false;
    clearRefused();
    if (valueEdit_) {
        valueEdit_->discardEdit();
        return;
    }
    choiceFollowing_.discard();
    showChoice(choiceFollowing_.everRead() ? choiceFollowing_.followedText() : QString());
    tintChoice(false);
}

void ParameterRowView::showChoice(const QString& text)
{
    const int index = choiceEdit_->findText(text);
    if (choiceEdit_->currentIndex() != index)
        choiceEdit_->setCurrentIndex(index);
    if (choiceEdit_->currentText() != text)
        choiceEdit_->setEditText(text);
}

void ParameterRowView::tintChoice(bool edited)
{
    QLineEdit* line = choiceEdit_->lineEdit();
    QPalette shades = line->palette();
    shades.setColor(QPalette::Base, edited ? kEditedBase : QPalette().color(QPalette::Base));
    line->setPalette(shades);
}

bool ParameterRowView::takeEdit()
{
    const bool was = edited_;
    edited_ = false;
    return was;
}

void ParameterRowView::onChange()
{
    edited_ = true;
    if (choiceEdit_) {
        choiceFollowing_.edit();
        tintChoice(true);
    }
    clearRefused();
}

void ParameterRowView::markRefused(const QString& why)
{
    refusal_ = why;
    QWidget* field = entry();
    field->setStyleSheet(EntryFeedback::refusedStyle(*field));
    field->setToolTip(why);
}

void ParameterRowView::clearRefused()
{
    if (refusal_.isEmpty())
        return;
    refusal_.clear();
    entry()->setStyleSheet(QString());
    entry()->setToolTip(QString());
}

void ParameterRowView::showWriteState(WriteTracker::State state, const QString& error)
{
    switch (state) {
    case WriteTracker::State::None:
        mark_->clear();
        break;
    case WriteTracker::State::Pending:
        mark_->setText(tr("写入中…"));
        mark_->setStyleSheet(QStringLiteral("color: #707070;"));
        break;
    case WriteTracker::State::Written:
        mark_->setText(tr("已写入"));
        mark_->setStyleSheet(QStringLiteral("color: #1b7a1b;"));
        break;
    case WriteTracker::State::Failed:
        mark_->setText(tr("写入失败"));
        mark_->setStyleSheet(QStringLiteral("color: #ffffff; background: #c62828; padding: 1px 4px;"));
        break;
    }
    mark_->setToolTip(state == WriteTracker::State::Failed ? error : QString());
}

// A list holding the operator's pick takes Esc for itself, as a value box
// does: it takes the pick back, and the window's Esc ("返回") waits for
// the next one.
bool ParameterRowView::escapeTakesBack(QEvent* event)
{
    if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape || !choiceFollowing_.edited())
        return false;
    if (event->type() == QEvent::KeyPress)
        discardEdit();
    event->accept();
    return true;
}

bool ParameterRowView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel && watched == choiceEdit_)
        return true;
    if (watched == choiceEdit_ && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)
        && escapeTakesBack(event))
        return true;
    // Every pick from the list starts with a key or a click on it.
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress
        || event->type() == QEvent::FocusIn)
        confirming_ = false;
    if (event->type() == QEvent::FocusOut) {
        // An opening list or context menu and a switch to another program
        // leave the operator in this control; anything else is leaving it.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            confirming_ = true;
            emit focusLeft();
        }
    }
    return QObject::eventFilter(watched, event);
}
