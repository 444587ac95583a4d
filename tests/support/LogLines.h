#pragma once

#include <mutex>

#include <QStringList>

// Every line logged while this lives, from any thread: of one category, or
// of all when none is named.
class LogLines {
public:
    explicit LogLines(const char* category = nullptr)
    {
        {
            std::lock_guard lock(mutex_);
            category_ = category;
        }
        previous_ = qInstallMessageHandler(&LogLines::collect);
    }
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
    static void collect(QtMsgType, const QMessageLogContext& context, const QString& message)
    {
        // Under the lock: the link thread logs while a test sets the category.
        std::lock_guard lock(mutex_);
        if (category_ && qstrcmp(context.category, category_) != 0)
            return;
        lines_.append(message);
    }

    static inline std::mutex mutex_;
    static inline QStringList lines_;
    static inline const char* category_ = nullptr;
    QtMessageHandler previous_ = nullptr;
};
