#include "configwindow/ParameterPage.h"

#include <algorithm>

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>

#include "widgets/PanelField.h"
#include "configwindow/ParameterRowView.h"

namespace {

using ParameterCatalogue::Parameter;

// Widths shared by every page, so that the columns stay put whichever page
// is shown: the widest caption, list item and current-value name.
struct ColumnWidths {
    int caption = 0;
    int entry = 0;
    int mark = 0;
    QString widestName = QStringLiteral("-32768");
};

ColumnWidths columnWidths(const QFontMetrics& metrics)
{
    ColumnWidths widths;
    int widestName = metrics.horizontalAdvance(widths.widestName);
    for (const Parameter& p : ParameterCatalogue::parameters()) {
        widths.caption = std::max(widths.caption, metrics.horizontalAdvance(ParameterCatalogue::shown(p.caption)));
        for (const std::string_view item : p.choices)
            widths.entry = std::max(widths.entry, metrics.horizontalAdvance(ParameterCatalogue::shown(item)));
        for (const std::string_view name : p.names) {
            const int width = metrics.horizontalAdvance(ParameterCatalogue::shown(name));
            if (width > widestName) {
                widestName = width;
                widths.widestName = ParameterCatalogue::shown(name);
            }
        }
    }
    // Room for the list's arrow and frame.
    widths.entry += 4 * metrics.averageCharWidth() + 16;
    widths.mark = metrics.horizontalAdvance(QCoreApplication::translate("ParameterPage", "写入失败")) + 12;
    return widths;
}

QLabel* headerLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setStyleSheet(QStringLiteral("color: #5a6570; font-weight: bold;"));
    return label;
}

} // namespace

ParameterPage::ParameterPage(ParameterCatalogue::Page page, QWidget* parent)
    : QScrollArea(parent)
{
    // Scrolls only on a screen smaller than the station's.
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    auto* body = new QWidget(this);
    auto* grid = new QGridLayout(body);
    grid->setContentsMargins(12, 10, 12, 10);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(9);

    grid->addWidget(headerLabel(QCoreApplication::translate("ParameterPage", "参数"), body), 0, ParameterRowView::CaptionColumn);
    grid->addWidget(headerLabel(QCoreApplication::translate("ParameterPage", "当前值"), body), 0, ParameterRowView::ValueColumn);
    grid->addWidget(headerLabel(QCoreApplication::translate("ParameterPage", "修改为"), body), 0, ParameterRowView::EntryColumn);
    grid->addWidget(headerLabel(QCoreApplication::translate("ParameterPage", "说明"), body), 0, ParameterRowView::HelpColumn);

    const ColumnWidths widths = columnWidths(fontMetrics());
    int line = 1;
    for (const Parameter& p : ParameterCatalogue::parameters()) {
        if (p.page != page)
            continue;
        auto* r = new ParameterRowView(p, *grid, line++, body);
        r->entry()->setFixedWidth(widths.entry);
        r->currentValueField()->setHintText(widths.widestName);
        r->writeMark()->setMinimumWidth(widths.mark);
        rows_.push_back(r);
    }
    if (page == ParameterCatalogue::Page::Communication) {
        // The instrument answers with its new settings at once, the
        // station's link keeps the old ones until the operator changes them.
        auto* note = new QLabel(QCoreApplication::translate("ParameterPage", "注意：仪表的通讯地址、波特率或校验方式改变后，"
                                                                                "须在主窗口按新的设置重新打开链路，否则通讯中断。"),
                                body);
        note->setWordWrap(true);
        note->setStyleSheet(QStringLiteral("color: #8a5a00; padding-top: 10px;"));
        grid->addWidget(note, line++, ParameterRowView::CaptionColumn, 1, ParameterRowView::HelpColumn + 1);
    }
    grid->setColumnMinimumWidth(ParameterRowView::CaptionColumn, widths.caption);
    grid->setColumnStretch(ParameterRowView::HelpColumn, 1);
    grid->setRowStretch(line, 1);
    setWidget(body);
}
