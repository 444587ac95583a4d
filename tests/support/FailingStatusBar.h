#pragma once

#include <QFile>
#include <QStatusBar>
#include <QStringList>
#include <QTest>

#include <gtest/gtest.h>

#include "archive/ArchiveSettings.h"
#include "historian/HistorianSettings.h"
#include "mainwindow/MainWindow.h"
#include "station/StationCore.h"
#include "support/FakeClock.h"
#include "support/FakeFieldbus.h"
#include "support/ForwardingFieldbus.h"
#include "widgets/StatusIndicator.h"
#include "widgets/StatusTexts.h"

// The main window with every field of its status bar showing a failure,
// each text as long as it gets in use: the link lost since the day before
// after a resynchronisation the instrument refused, the history file, the
// journal (for real: its folder is a file), the archive and the forwarding
// failing with the paths of a plant's station, and a message waiting.
// Build it after the interface language is chosen.
struct FailingStatusBar {
    explicit FailingStatusBar(const QString& folder)
        : core(std::make_unique<ForwardingFieldbus>(bus), clock, folder + QStringLiteral("/Rdatabj.sqlite"),
               blockedJournal(folder), JournalLimits{}, ArchiveSettings{folder + QStringLiteral("/archive")},
               historian())
        , window(core, MainWindow::Ticking::ByCaller)
    {
        window.start();
    }

    // Never started: its field is shown by hand.
    static HistorianSettings historian()
    {
        HistorianSettings settings;
        settings.connection = QStringLiteral("host=historian.plant-7.example dbname=plant user=station");
        return settings;
    }

    // A file where the journal's folder should be.
    static QString blockedJournal(const QString& folder)
    {
        QFile blocker(folder + QStringLiteral("/blocker"));
        blocker.open(QIODevice::WriteOnly);
        return blocker.fileName() + QStringLiteral("/journal.sqlite");
    }

    void showEveryFailure()
    {
        const QDate today = clock.now().date();
        const QDateTime yesterday(today.addDays(-1), QTime(23, 59, 50));
        const QString station = QStringLiteral("/srv/tq5800/plant-7/line-2");

        LinkHealth link;
        link.linkOpened();
        link.recordCycle(CycleReport{1, 8, 0, false, {}, {}}, yesterday);
        link.recordCycle(
            CycleReport{2, 8, 8, false, QStringLiteral("link out of step: resynchronising: probing: exception 11"),
                        LinkFailure{LinkFailure::Kind::Refused, 11, true}},
            yesterday.addSecs(8));
        linkLine = StatusTexts::linkStatusLine(link, today);
        window.linkIndicator()->display(linkLine);

        RecorderHealth recorder;
        recorder.recordLock(RecorderHealth::Lock::NotTaken);
        recorder.recordFailure(QStringLiteral("cannot create the folder ") + station, yesterday,
                               FileProblem{FileProblem::Cause::FolderNotWritable, station});
        window.recorderIndicator()->display(StatusTexts::recorderStatusLine(recorder, today));

        ArchiveHealth archive;
        archive.recordFailure(QStringLiteral("database or disk is full"), yesterday,
                              FileProblem{FileProblem::Cause::DiskFull, station + QStringLiteral("/archive/2001-03.sqlite")});
        window.archiveIndicator()->display(StatusTexts::archiveStatusLine(archive, station + QStringLiteral("/archive"), today));
        window.archiveIndicator()->show();

        HistorianHealth historian;
        historian.recordFailure({ForwardingFailure::Cause::NoConnection,
                                 QStringLiteral("could not connect to server: Connection refused")},
                                yesterday);
        window.historianIndicator()->display(
            StatusTexts::historianStatusLine(historian, QStringLiteral("historian.plant-7.example"), today));
        window.historianIndicator()->show();

        window.statusBar()->showMessage(QStringLiteral("“设定SV” 250 写入失败（已重试一次）：无应答"));
    }

    // What is wrong with the status bar at the window's width, one line
    // each: the link's light must show its whole text in its colour, and the
    // others share what is left, each with room for the start of its text
    // and the whole of it in its tooltip.
    QStringList faults() const
    {
        QStringList faults;
        const StatusIndicator& link = *window.linkIndicator();
        if (link.isElided() || link.text() != QStringLiteral("● ") + linkLine.text)
            faults << QStringLiteral("link light cut to %1 px: %2").arg(link.width()).arg(link.text());
        if (link.palette().color(QPalette::Window) != StatusIndicator::colour(StatusSeverity::Fault))
            faults << QStringLiteral("link light not red");
        for (const StatusIndicator* field : {window.recorderIndicator(), window.journalIndicator(),
                                             window.archiveIndicator(), window.historianIndicator()}) {
            if (field->isHidden() || field->width() < kLeastShare)
                faults << QStringLiteral("%1 px for \"%2\"").arg(field->width()).arg(field->text());
            if (field->isElided() && !field->tip().startsWith(field->text()))
                faults << QStringLiteral("tooltip of \"%1\" is \"%2\"").arg(field->text(), field->tip());
        }
        return faults;
    }

    // Shows every failure in a window of the screen's size and expects the
    // link's light whole and the others sharing the rest; the link line
    // begins with `linkWords`.
    void expectEveryFailureFits(const QSize& screen, const QString& linkWords)
    {
        window.resize(screen);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        showEveryFailure();
        QCoreApplication::processEvents();
        EXPECT_TRUE(linkLine.text.startsWith(linkWords)) << linkLine.text.toStdString();
        EXPECT_LE(window.width(), screen.width());
        const QStringList found = faults();
        EXPECT_TRUE(found.isEmpty()) << found.join(QLatin1Char('\n')).toStdString();
    }

    // Room for the words of the state at least, never a lamp and a "…".
    static constexpr int kLeastShare = 120;

    FakeClock clock;
    FakeFieldbus bus;
    StationCore core;
    MainWindow window;
    StatusLine linkLine;
};
