#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "instrument/RegisterMap.h"
#include "instrument/WriteSubject.h"
#include "journal/StoredForms.h"
#include "journalwindow/JournalWindow.h"
#include "support/EnglishInterface.h"
#include "link/WriteRequest.h"
#include "support/JournalFiles.h"
#include "widgets/PanelStates.h"

namespace {

using Kind = JournalEvent::Kind;

JournalEvent at(Kind kind, int minute, const QString& what = QString(), const QString& oldValue = QString(),
                const QString& newValue = QString(), const QString& text = QString())
{
    const QDateTime start(QDate(2026, 12, 7), QTime(7, 58), Qt::OffsetFromUTC, 8 * 3600);
    JournalEvent event = JournalFiles::event(kind, start.addSecs(60 * minute + 7 * (minute % 5)), what);
    event.source = kind == Kind::StationStarted ? QString() : StoredForms::instrument(1, 1);
    event.oldValue = oldValue;
    event.newValue = newValue;
    event.text = text;
    if (kind == Kind::Write) {
        event.outcome = QStringLiteral("ok");
        event.user = QStringLiteral("operator");
        event.origin = minute == 41 ? WriteOrigin::kConfiguration : WriteOrigin::kMainWindow;
    }
    return event;
}

// A morning's journal, stored as the station stores events.
bool seedMorning(const QString& path)
{
    const QString folder = QStringLiteral("/home/operator/.local/share/tq5800/");
    const QString setValue = WriteSubject::registerCode(RegisterMap::kSetValue);
    JournalEvent failedWrite = at(Kind::Write, 41, WriteSubject::registerCode(RegisterMap::kProportionalBand),
                                  QStringLiteral("30"), QStringLiteral("35"),
                                  StoredForms::writeFailure(2, QStringLiteral("Connection timed out")));
    failedWrite.outcome = QStringLiteral("failed");
    return JournalFiles::append(path, {
        at(Kind::StationStarted, 0, QString(), QString(), QStringLiteral("0.1.0"),
           StoredForms::stationStarted(QStringLiteral("0.1.0"), folder + QStringLiteral("Rdatabj.sqlite"),
                                       folder + QStringLiteral("journal.sqlite"))),
        at(Kind::LinkOpened, 1),
        at(Kind::Write, 3, setValue, QStringLiteral("100.0"), QStringLiteral("250.0")),
        at(Kind::AlarmRaised, 12, QStringLiteral("ALM1")),
        at(Kind::Write, 14, WriteSubject::coilCode(RegisterMap::kAutomatic), StoredForms::coilValue(true),
           StoredForms::coilValue(false)),
        at(Kind::AlarmCleared, 19, QStringLiteral("ALM1")),
        at(Kind::LinkFailing, 25, QString(), QStringLiteral("2026-12-07T08:22:59.500+08:00"), QString(),
           QStringLiteral("Connection timed out")),
        at(Kind::LinkRecovered, 27),
        at(Kind::EntriesRefused, 33, QString(), QString(), QStringLiteral("3")),
        failedWrite,
        at(Kind::AlarmRaised, 44, QStringLiteral("BREAK")),
        at(Kind::AlarmCleared, 52, QStringLiteral("BREAK")),
        at(Kind::Write, 55, setValue, QStringLiteral("250.0"), QStringLiteral("260.0")),
    });
}

// The window at the station's screen size, as a reader of the
// documentation should see it, into the pictures folder as `name`.
void takePicture(const QString& name)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("journal.sqlite"));
    ASSERT_TRUE(seedMorning(path));
    JournalWindow window(path);
    window.resize(1280, 720);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QImage picture = window.grab().toImage();
    ASSERT_EQ(picture.size(), QSize(1280, 720));
    int red = 0;
    for (int y = 0; y < picture.height(); y += 2)
        for (int x = 0; x < picture.width(); x += 2)
            red += picture.pixelColor(x, y) == PanelColours::kLightRed ? 1 : 0;
    EXPECT_GT(red, 500);  // two raised alarms' rows
    const QDir out(QStringLiteral(TQ5800_JOURNAL_PICTURES_DIR));
    ASSERT_TRUE(out.mkpath(QStringLiteral(".")));
    EXPECT_TRUE(picture.save(out.filePath(name)));
}

TEST(JournalPictures, theWindowRendersAMorningsEventsAtTheStationsScreenSize)
{
    takePicture(QStringLiteral("journal-window.png"));
}

TEST(JournalPictures, theSameMorningInEnglish)
{
    const EnglishInterface english;
    takePicture(QStringLiteral("journal-window-en.png"));
}

} // namespace
