#include "journal/StationEnd.h"

#include "journal/StoredForms.h"
#include "link/WriteRequest.h"

StationEnd StationEnd::byOperator(const QString& user)
{
    // The origin the main window's own writes carry.
    return StationEnd{WriteOrigin::kMainWindow, user, QString()};
}

StationEnd StationEnd::bySignal(const QString& signalName, qint64 senderPid, const QString& senderUser)
{
    return StationEnd{signalName, senderUser, StoredForms::signalSender(senderPid)};
}
