#include "widgets/EntryFeedback.h"

#include <QLineEdit>

#include "widgets/InstrumentEntry.h"
#include "widgets/StatusTexts.h"
#include "widgets/WindowLog.h"

namespace {

const char* const kMarkedProperty = "entryRefused";
const char* const kWatchedProperty = "entryRefusalWatched";

} // namespace

EntryFeedback::EntryFeedback(QStatusBar& statusBar, QObject* parent)
    : QObject(parent)
    , messages_(statusBar)
{
}

void EntryFeedback::showRefusal(const QList<QLineEdit*>& fields, const QString& command,
                                const EntryCheck::Refusal& refusal)
{
    for (QLineEdit* field : fields)
        mark(field);
    // Ready for the correction: typing replaces what was refused.
    if (!fields.isEmpty() && fields.first()) {
        fields.first()->setFocus();
        fields.first()->selectAll();
    }
    const ShownText text = StatusTexts::refusedEntry(command, refusal);
    qCWarning(windowLog).noquote() << text.english();
    messages_.show(command, text.shown(), QString(), kRefusalMs);
}

void EntryFeedback::clearMarks(const QList<QLineEdit*>& fields)
{
    for (QLineEdit* field : fields) {
        if (!isMarked(field))
            continue;
        field->setProperty(kMarkedProperty, false);
        field->setStyleSheet(QString());
    }
}

void EntryFeedback::showNotWritten(const QList<QLineEdit*>& fields, const QString& command, const QString& text)
{
    // What the entry holds is no error: a mark left from an earlier refusal goes.
    clearMarks(fields);
    messages_.show(command, text, QString(), kRefusalMs);
}

void EntryFeedback::showWriteFailure(const WriteOutcome& outcome)
{
    const ShownText text = StatusTexts::writeFailed(outcome);
    qCWarning(windowLog).noquote() << QStringLiteral("%1 [%2]").arg(text.english(), outcome.error);
    messages_.show(outcome.request.what, text.shown(), outcome.error, kFailureMs);
}

void EntryFeedback::showWriteSuccess(const WriteOutcome& outcome)
{
    messages_.answer(outcome.request.what, StatusTexts::writtenText(outcome.request), kSuccessMs);
}

void EntryFeedback::showApplied(const QString& command)
{
    messages_.answer(command);
}

QString EntryFeedback::refusedStyle(const QWidget& field)
{
    return QStringLiteral("%1 { background: rgb(255, 208, 208); border: 2px solid rgb(208, 0, 0); }")
        .arg(QLatin1String(field.metaObject()->className()));
}

bool EntryFeedback::isMarked(const QLineEdit* field)
{
    return field && field->property(kMarkedProperty).toBool();
}

void EntryFeedback::mark(QLineEdit* field)
{
    if (!field)
        return;
    field->setProperty(kMarkedProperty, true);
    field->setStyleSheet(refusedStyle(*field));
    // The mark goes as soon as the operator starts to correct the entry.
    if (!field->property(kWatchedProperty).toBool()) {
        field->setProperty(kWatchedProperty, true);
        connect(field, &QLineEdit::textEdited, this, [this, field] { clearMarks({field}); });
        // Or takes it back, and the entry shows the instrument's value again.
        if (auto* entry = qobject_cast<InstrumentEntry*>(field))
            connect(entry, &InstrumentEntry::editDiscarded, this, [this, field] { clearMarks({field}); });
    }
}
