#include "app/SplashScreen.h"

#include <QKeyEvent>
#include <QPainter>
#include <QVBoxLayout>

SplashScreen::SplashScreen(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(520, 260);
    messageLabel_ = new QLabel(tr(kMessageSource), this);
    messageLabel_->setAlignment(Qt::AlignCenter);
    messageLabel_->setStyleSheet(QStringLiteral("color: #1b3a57;"));
    auto* layout = new QVBoxLayout(this);
    layout->addStretch(3);
    layout->addWidget(messageLabel_);
    layout->addStretch(1);

    waitStepTimer_.setInterval(kWaitStepMs);
    handOverTimer_.setInterval(kHandOverPauseMs);
    connect(&waitStepTimer_, &QTimer::timeout, this, &SplashScreen::countWaitStep);
    connect(&handOverTimer_, &QTimer::timeout, this, &SplashScreen::finishWait);
}

void SplashScreen::start()
{
    waitStepsDone_ = 0;
    waitStepTimer_.start();
}

void SplashScreen::stop()
{
    waitStepTimer_.stop();
    handOverTimer_.stop();
    close();
}

void SplashScreen::showRefusal(const QString& text)
{
    waitStepTimer_.stop();
    handOverTimer_.stop();
    messageLabel_->setText(text);
    messageLabel_->setWordWrap(true);
    messageLabel_->setStyleSheet(QStringLiteral("color: #a01010;"));
}

void SplashScreen::countWaitStep()
{
    if (++waitStepsDone_ < kWaitSteps)
        return;
    waitStepTimer_.stop();
    handOverTimer_.start();
}

void SplashScreen::finishWait()
{
    stop();
    emit handOver();
}

void SplashScreen::keyPressEvent(QKeyEvent* event)
{
    event->accept();  // no key shortens the start-up
}

void SplashScreen::paintEvent(QPaintEvent*)
{
    // The picture: the instrument's name on a calm gradient.
    QPainter painter(this);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, QColor(214, 236, 250));
    gradient.setColorAt(1, QColor(160, 200, 228));
    painter.fillRect(rect(), gradient);
    painter.setPen(QColor(27, 58, 87));
    QFont title = font();
    title.setPointSize(28);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(QRect(0, 30, width(), 60), Qt::AlignCenter, QStringLiteral("TQ5800"));
    QFont subtitle = font();
    subtitle.setPointSize(14);
    painter.setFont(subtitle);
    painter.drawText(QRect(0, 90, width(), 36), Qt::AlignCenter, tr("过程控制仪表"));
    painter.setPen(QPen(QColor(27, 58, 87), 2));
    painter.drawRect(rect().adjusted(1, 1, -1, -1));
}
