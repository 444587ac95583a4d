#pragma once

#include <cstdint>
#include <optional>

#include <QDateTime>
#include <QObject>
#include <QString>

#include "core/EntryFollowing.h"
#include "instrument/ParameterCatalogue.h"
#include "configwindow/WriteTracker.h"

class InstrumentEntry;
class PanelField;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

// The widgets of one parameter's row, left to right: caption, the
// instrument's current value, the entry (an editable choice list or a value
// box), how the last write went, and the help text. The entry shows what
// the instrument holds once it has been read (blank before) and keeps the
// operator's pick or text from his first key until it has been written and
// read back, or he takes it back with Esc; a pick or edit not yet written
// is tinted. The row turns what the operator does with the entry into
// signals and remembers whether the entry was picked or edited since it was
// last written: a row that was only passed through must never write.
class ParameterRowView : public QObject {
    Q_OBJECT

public:
    // Column positions in the page's grid.
    enum Column { CaptionColumn, ValueColumn, EntryColumn, MarkColumn, HelpColumn };

    ParameterRowView(const ParameterCatalogue::Parameter& parameter, QGridLayout& grid, int line, QWidget* page);

    const ParameterCatalogue::Parameter& parameter() const { return parameter_; }
    int number() const { return parameter_.number; }

    QLabel* captionLabel() const { return caption_; }
    PanelField* currentValueField() const { return current_; }
    QComboBox* choiceEdit() const { return choiceEdit_; }      // nullptr for a number
    InstrumentEntry* valueEdit() const { return valueEdit_; }  // nullptr for a choice
    QWidget* entry() const;
    QLabel* writeMark() const { return mark_; }
    QLabel* helpLabel() const { return help_; }

    // A choice as every opening shows it: the items in code order, none
    // shown until the instrument has been read. Not an operator edit.
    void fillList();
    QString entryText() const;

    // The poll's register value of the parameter, from reads that began
    // after `readSince`; nullopt before the first read. The current value
    // always follows it, the entry unless it holds the operator's own.
    void follow(std::optional<int16_t> raw, const QDateTime& readSince);
    // A write of the parameter's register succeeded, whoever asked: the
    // entry shows the value written until a read after `writtenAt` shows
    // what the instrument holds, unless the operator has edited it since.
    void showWritten(int16_t raw, const QDateTime& writtenAt);
    // Back to the instrument's value: the operator's Esc, or an entry that
    // changed nothing.
    void discardEdit();
    // The entry shows the operator's pick or text rather than the instrument's.
    bool holdsEdit() const { return following().edited(); }

    bool edited() const { return edited_; }
    // True once after each pick or edit: the caller writes or refuses now.
    bool takeEdit();

    // A refused entry: the field is marked and says why until the operator
    // changes it.
    void markRefused(const QString& why);
    bool refused() const { return !refusal_.isEmpty(); }
    // Why the entry was refused, while it is marked.
    const QString& refusal() const { return refusal_; }
    void showWriteState(WriteTracker::State state, const QString& error);

signals:
    void operatorPicked();  // an item chosen from the list, by mouse or keys
    void focusLeft();       // focus went to another control of the window
    void entered();         // Return or Enter in the entry

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const EntryFollowing& following() const;
    void onChange();
    void clearRefused();
    void showChoice(const QString& text);
    void tintChoice(bool edited);
    bool escapeTakesBack(QEvent* event);

    const ParameterCatalogue::Parameter& parameter_;
    QLabel* caption_ = nullptr;
    PanelField* current_ = nullptr;
    QComboBox* choiceEdit_ = nullptr;
    InstrumentEntry* valueEdit_ = nullptr;
    EntryFollowing choiceFollowing_;  // the list's; a value box has its own
    QLabel* mark_ = nullptr;
    QLabel* help_ = nullptr;
    bool edited_ = false;
    QString refusal_;
    // From Return or leaving the list until the operator's next key or
    // click in it.
    bool confirming_ = false;
};
