#include "configwindow/ConfigOpener.h"

#include <QAbstractButton>
#include <QMainWindow>
#include <QStatusBar>

#include "configwindow/ConfigWindow.h"
#include "widgets/EntryFeedback.h"

ConfigOpener::ConfigOpener(StationCore& core, QMainWindow& mainWindow, QAbstractButton& configurationButton,
                           QObject* parent)
    : QObject(parent)
    , core_(core)
    , main_(mainWindow)
{
    connect(&configurationButton, &QAbstractButton::clicked, this, &ConfigOpener::openConfiguration);
}

ConfigOpener::~ConfigOpener()
{
    delete window_.data();
}

void ConfigOpener::openConfiguration()
{
    if (window_) {
        window_->raise();
        window_->activateWindow();
        return;
    }
    auto* config = new ConfigWindow(core_);
    config->setAttribute(Qt::WA_DeleteOnClose);
    // As long as the main window shows its own refused entries.
    connect(config, &ConfigWindow::leftUnwritten, this,
            [this](const QString& why) { main_.statusBar()->showMessage(why, EntryFeedback::kRefusalMs); });
    connect(config, &ConfigWindow::returned, this, [this] {
        main_.show();
        main_.raise();
        main_.activateWindow();
    });
    window_ = config;

    // In the main window's place and state, so that the operator's eyes
    // need not look for it.
    config->setGeometry(main_.geometry());
    config->setWindowState(main_.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen));
    main_.hide();
    config->show();
    config->raise();
    config->activateWindow();
}

ConfigWindow* ConfigOpener::window() const
{
    return window_;
}

void ConfigOpener::closeWindow()
{
    if (!window_)
        return;
    window_->closeForShutdown();
}
