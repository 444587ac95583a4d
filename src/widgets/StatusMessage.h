#pragma once

#include <QString>

class QStatusBar;

// A status bar message in the operator's words whose technical reason is the
// status bar's tooltip for as long as the message stands.
void showStatusMessage(QStatusBar& statusBar, const QString& text, const QString& detail, int timeoutMs);
