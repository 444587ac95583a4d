#include <QMessageBox>
#include <QToolButton>

#include "core/Version.h"
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

} // namespace
