#pragma once

#include <mutex>

#include <QStringList>

// Every line logged while this lives, of any category and from any thread.
class LogLines {
public:
    LogLines() { previous_ = qInstallMessageHandler(&LogLines::collect); }
    ~LogLines()
    {
        qInstallMessageHandler(previous_);
        std::lock_guard lock(mutex_);
        lines_.clear();
    }
    LogLines(const LogLines&) = delete;
    LogLines& operator=(const LogLines&) = delete;

    QStringList lines() const
    {
        std::lock_guard lock(mutex_);
        return lines_;
    }

private:
    static void collect(QtMsgType, const QMessageLogContext&, const QString& message)
    {
        std::lock_guard lock(mutex_);
        lines_.append(message);
    }

    static inline std::mutex mutex_;
    static inline QStringList lines_;
    QtMessageHandler previous_ = nullptr;
};
