#include "widgets/ElidedLabel.h"

#include <algorithm>

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

ElidedLabel::ElidedLabel(QWidget* parent)
    : QLabel(parent)
{
    // Texts from outside may hold anything that looks like markup.
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
}

int ElidedLabel::chrome() const
{
    return width() - contentsRect().width() + 2 * margin();
}

bool ElidedLabel::isElided() const
{
    return fontMetrics().horizontalAdvance(text()) > contentsRect().width() - 2 * margin();
}

QString ElidedLabel::tip() const
{
    // Without a tooltip of its own the label stands for its parent's, as
    // Qt's tooltips do.
    QString given = toolTip();
    if (given.isEmpty() && parentWidget())
        given = parentWidget()->toolTip();
    if (!isElided())
        return given;
    return given.isEmpty() ? text() : text() + QLatin1Char('\n') + given;
}

QSize ElidedLabel::sizeHint() const
{
    const QSize whole = QLabel::sizeHint();
    if (preferredWidth_ <= 0)
        return whole;
    return {std::min(whole.width(), preferredWidth_), whole.height()};
}

QSize ElidedLabel::minimumSizeHint() const
{
    // Room for a first character and the "…".
    const int least = fontMetrics().horizontalAdvance(text().left(1) + QStringLiteral("…")) + chrome();
    return {std::min(least, QLabel::sizeHint().width()), QLabel::minimumSizeHint().height()};
}

bool ElidedLabel::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && isElided()) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip(), this);
        return true;
    }
    return QLabel::event(event);
}

void ElidedLabel::paintEvent(QPaintEvent* event)
{
    if (!isElided()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
    style()->drawItemText(&painter, area, QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                          isEnabled(), shown, foregroundRole());
}
