#include "app/Station.h"

#include <QPushButton>

#include "app/AppLog.h"
#include "history/DatabasePath.h"
#include "mainwindow/MainWindow.h"

Station::Station(const StationOptions& options, std::unique_ptr<Fieldbus> fieldbus, const Clock& clock,
                 QObject* parent)
    : QObject(parent)
    , options_(options)
    , core_(std::move(fieldbus), clock, DatabasePath::resolve(options.databasePath))
    , window_(std::make_unique<MainWindow>(core_))
{
    configOpener_ =
        std::make_unique<ConfigOpener>(core_, *window_, *window_->configurationButton());
    connect(&splash_, &SplashScreen::handOver, this, &Station::handOver);
    connect(window_.get(), &MainWindow::exitRequested, this, &Station::shutdown);
}

Station::~Station()
{
    shutdown();
}

void Station::start()
{
    qCInfo(appLog).noquote() << describeStationOptions(options_, core_.databasePath());
    splash_.start();
    splash_.show();
}

void Station::handOver()
{
    window_->start();
    window_->show();
    // The splash had the focus: give it to the main window, so its keys
    // (Esc, the function keys) work without a click first.
    window_->raise();
    window_->activateWindow();
    // The poll has nothing to start: its timer waits for the link.
    core_.recorder().start();
    started_ = true;
    if (options_.connect)
        window_->openLinkFromCommandLine(options_.link);
    emit started();
}

void Station::shutdown()
{
    if (shutDown_)
        return;
    shutDown_ = true;
    splash_.stop();
    // The way "退出" ends the station: the window closes its database
    // connection and lifts its close guard (or the application's quit would
    // be refused by it).
    configOpener_->closeWindow();
    window_->exitStation();
    core_.recorder().stop();
    if (core_.connection().isOpen())
        core_.connection().close();
    emit finished();
}
