// tq5800-screenshot --device PATH --out FILE [--seconds N] [--size WxH]
//                   [--db FILE] [--page-back N] [--pdf FILE] [--export FILE]
//                   [--lang zh|en] [--config PAGE] [--journal FILE] [--archive DIR]
// Runs the whole station offscreen against a device (normally the
// simulator), lets it record and plot for a while, then saves a picture of
// the main window and ends. With --db it records into (and shows) a history
// file of the caller's; --page-back pages the chart back N times (F7) two
// seconds before the picture; --pdf also prints the chart as "F3 打印" does
// into a PDF file; --export opens "导出记录" three seconds before the picture,
// writes the chart's period into FILE as CSV and shows the dialog over the
// main window. --lang draws the windows in that language (default Chinese,
// as the existing pictures are). --config opens "CONFIG" three seconds
// before the picture and pictures the configuration window on page PAGE
// (0 input .. 4 retransmission) instead of the main window.
// --journal and --archive name the journal and the archive folder as the
// station's options do, unchecked, so that a picture can show the status
// bar with their failures.

#include <algorithm>
#include <cstdio>
#include <memory>

#include <QApplication>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QCommandLineParser>
#include <QTemporaryDir>
#include <QTimer>

#include "core/Clock.h"
#include "link/ModbusFieldbus.h"
#include "app/Station.h"
#include "app/Translations.h"
#include "configwindow/ConfigWindow.h"
#include "exportwindow/ExportWindow.h"
#include "widgets/StationFont.h"
#include "mainwindow/ChartPanel.h"
#include "mainwindow/ExitQuestion.h"
#include "mainwindow/MainWindow.h"
#include "trendview/ChartPrint.h"

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption device(QStringLiteral("device"), QStringLiteral("Serial device."), QStringLiteral("PATH"));
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("Picture file."), QStringLiteral("FILE"));
    const QCommandLineOption seconds(QStringLiteral("seconds"), QStringLiteral("Run time."), QStringLiteral("N"), QStringLiteral("30"));
    const QCommandLineOption size(QStringLiteral("size"), QStringLiteral("Window size."), QStringLiteral("WxH"), QStringLiteral("1440x900"));
    const QCommandLineOption db(QStringLiteral("db"), QStringLiteral("History file."), QStringLiteral("FILE"));
    const QCommandLineOption pageBack(QStringLiteral("page-back"), QStringLiteral("Pages back before the picture."),
                                      QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption pdf(QStringLiteral("pdf"), QStringLiteral("Also print the chart into this PDF file."),
                                 QStringLiteral("FILE"));
    const QCommandLineOption exportFile(QStringLiteral("export"),
                                        QStringLiteral("Also export the chart's period into this CSV file."),
                                        QStringLiteral("FILE"));
    const QCommandLineOption lang(QStringLiteral("lang"), QStringLiteral("Interface language, zh or en."),
                                  QStringLiteral("L"), QStringLiteral("zh"));
    const QCommandLineOption historian(QStringLiteral("historian"),
        QStringLiteral("Forward to this central server (libpq connection string)."), QStringLiteral("CONNECTION"));
    const QCommandLineOption config(QStringLiteral("config"),
        QStringLiteral("Picture the configuration window on this page (0..4)."), QStringLiteral("PAGE"));
    const QCommandLineOption journal(QStringLiteral("journal"), QStringLiteral("Journal file."), QStringLiteral("FILE"));
    const QCommandLineOption archive(QStringLiteral("archive"), QStringLiteral("Archive folder."), QStringLiteral("DIR"));
    const QCommandLineOption exitQuestion(QStringLiteral("exit-question"),
                                          QStringLiteral("Ask to exit (as Esc does) before the picture."));
    parser.addOptions({device, out, seconds, size, db, pageBack, pdf, exportFile, lang, historian, config, journal,
                       archive, exitQuestion});
    parser.process(app);
    if (!parser.isSet(device) || !parser.isSet(out)) {
        std::fprintf(stderr, "usage: tq5800-screenshot --device PATH --out FILE [--seconds N] [--size WxH]"
                             " [--db FILE] [--page-back N] [--pdf FILE] [--export FILE] [--lang zh|en]"
                             " [--historian CONNECTION] [--config PAGE] [--journal FILE] [--archive DIR]"
                             " [--exit-question]\n");
        return 2;
    }
    app.setFont(StationFont::font());
    const Translations translations(parser.value(lang));

    QTemporaryDir dir;
    StationOptions options;
    options.databasePath = parser.isSet(db) ? parser.value(db) : dir.filePath(QStringLiteral("history.sqlite"));
    options.portDevices.setDevice(1, parser.value(device).toStdString());
    options.connect = true;
    options.historian = parser.value(historian);
    options.journalPath = parser.value(journal);
    options.archivePath = parser.value(archive);
    SystemClock clock;
    Station station(options, std::make_unique<ModbusFieldbus>(options.portDevices), clock);
    station.start();

    const QStringList wh = parser.value(size).split(QLatin1Char('x'));
    QTimer::singleShot(2000, &app, [&] {
        if (wh.size() == 2)
            station.mainWindow()->resize(wh[0].toInt(), wh[1].toInt());
    });
    const int runMs = parser.value(seconds).toInt() * 1000;
    QTimer::singleShot(std::max(0, runMs - 2000), &app, [&] {
        for (int i = 0; i < parser.value(pageBack).toInt(); ++i)
            station.mainWindow()->chartPanel()->pageBackButton()->click();
    });
    if (parser.isSet(exportFile)) {
        QTimer::singleShot(std::max(0, runMs - 3000), &app, [&] {
            station.mainWindow()->exportButton()->click();
            station.exportWindow()->setPath(parser.value(exportFile));
            station.exportWindow()->startButton()->click();
        });
    }
    // The configuration window takes the main window's place while open.
    const auto configWindow = [] () -> ConfigWindow* {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* found = qobject_cast<ConfigWindow*>(w); found && found->isVisible())
                return found;
        }
        return nullptr;
    };
    if (parser.isSet(config)) {
        QTimer::singleShot(std::max(0, runMs - 3000), &app, [&] {
            station.mainWindow()->configurationButton()->click();
            if (ConfigWindow* shown = configWindow()) {
                shown->pageTabs()->setCurrentIndex(parser.value(config).toInt());
                if (wh.size() == 2)
                    shown->resize(wh[0].toInt(), wh[1].toInt());
            }
        });
    }
    if (parser.isSet(exitQuestion))
        QTimer::singleShot(std::max(0, runMs - 1000), &app, [&] { station.mainWindow()->askToExit(); });
    int status = 1;
    QTimer::singleShot(runMs, &app, [&] {
        MainWindow& window = *station.mainWindow();
        ConfigWindow* shownConfig = parser.isSet(config) ? configWindow() : nullptr;
        QImage picture = shownConfig ? shownConfig->grab().toImage() : window.grab().toImage();
        // Offscreen windows have no frames: a dialog is drawn in the
        // middle of the main window with a line around it.
        QWidget* dialog = station.exportWindow();
        if (!dialog)
            dialog = window.exitQuestion();
        if (dialog) {
            const QPixmap front = dialog->grab();
            const QPoint at((picture.width() - front.width()) / 2, (picture.height() - front.height()) / 2);
            QPainter painter(&picture);
            painter.drawPixmap(at, front);
            painter.setPen(QColor(60, 60, 60));
            painter.drawRect(QRect(at, front.size()).adjusted(-1, -1, 0, 0));
        }
        status = picture.save(parser.value(out)) ? 0 : 1;
        if (parser.isSet(pdf) && !printChartToPdf(parser.value(pdf), *window.chart(), window.printHeading()))
            status = 1;
        station.shutdown();
        app.quit();
    });
    app.exec();
    return status;
}
