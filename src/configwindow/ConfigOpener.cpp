#include "configwindow/ConfigOpener.h"

#include <QAbstractButton>

#include "configwindow/ConfigWindow.h"
#include "instrument/ProcessImage.h"

ConfigOpener::ConfigOpener(StationContext& context, QWidget& mainWindow, QAbstractButton& command21,
                           QObject* parent)
    : QObject(parent)
    , context_(context)
    , main_(mainWindow)
{
    connect(&command21, &QAbstractButton::clicked, this, &ConfigOpener::Command21_Click);
}

ConfigOpener::~ConfigOpener()
{
    delete window_.data();
}

void ConfigOpener::Command21_Click()
{
    if (window_) {
        window_->raise();
        window_->activateWindow();
        return;
    }
    auto* config = new ConfigWindow(context_);
    config->setAttribute(Qt::WA_DeleteOnClose);
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
    window_->closeGuard = ProcessImage::kFalse;
    window_->close();
}
