#include "app/Station.h"

#include <QPushButton>
#include <QSysInfo>
#include <QStatusBar>
#include <QTimer>

#include "app/AppLog.h"
#include "archive/ArchivePath.h"
#include "archive/ArchiveSettings.h"
#include "core/Clock.h"
#include "core/Version.h"
#include "exportwindow/ExportWindow.h"
#include "historian/HistorianCursor.h"
#include "history/DatabasePath.h"
#include "journal/JournalStore.h"
#include "journalwindow/JournalWindow.h"
#include "mainwindow/LinkSettingsBar.h"
#include "mainwindow/MainWindow.h"
#include "widgets/StatusTexts.h"

namespace {

std::optional<ArchiveSettings> archiveSettings(const StationOptions& options)
{
    if (!options.archive)
        return std::nullopt;
    ArchiveSettings settings;
    settings.folder = ArchivePath::resolve(options.archivePath, DatabasePath::resolve(options.databasePath));
    settings.keepMonths = options.archiveMonths;
    return settings;
}

std::optional<HistorianSettings> historianSettings(const StationOptions& options)
{
    if (options.historian.isEmpty())
        return std::nullopt;
    const QString historyPath = DatabasePath::resolve(options.databasePath);
    HistorianSettings settings;
    settings.connection = options.historian;
    settings.initialise = options.historianInit;
    settings.stationName = historianStationName(options);
    settings.hostName = QSysInfo::machineHostName();
    settings.port = options.link.portText.trimmed();
    settings.statePath = HistorianCursor::pathBeside(historyPath);
    return settings;
}

} // namespace

Station::Station(const StationOptions& options, std::unique_ptr<Fieldbus> fieldbus, const Clock& clock,
                 QObject* parent)
    : QObject(parent)
    , options_(options)
    , historyLock_(StationLock::pathBeside(DatabasePath::resolve(options.databasePath)))
    , core_(std::move(fieldbus), clock, DatabasePath::resolve(options.databasePath),
            JournalPath::resolve(options.journalPath, DatabasePath::resolve(options.databasePath)),
            options.journalLimits, archiveSettings(options), historianSettings(options))
    , window_(std::make_unique<MainWindow>(core_))
{
    core_.connection().lockDevices(options.portDevices);
    // Each writer takes its lock when it first writes, should the start
    // not have taken it.
    core_.recorder().setFileLock(&historyLock_);
    if (core_.journals()) {
        journalLock_ = std::make_unique<StationLock>(StationLock::pathBeside(core_.journal().path()));
        core_.journal().setFileLock(journalLock_.get());
    }
    if (core_.archives()) {
        archiveLock_ = std::make_unique<StationLock>(StationLock::pathInFolder(core_.archive().folder()));
        core_.archive().setFolderLock(archiveLock_.get());
    }
    configOpener_ =
        std::make_unique<ConfigOpener>(core_, *window_, *window_->configurationButton());
    connect(&splash_, &SplashScreen::handOver, this, &Station::handOver);
    connect(window_.get(), &MainWindow::exitRequested, this,
            [this] { shutdown(StationEnd::byOperator(JournalIdentity::user())); });
    connect(window_.get(), &MainWindow::journalRequested, this, &Station::openJournal);
    connect(window_.get(), &MainWindow::exportRequested, this, &Station::openExport);
}

Station::~Station()
{
    shutdown();
    delete journalWindow_.data();
    delete exportWindow_.data();
}

JournalWindow* Station::journalWindow() const
{
    return journalWindow_;
}

void Station::openJournal()
{
    if (!journalWindow_) {
        // A window of its own, not the main window's child: it may stand
        // beside it or behind it while the main window keeps running.
        journalWindow_ = new JournalWindow(core_.journal().path());
        journalWindow_->setAttribute(Qt::WA_DeleteOnClose);
    }
    journalWindow_->show();
    journalWindow_->raise();
    journalWindow_->activateWindow();
}

ExportWindow* Station::exportWindow() const
{
    return exportWindow_;
}

void Station::openExport(const QDateTime& oldest, const QDateTime& newest)
{
    if (!exportWindow_) {
        // The instrument of the open link, or the one the settings name.
        const LinkSettings link = core_.connection().isOpen()
                                      ? core_.link().settings()
                                      : window_->settings()->choices().appliedTo(core_.link().settings());
        const auto device = options_.portDevices.devicePath(link.port);
        ExportSources sources;
        sources.ringPath = core_.databasePath();
        sources.archiveFolder = core_.archives() ? core_.archive().folder() : QString();
        sources.journalPath = core_.journals() ? core_.journal().path() : QString();
        sources.instrument = tr("仪表 %1 · %2")
                                 .arg(link.moduleAddress)
                                 .arg(device ? QString::fromStdString(*device) : tr("端口 %1").arg(link.port));
        exportWindow_ = new ExportWindow(sources, core_.clock());
        exportWindow_->setAttribute(Qt::WA_DeleteOnClose);
        exportWindow_->setPeriod(oldest, newest);
        connect(exportWindow_, &ExportWindow::refused, this, [this] { core_.entryRefused(); });
        connect(exportWindow_, &ExportWindow::finished, this,
                [this](bool, const QString& text) { window_->statusBar()->showMessage(text, ExportWindow::kOutcomeShownMs); });
    }
    exportWindow_->show();
    exportWindow_->raise();
    exportWindow_->activateWindow();
}

