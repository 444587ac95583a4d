#include "app/Station.h"

#include <QPushButton>

#include "history/DatabasePath.h"
#include "mainwindow/MainWindow.h"

Station::Station(const StationOptions& options, std::unique_ptr<Fieldbus> fieldbus, const Clock& clock,
                 QObject* parent)
    : QObject(parent)
    , options_(options)
    , clock_(clock)
    , link_(std::move(fieldbus))
    , poll_(image_, link_, clock_)
    , connection_(link_, poll_)
    , recorder_(image_, clock_, DatabasePath::resolve(options.databasePath))
    , context_{image_, clock_, link_, poll_, connection_, recorder_, recorder_.databasePath()}
    , window_(std::make_unique<MainWindow>(context_))
{
    configOpener_ =
        std::make_unique<ConfigOpener>(context_, *window_, *window_->Command21());
    connect(&splash_, &SplashScreen::handOver, this, &Station::handOver);
    connect(window_.get(), &MainWindow::exitRequested, this, &Station::shutdown);
}

Station::~Station()
{
    shutdown();
}

void Station::start()
{
    splash_.Form_Load();
    splash_.show();
}

void Station::handOver()
{
    window_->Form_Load();
    window_->show();
    // The splash had the focus: give it to the main window, so its keys
    // (Esc, the function keys) work without a click first.
    window_->raise();
    window_->activateWindow();
    // The poll host has nothing to load: its timer waits for the link.
    recorder_.Form_Load();
    hostsLoaded_ = true;
    if (options_.connect)
        window_->openLinkFromCommandLine(options_.link);
    emit started();
}

void Station::shutdown()
{
    if (shutDown_)
        return;
    shutDown_ = true;
    splash_.Timer1.stop();
    splash_.Timer2.stop();
    splash_.close();
    // The way "退出" ends the station: the window closes its database
    // connection and lifts its close guard (or the application's quit would
    // be refused by it).
    configOpener_->closeWindow();
    window_->Command1_Click();
    recorder_.Timer1.stop();
    if (connection_.isOpen())
        connection_.close();
    emit finished();
}
