#pragma once

#include <QObject>
#include <QString>

#include "instrument/ParameterCatalogue.h"
#include "configwindow/WriteTracker.h"

class PanelField;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

// The widgets of one parameter's row, left to right: caption, the
// instrument's current value, the entry (an editable choice list or a value
// box), how the last write went, and the help text. It turns what the
// operator does with the entry into signals and remembers whether the entry
// was picked or edited since it was last written: a row that was only
// passed through must never write.
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
    QComboBox* choiceEdit() const { return choiceEdit_; }  // nullptr for a number
    QLineEdit* valueEdit() const { return valueEdit_; }    // nullptr for a choice
    QWidget* entry() const;
    QLabel* writeMark() const { return mark_; }
    QLabel* helpLabel() const { return help_; }

    // A choice as every opening shows it: the items in code order, the
    // code-0 item shown. Not an operator edit.
    void fillList();
    QString entryText() const;

    bool edited() const { return edited_; }
    // True once after each pick or edit: the caller writes or refuses now.
    bool takeEdit();

    // A refused entry: the field is marked and says why until the operator
    // changes it.
    void markRefused(const QString& why);
    bool refused() const { return refused_; }
    void showWriteState(WriteTracker::State state, const QString& error);
    void showCurrent(const QString& text);

signals:
    void operatorPicked();  // an item chosen from the list, by mouse or keys
    void focusLeft();       // focus went to another control of the window
    void entered();         // Return or Enter in the entry

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onChange();
    void clearRefused();

    const ParameterCatalogue::Parameter& parameter_;
    QLabel* caption_ = nullptr;
    PanelField* current_ = nullptr;
    QComboBox* choiceEdit_ = nullptr;
    QLineEdit* valueEdit_ = nullptr;
    QLabel* mark_ = nullptr;
    QLabel* help_ = nullptr;
    bool edited_ = false;
    bool refused_ = false;
    // From Return or leaving the list until the operator's next key or
    // click in it.
    bool confirming_ = false;
};
