#include "app/QtWidgetTranslator.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// The contexts of Qt's dialogs and widgets (and of the platform theme that
// names the standard buttons). Anything not listed, such as QSQLiteDriver,
// QFileDevice, QSaveFile or QProcess, stays in Qt's English.
constexpr std::array kWidgetContexts{
    "CloseButton",
    "Print Device Input Slot",
    "Print Device Output Bin",
    "QAbstractSpinBox",
    "QApplication",
    "QColorDialog",
    "QComboBox",
    "QCupsJobWidget",
    "QCupsPrinterSupport",
    "QDateTimeParser",
    "QDialog",
    "QDialogButtonBox",
    "QDirModel",
    "QDockWidget",
    "QErrorMessage",
    "QFileDialog",
    "QFileSystemModel",
    "QFontDatabase",
    "QFontDialog",
    "QGnomeTheme",
    "QGuiApplication",
    "QInputDialog",
    "QKeySequenceEdit",
    "QLineEdit",
    "QMdiArea",
    "QMdiSubWindow",
    "QMessageBox",
    "QPageSetupWidget",
    "QPageSize",
    "QPlatformTheme",
    "QPrintDialog",
    "QPrintPreviewDialog",
    "QPrintPropertiesDialog",
    "QPrintPropertiesWidget",
    "QPrintSettingsOutput",
    "QPrintWidget",
    "QProgressDialog",
    "QScrollBar",
    "QShortcut",
    "QTabBar",
    "QUnicodeControlCharacterMenu",
    "QWhatsThisAction",
    "QWidget",
    "QWidgetTextControl",
    "QWizard",
};

} // namespace

bool QtWidgetTranslator::drawnByQt(const char* context)
{
    return context
           && std::any_of(kWidgetContexts.begin(), kWidgetContexts.end(),
                          [context](const char* listed) { return std::strcmp(listed, context) == 0; });
}

QString QtWidgetTranslator::translate(const char* context, const char* sourceText, const char* disambiguation,
                                      int n) const
{
    if (!drawnByQt(context))
        return QString();
    return QTranslator::translate(context, sourceText, disambiguation, n);
}
