#pragma once

#include <QLabel>
#include <QTimer>
#include <QWidget>

// The splash window shown while the station starts. The wait counts seven
// 200 ms steps, then a last 100 ms pause ends it: the splash closes itself
// and asks the start-up to show the main window and start the recorder.
// Keys and clicks do not shorten the wait.
class SplashScreen : public QWidget {
    Q_OBJECT

public:
    static constexpr const char* kMessageSource = QT_TRANSLATE_NOOP("SplashScreen", "系统正在初始化数据引擎，请稍后。。。。。。");
    static inline const QString kMessage = QString::fromUtf8(kMessageSource);
    static constexpr int kWaitSteps = 7;
    static constexpr int kWaitStepMs = 200;
    static constexpr int kHandOverPauseMs = 100;

    explicit SplashScreen(QWidget* parent = nullptr);

    // Begins the wait; the caller shows the splash.
    void start();
    // Ends the wait without a hand-over and closes the splash.
    void stop();
    // Instead of the wait: the reason this station does not start, shown
    // until stop().
    void showRefusal(const QString& text);

    QString message() const { return messageLabel_->text(); }

signals:
    void handOver();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void countWaitStep();
    void finishWait();

    QLabel* messageLabel_ = nullptr;
    QTimer waitStepTimer_;
    QTimer handOverTimer_;
    int waitStepsDone_ = 0;
};
