#include "widgets/PanelGroup.h"

#include <QLabel>
#include <QStyle>
#include <QStyleOptionGroupBox>

#include "widgets/PanelStates.h"

PanelGroup::PanelGroup(const QString& title, QWidget* parent)
    : QGroupBox(title, parent)
{
    age_ = new QLabel(this);
    age_->setAlignment(Qt::AlignCenter);
    // White on the stale figures' grey: the same grey as the faded fields,
    // strong enough to catch the eye beside them.
    age_->setAutoFillBackground(true);
    QPalette p = age_->palette();
    p.setColor(QPalette::Window, PanelColours::kStaleText);
    p.setColor(QPalette::WindowText, Qt::white);
    age_->setPalette(p);
    QFont bold = age_->font();
    bold.setBold(true);
    age_->setFont(bold);
    age_->hide();
}

void PanelGroup::setAge(const QString& age, const QString& detail)
{
    if (age_->toolTip() != detail)
        age_->setToolTip(detail);
    if (age_->text() == age)
        return;
    age_->setText(age);
    age_->setVisible(!age.isEmpty());
    placeAge();
}

void PanelGroup::resizeEvent(QResizeEvent* event)
{
    QGroupBox::resizeEvent(event);
    placeAge();
}

void PanelGroup::placeAge()
{
    if (age_->text().isEmpty())
        return;
    // On the title's line, right-aligned with the frame's right edge.
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    const QRect title = style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, this);
    const QRect frame = style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, this);
    const int padding = age_->fontMetrics().horizontalAdvance(QLatin1Char(' '));
    const int width = age_->fontMetrics().horizontalAdvance(age_->text()) + 2 * padding;
    age_->setGeometry(frame.right() - width + 1, title.top(), width, title.height());
    age_->raise();
}
