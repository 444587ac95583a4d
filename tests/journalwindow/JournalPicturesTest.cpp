#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "journalwindow/JournalWindow.h"
#include "support/JournalFiles.h"
#include "widgets/PanelStates.h"

namespace {

using Kind = JournalEvent::Kind;

JournalEvent at(Kind kind, int minute, const QString& what = QString(), const QString& oldValue = QString(),
                const QString& newValue = QString(), const QString& text = QString())
{
    const QDateTime start(QDate(2026, 12, 7), QTime(7, 58), Qt::OffsetFromUTC, 8 * 3600);
    JournalEvent event = JournalFiles::event(kind, start.addSecs(60 * minute + 7 * (minute % 5)), what);
    event.source = kind == Kind::StationStarted ? QString() : QStringLiteral("端口 1 地址 1");
    event.oldValue = oldValue;
    event.newValue = newValue;
    event.text = text;
    if (kind == Kind::Write) {
        event.outcome = QStringLiteral("ok");
        event.user = QStringLiteral("operator");
        event.origin = minute == 41 ? QStringLiteral("TQ5800 配置") : QStringLiteral("主窗口");
    }
    return event;
}

// A morning's journal at the station's screen size, as a reader of the
// documentation should see it.
TEST(JournalPictures, theWindowRendersAMorningsEventsAtTheStationsScreenSize)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("journal.sqlite"));
    JournalEvent failedWrite = at(Kind::Write, 41, QStringLiteral("比例带P"), QStringLiteral("30"),
                                  QStringLiteral("35"), QStringLiteral("仪表没有应答"));
    failedWrite.outcome = QStringLiteral("failed");
    ASSERT_TRUE(JournalFiles::append(path, {
        at(Kind::StationStarted, 0, QString(), QString(), QString(), QStringLiteral("工作站启动")),
        at(Kind::LinkOpened, 1, QString(), QString(), QString(), QStringLiteral("COM1 9600 无校验")),
        at(Kind::Write, 3, QStringLiteral("设定SV"), QStringLiteral("100.0"), QStringLiteral("250.0")),
        at(Kind::AlarmRaised, 12, QStringLiteral("ALM1"), QString(), QString(), QStringLiteral("PV 高于 报警1 设定值")),
        at(Kind::Write, 14, QStringLiteral("手动/自动"), QStringLiteral("自动"), QStringLiteral("手动")),
        at(Kind::AlarmCleared, 19, QStringLiteral("ALM1")),
        at(Kind::LinkFailing, 25, QString(), QStringLiteral("08:22:59"), QString(), QStringLiteral("仪表没有应答")),
        at(Kind::LinkRecovered, 27),
        at(Kind::EntriesRefused, 33, QString(), QString(), QStringLiteral("3")),
        failedWrite,
        at(Kind::AlarmRaised, 44, QStringLiteral("BREAK"), QString(), QString(), QStringLiteral("输入断线")),
        at(Kind::AlarmCleared, 52, QStringLiteral("BREAK")),
        at(Kind::Write, 55, QStringLiteral("设定SV"), QStringLiteral("250.0"), QStringLiteral("260.0")),
    }));
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
    EXPECT_TRUE(picture.save(out.filePath(QStringLiteral("journal-window.png"))));
}

} // namespace
