#include "widgets/StatusMessages.h"

#include <QStatusBar>

StatusMessages::StatusMessages(QStatusBar& bar)
    : bar_(bar)
{
}

void StatusMessages::show(const QString& subject, const QString& text, int timeoutMs)
{
    subject_ = subject;
    text_ = text;
    bar_.showMessage(text, timeoutMs);
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
    show(subject, text, timeoutMs);
}
