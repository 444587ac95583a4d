#include <QLabel>
#include <QMessageBox>
#include <QToolButton>

#include "core/Version.h"
#include "mainwindow/AboutBox.h"
#include "mainwindow/HeaderBar.h"
#include "support/ForwardingFieldbus.h"
#include "support/StationFixture.h"

namespace {

using AboutBoxTest = StationFixture;

TEST_F(AboutBoxTest, theHeadersAboutButtonShowsTheVersionAndTheFilesWithoutBlockingTheWindow)
{
    const QString journalPath = dir.filePath(QStringLiteral("journal.sqlite"));
    StationCore core(std::make_unique<ForwardingFieldbus>(bus), clock, path, journalPath);
    MainWindow window(core, MainWindow::Ticking::ByCaller);
    window.show();

    window.header()->aboutButton()->click();
    const auto boxes = window.findChildren<QMessageBox*>();
    ASSERT_EQ(boxes.size(), 1);
    const QMessageBox* box = boxes.front();
    EXPECT_TRUE(box->isVisible());
    EXPECT_FALSE(box->isModal());
    const QString text = box->text();
    EXPECT_TRUE(text.contains(QStringLiteral("版本 %1").arg(QString::fromLatin1(StationVersion::kText))))
        << text.toStdString();
    EXPECT_TRUE(text.contains(path)) << text.toStdString();
    EXPECT_TRUE(text.contains(journalPath)) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("归档：未启用"))) << text.toStdString();
}

TEST_F(AboutBoxTest, theChartsInternalMeasuresAreThereAtTheZoomShownAndNotOnTheOperatorsScreen)
{
    startWindow();
    ZoomGeometry& zoom = window->zoom();
    EXPECT_TRUE(AboutBox::text(core, zoom).contains(QStringLiteral("曲线图：相邻样本间距 150，绘图区 12008 × 7508")));
    zoom.zoomLevel = 4;
    zoom.apply();
    EXPECT_TRUE(AboutBox::text(core, zoom).contains(QStringLiteral("相邻样本间距 37.5，")));

    window->refreshLiveValues();
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        for (const char* figure : {"37.5", "12008", "7508"})
            EXPECT_NE(label->text(), QString::fromUtf8(figure)) << label->metaObject()->className();
    }
}

} // namespace
