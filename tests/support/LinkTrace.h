#pragma once

#include <mutex>

#include <QLoggingCategory>
#include <QStringList>

// What the link traces while this lives, from whichever thread, with its
// debug lines turned on as QT_LOGGING_RULES would.
class LinkTrace {
public:
    LinkTrace()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("tq5800.link.debug=true"));
        previous_ = qInstallMessageHandler(&LinkTrace::collect);
    }

    ~LinkTrace()
    {
        qInstallMessageHandler(previous_);
        QLoggingCategory::setFilterRules(QString());
        std::lock_guard lock(mutex_);
        lines_.clear();
    }

    LinkTrace(const LinkTrace&) = delete;
    LinkTrace& operator=(const LinkTrace&) = delete;

    QStringList lines() const
    {
        std::lock_guard lock(mutex_);
        return lines_;
    }

private:
    static void collect(QtMsgType, const QMessageLogContext& context, const QString& message)
    {
        if (qstrcmp(context.category, "tq5800.link") != 0)
            return;
        std::lock_guard lock(mutex_);
        lines_.append(message);
    }

    static inline std::mutex mutex_;
    static inline QStringList lines_;
    QtMessageHandler previous_ = nullptr;
};
