#include "mainwindow/HeaderBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include "widgets/PanelStates.h"

HeaderBar::HeaderBar(const QString& title, QWidget* parent)
    : QWidget(parent)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 0, 4, 0);

    auto* name = new QLabel(title, this);
    QFont big = name->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.5);
    name->setFont(big);

    date_ = new PanelField(PanelColours::kLightGreen, this, PanelField::Size::Large);
    time_ = new PanelField(PanelColours::kLightGreen, this, PanelField::Size::Large);
    for (PanelField* field : {date_, time_}) {
        field->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        field->setHintText(QStringLiteral("00-00-00000"));
    }

    // Flat, so the heading reads as before; it shows itself as a button
    // under the pointer.
    about_ = new QToolButton(this);
    about_->setText(tr("关于"));
    about_->setAutoRaise(true);
    about_->setFocusPolicy(Qt::NoFocus);
    connect(about_, &QToolButton::clicked, this, &HeaderBar::aboutRequested);

    row->addWidget(name);
    row->addWidget(about_);
    row->addStretch(1);
    row->addWidget(date_);
    row->addWidget(time_);
}
