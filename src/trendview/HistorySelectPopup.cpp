#include "trendview/HistorySelectPopup.h"

#include <QDateTimeEdit>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

HistorySelectPopup::HistorySelectPopup(QWidget* parent)
    : QFrame(parent, Qt::Popup)
{
    setFrameShape(QFrame::StyledPanel);
    moment_ = new QDateTimeEdit(this);
    moment_->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    moment_->setCalendarPopup(true);
    show_ = new QPushButton(tr("显示"), this);
    show_->setDefault(true);
    auto* cancel = new QPushButton(tr("取消"), this);
    // Enter on a focused "取消" cancels; anywhere else it shows the moment.
    cancel->setAutoDefault(true);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(new QLabel(tr("显示时刻"), this));
    layout->addWidget(moment_);
    layout->addWidget(show_);
    layout->addWidget(cancel);

    connect(show_, &QPushButton::clicked, this, &HistorySelectPopup::confirm);
    connect(cancel, &QPushButton::clicked, this, &QWidget::hide);
}

void HistorySelectPopup::popUp(QWidget* anchor, const QDateTime& initial)
{
    moment_->setDateTime(initial);
    adjustSize();
    const QPoint below = anchor->mapToGlobal(QPoint(0, anchor->height()));
    move(below.x(), below.y());
    show();
    moment_->setFocus();
}

void HistorySelectPopup::confirm()
{
    hide();
    emit chosen(moment_->dateTime());
}

void HistorySelectPopup::keyPressEvent(QKeyEvent* event)
{
    // The date field passes Enter on once it has taken the typed text.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        confirm();
        return;
    }
    QFrame::keyPressEvent(event);
}
