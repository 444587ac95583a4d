#include "mainwindow/AboutBox.h"

#include <QCoreApplication>
#include <QMessageBox>

#include "core/NumberText.h"
#include "core/Version.h"
#include "station/StationCore.h"
#include "trend/ZoomGeometry.h"
#include "trendview/TrendSurface.h"

namespace {

QString orNone(const QString& path)
{
    return path.isEmpty() ? QCoreApplication::translate("AboutBox", "未启用") : path;
}

} // namespace

namespace AboutBox {

QString text(StationCore& core, const ZoomGeometry& zoom)
{
    const QString chart =
        QCoreApplication::translate("AboutBox", "曲线图：相邻样本间距 %1，绘图区 %2 × %3（图表单位）")
            .arg(numberText(zoom.markStep), numberText(int32_t{TrendSurface::kScaleWidth}),
                 numberText(int32_t{TrendSurface::kScaleHeight}));
    return QCoreApplication::translate("AboutBox",
                                       "过程控制仪表 TQ5800 工作站\n版本 %1\n\n历史文件：%2\n事件记录：%3\n归档：%4\n\nQt %5")
        .arg(QString::fromLatin1(StationVersion::kText), orNone(core.databasePath()),
             orNone(core.journals() ? core.journal().path() : QString()),
             orNone(core.archives() ? core.archive().folder() : QString()), QString::fromLatin1(qVersion()))
        + QStringLiteral("\n") + chart;
}

void show(StationCore& core, const ZoomGeometry& zoom, QWidget* parent)
{
    auto* box = new QMessageBox(QMessageBox::Information, QCoreApplication::translate("AboutBox", "关于"),
                                text(core, zoom),
                                QMessageBox::Close, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

} // namespace AboutBox
