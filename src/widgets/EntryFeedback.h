#pragma once

#include <QList>
#include <QObject>

#include "core/EntryCheck.h"
#include "link/WriteRequest.h"
#include "widgets/SubjectMessages.h"

class QLineEdit;
class QStatusBar;
class QWidget;

// How the main window answers an operator's entry without ever stopping
// him with a dialog: a refused entry is marked in red until it is edited
// or accepted, holds the focus with its text selected, and the status bar
// says why; a write the instrument never took is named in the status bar.
// What the status bar says about a command gives way once the command
// succeeds: to a short word that the value is written, or to nothing.
class EntryFeedback : public QObject {
    Q_OBJECT

public:
    static constexpr int kRefusalMs = 8000;
    // Longer: the operator may have turned away while the line retried.
    static constexpr int kFailureMs = 30000;
    static constexpr int kSuccessMs = 4000;

    explicit EntryFeedback(QStatusBar& statusBar, QObject* parent = nullptr);

    void showRefusal(const QList<QLineEdit*>& fields, const QString& command, const EntryCheck::Refusal& refusal);
    void clearMarks(const QList<QLineEdit*>& fields);
    // A command that wrote nothing although the entry is fine (unchanged,
    // the link closed): said like a refusal, without marking the fields.
    void showNotWritten(const QList<QLineEdit*>& fields, const QString& command, const QString& text);
    void showWriteFailure(const WriteOutcome& outcome);
    // Replaces a refusal or failure of the same command still shown.
    void showWriteSuccess(const WriteOutcome& outcome);
    // A command that writes nothing (the chart's Y range) took effect: what
    // is still shown about it goes.
    void showApplied(const QString& command);

    static bool isMarked(const QLineEdit* field);
    // The red mark of a refused entry, for any kind of entry control, so
    // that every window shows a refusal the same way.
    static QString refusedStyle(const QWidget& field);

private:
    void mark(QLineEdit* field);

    SubjectMessages messages_;
};
