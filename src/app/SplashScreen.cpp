#include "app/SplashScreen.h"

#include <QKeyEvent>
#include <QPainter>
#include <QVBoxLayout>

SplashScreen::SplashScreen(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(520, 260);
    Label1 = new QLabel(kLabel1Text, this);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setStyleSheet(QStringLiteral("color: #1b3a57;"));
    auto* layout = new QVBoxLayout(this);
    layout->addStretch(3);
    layout->addWidget(Label1);
    layout->addStretch(1);

    Timer2.setInterval(200);
    Timer1.setInterval(100);
    connect(&Timer2, &QTimer::timeout, this, &SplashScreen::Timer2_Timer);
    connect(&Timer1, &QTimer::timeout, this, &SplashScreen::Timer1_Timer);
}

void SplashScreen::Form_Load()
{
    splashTicks = 0;
    Timer2.start();
}

void SplashScreen::Timer2_Timer()
{
    ++splashTicks;
    if (splashTicks > 6) {  // the seventh tick
        Timer2.stop();
        splashTicks = 0;
        Timer1.start();
    }
}

void SplashScreen::Timer1_Timer()
{
    Timer2.stop();
    Timer1.stop();
    close();
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
    painter.drawText(QRect(0, 90, width(), 36), Qt::AlignCenter, QStringLiteral("过程控制仪表"));
    painter.setPen(QPen(QColor(27, 58, 87), 2));
    painter.drawRect(rect().adjusted(1, 1, -1, -1));
}
