#include "journal/StationEnd.h"

StationEnd StationEnd::byOperator(const QString& user)
{
    // The origin the main window's own writes carry.
    return StationEnd{QStringLiteral("主窗口"), user, QString()};
}

StationEnd StationEnd::bySignal(const QString& signalName, qint64 senderPid, const QString& senderUser)
{
    // Stored in Chinese like the journal's other texts.
    const QString text = senderPid != 0 ? QStringLiteral("由进程 %1 发出").arg(senderPid)
                                        : QStringLiteral("非进程发出（如终端的 Ctrl+C）");
    return StationEnd{signalName, senderUser, text};
}
