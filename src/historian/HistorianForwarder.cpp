#include "historian/HistorianForwarder.h"

#include <algorithm>

#include <QTimer>

#include "historian/HistorianPass.h"

HistorianForwarder::HistorianForwarder(HistorianSettings settings, QObject* parent)
    : QObject(parent)
    , settings_(std::move(settings))
{
    qRegisterMetaType<HistorianHealth>();
    thread_.setObjectName(QStringLiteral("historian"));
    connect(this, &HistorianForwarder::passHealthChanged, this, [this](const HistorianHealth& health) {
        health_ = health;
        emit healthChanged(health);
    }, Qt::QueuedConnection);
}

HistorianForwarder::~HistorianForwarder()
{
    stop();
}

void HistorianForwarder::start()
{
    if (context_)
        return;
    context_ = new QObject;
    context_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, context_, &QObject::deleteLater);
    thread_.start();
    QMetaObject::invokeMethod(context_, [this] { startOnThread(); });
}

void HistorianForwarder::stop()
{
    if (!context_)
        return;
    // The pass and its connection belong to the thread: they end there.
    QMetaObject::invokeMethod(context_, [this] {
        delete timer_;
        timer_ = nullptr;
        pass_.reset();
    }, Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
    context_ = nullptr;
}

void HistorianForwarder::startOnThread()
{
    pass_ = std::make_unique<HistorianPass>(settings_);
    timer_ = new QTimer(context_);
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, context_, [this] { turn(); });
    turn();
}

void HistorianForwarder::turn()
{
    const bool sent = pass_->run();
    if (pass_->healthChanged())
        emit passHealthChanged(pass_->health());
    if (sent) {
        retryMs_ = 0;
        timer_->start(settings_.idleMs);
        return;
    }
    retryMs_ = retryMs_ == 0 ? settings_.firstRetryMs : std::min(retryMs_ * 2, settings_.maxRetryMs);
    timer_->start(retryMs_);
}
