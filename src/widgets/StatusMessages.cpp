#include "widgets/StatusMessages.h"

#include <QStatusBar>

#include "widgets/StatusMessage.h"

StatusMessages::StatusMessages(QStatusBar& bar)
    : bar_(bar)
{
}

void StatusMessages::show(const QString& subject, const QString& text, const QString& detail, int timeoutMs)
{
    subject_ = subject;
    text_ = text;
    showStatusMessage(bar_, text, detail, timeoutMs);
}

bool StatusMessages::showing(const QString& subject) const
{
    return !text_.isEmpty() && subject_ == subject && bar_.currentMessage() == text_;
}

void StatusMessages::answer(const QString& subject, const QString& text, int timeoutMs)
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
