#pragma once

#include <QLabel>
#include <QTimer>
#include <QWidget>

// The splash window shown while the station starts. Timer2 counts seven
// 200 ms ticks, then Timer1 fires once and hands over: the splash closes
// itself and asks the start-up to show the main window and load the hosts.
// Keys and clicks do not shorten the wait.
class SplashScreen : public QWidget {
    Q_OBJECT

public:
    static inline const QString kLabel1Text = QStringLiteral("系统正在初始化数据引擎，请稍后。。。。。。");

    explicit SplashScreen(QWidget* parent = nullptr);

    void Form_Load();
    void Timer2_Timer();
    void Timer1_Timer();

    QTimer Timer1;
    QTimer Timer2;
    int16_t splashTicks = 0;
    QLabel* Label1 = nullptr;

signals:
    void handOver();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
