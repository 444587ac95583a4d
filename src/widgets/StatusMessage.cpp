#include "widgets/StatusMessage.h"

#include <QStatusBar>

namespace {

const char* const kShownProperty = "statusMessageWithDetail";
const char* const kWatchedProperty = "statusMessageDetailWatched";

} // namespace

void showStatusMessage(QStatusBar& statusBar, const QString& text, const QString& detail, int timeoutMs)
{
    // The tooltip goes with its message: another message or the time-out
    // clears it.
    if (!statusBar.property(kWatchedProperty).toBool()) {
        statusBar.setProperty(kWatchedProperty, true);
        QObject::connect(&statusBar, &QStatusBar::messageChanged, &statusBar, [&statusBar](const QString& message) {
            if (message != statusBar.property(kShownProperty).toString())
                statusBar.setToolTip(QString());
        });
    }
    statusBar.setProperty(kShownProperty, text);
    statusBar.showMessage(text, timeoutMs);
    statusBar.setToolTip(detail);
}