bool Station::start()
{
    qCInfo(appLog).noquote() << QStringLiteral("version %1; %2")
                                    .arg(QString::fromLatin1(StationVersion::kText),
                                         describeStationOptions(options_, core_.databasePath(), core_.journal().path(),
                                              core_.archives() ? core_.archive().folder() : QString()));
    if (!claim()) {
        splash_.show();
        QTimer::singleShot(kRefusalShownMs, this, [this] { shutdown(); });
        return false;
    }
    splash_.start();
    splash_.show();
    return true;
}

bool Station::claim()
{
    const QDate today = core_.clock().now().date();
    if (const StationLock* held = takeLocks()) {
        const QString holder = held->holder().text();
        const QString shownHolder = StatusTexts::lockHolderText(held->holder(), today);
        if (held == &historyLock_) {
            refuse(QStringLiteral("the history file %1 is in use by %2").arg(core_.databasePath(), holder),
                   tr("历史数据库 %1 已被占用：%2").arg(core_.databasePath(), shownHolder));
        } else if (held == journalLock_.get()) {
            refuse(QStringLiteral("the journal %1 is in use by %2").arg(core_.journal().path(), holder),
                   tr("事件记录文件 %1 已被占用：%2").arg(core_.journal().path(), shownHolder));
        } else {
            refuse(QStringLiteral("the archive folder %1 is in use by %2").arg(core_.archive().folder(), holder),
                   tr("归档文件夹 %1 已被占用：%2").arg(core_.archive().folder(), shownHolder));
        }
        return false;
    }
    if (!options_.connect)
        return true;
    const int port = options_.link.appliedTo(core_.link().settings()).port;
    if (const auto refused = core_.connection().claimDevice(port)) {
        releaseLocks();
        refuse(QStringLiteral("port %1 (%2) is in use by %3").arg(port).arg(refused->device, refused->holder.text()),
               StatusTexts::portHeldText(*refused, today));
        return false;
    }
    return true;
}

StationLock* Station::takeLocks()
{
    for (StationLock* lock : {&historyLock_, journalLock_.get(), archiveLock_.get()}) {
        if (!lock)
            continue;
        switch (lock->take()) {
        case StationLock::Outcome::Held:
            releaseLocks();
            return lock;
        case StationLock::Outcome::Failed:
            // Its writer reports the file itself when it cannot use it, and
            // takes the lock once it can.
            qCWarning(appLog).noquote() << "not locked yet:" << lock->error();
            break;
        case StationLock::Outcome::Taken:
            break;
        }
    }
    return nullptr;
}

void Station::releaseLocks()
{
    for (StationLock* lock : {&historyLock_, journalLock_.get(), archiveLock_.get()}) {
        if (lock)
            lock->release();
    }
}

void Station::refuse(const QString& reason, const QString& shownText)
{
    refusal_ = reason;
    splash_.showRefusal(shownText);
}

void Station::handOver()
{
    window_->start();
    window_->show();
    // The splash had the focus: give it to the main window, so its keys
    // (Esc, the function keys) work without a click first.
    window_->raise();
    window_->activateWindow();
    // The start is journaled first: the journal's last run is read before
    // this one writes, and the retention's removals follow the start.
    core_.stationStarted(QString::fromLatin1(StationVersion::kText));
    // The poll has nothing to start: its timer waits for the link.
    // The back-fill from the ring goes first, so the recorder's first
    // samples queue behind it.
    if (core_.archives())
        core_.archive().start();
    if (core_.forwards())
        core_.historian().start();
    core_.recorder().start();
    started_ = true;
    if (options_.connect)
        window_->openLinkFromCommandLine(options_.link);
    emit started();
}

void Station::shutdown(const StationEnd& end)
{
    if (shutDown_)
        return;
    shutDown_ = true;
    splash_.stop();
    // The way a confirmed "退出" ends the station, without asking: the
    // window closes its database connection and lifts its close guard (or
    // the application's quit would be refused by it).
    configOpener_->closeWindow();
    if (journalWindow_)
        journalWindow_->close();
    // A running export is cancelled; no half-written file is left.
    if (exportWindow_)
        exportWindow_->close();
    window_->exitStation();
    core_.recorder().stop();
    if (core_.archives())
        core_.archive().stop();
    if (core_.connection().isOpen())
        core_.connection().close();
    // Only a station that started has an end to journal.
    if (started_)
        core_.stationExited(end);
    // Last: its last pass sends the archive's last flush and the journal's
    // last events.
    if (core_.forwards())
        core_.historian().stop();
    emit finished();
}
