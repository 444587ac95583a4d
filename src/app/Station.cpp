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
    switch (historyLock_.take()) {
    case StationLock::Outcome::Held: {
        const LockHolder& holder = historyLock_.holder();
        refuse(QStringLiteral("the history file %1 is in use by %2").arg(core_.databasePath(), holder.text()),
               tr("历史数据库 %1 已被占用：%2")
                   .arg(core_.databasePath(), StatusTexts::lockHolderText(holder, today)));
        return false;
    }
    case StationLock::Outcome::Failed:
        // The recorder reports the file itself when it cannot use it.
        qCWarning(appLog).noquote() << "history file not locked:" << historyLock_.error();
        break;
    case StationLock::Outcome::Taken:
        break;
    }
    if (!options_.connect)
        return true;
    const int port = options_.link.appliedTo(core_.link().settings()).port;
    if (const auto refused = core_.connection().claimDevice(port)) {
        historyLock_.release();
        refuse(QStringLiteral("port %1 (%2) is in use by %3").arg(port).arg(refused->device, refused->holder.text()),
               StatusTexts::portHeldText(*refused, today));
        return false;
    }
    return true;
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
    // The poll has nothing to start: its timer waits for the link.
    // The back-fill from the ring goes first, so the recorder's first
    // samples queue behind it.
    if (core_.archives())
        core_.archive().start();
    if (core_.forwards())
        core_.historian().start();
    core_.recorder().start();
    core_.stationStarted(QString::fromLatin1(StationVersion::kText));
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
