#include "widgets/SubjectMessages.h"

#include <QStatusBar>

#include "widgets/StatusMessage.h"

SubjectMessages::SubjectMessages(QStatusBar& bar)
    : bar_(bar)
{
}

void SubjectMessages::show(const QString& subject, const QString& text, const QString& detail, int timeoutMs)
{
    subject_ = subject;
    text_ = text;
    showStatusMessage(bar_, text, detail, timeoutMs);
}

bool SubjectMessages::showing(const QString& subject) const
{
    return !text_.isEmpty() && subject_ == subject && bar_.currentMessage() == text_;
}

void SubjectMessages::answer(const QString& subject, const QString& text, int timeoutMs)
{
    if (!showing(subject))
        return;
    if (text.isEmpty()) {
        text_.clear();
        bar_.clearMessage();
        return;
    }
    show(subject, text, QString(), timeoutMs);
}
