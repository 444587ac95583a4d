#include "export/ReportPages.h"

#include <algorithm>
#include <array>

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>

#include "export/PeriodStatistics.h"
#include "export/ReportJournal.h"
#include "journal/ShownEvent.h"

namespace {

// The station's CJK faces, named as its windows name them: fontconfig's own
// choice for Chinese text varies between machines.
QFont reportFont(int pixelSize, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC")});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QString valueText(double value)
{
    return QString::number(value, 'f', 1);
}

QString shareText(int64_t part, int64_t whole)
{
    if (whole <= 0)
        return QString();
    return QCoreApplication::translate("ReportPages", "（%1%）").arg(QString::number(100.0 * static_cast<double>(part) / whole, 'f', 1));
}

// Column captions and their shares of the table's width, in per mille.
struct TableColumn {
    const char* caption;
    int share;
};
constexpr std::array<TableColumn, 8> kColumns{{
    {QT_TRANSLATE_NOOP("ReportPages", "时间"), 140},
    {QT_TRANSLATE_NOOP("ReportPages", "类别"), 150},  // room for the English kinds
    {QT_TRANSLATE_NOOP("ReportPages", "来源"), 110},
    {QT_TRANSLATE_NOOP("ReportPages", "项目"), 100},
    {QT_TRANSLATE_NOOP("ReportPages", "原值"), 70},
    {QT_TRANSLATE_NOOP("ReportPages", "新值"), 70},
    {QT_TRANSLATE_NOOP("ReportPages", "结果"), 60},
    {QT_TRANSLATE_NOOP("ReportPages", "说明"), 300},
}};

std::array<QString, 8> rowTexts(const JournalEvent& e)
{
    const ShownEvent shown = shownEvent(e);
    QString note = shown.text;
    if (!e.user.isEmpty())
        note = note.isEmpty() ? e.user : note + QStringLiteral("  ") + e.user;
    return {e.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
            shown.kind,
            shown.source,
            shown.what,
            shown.oldValue,
            shown.newValue,
            shown.outcome,
            note};
}

void drawRow(QPainter& painter, const QRect& row, const std::array<QString, 8>& texts)
{
    const QFontMetrics metrics(painter.font());
    const int pad = row.height() / 6;
    int x = row.left();
    for (size_t i = 0; i < kColumns.size(); ++i) {
        const int width = row.width() * kColumns[i].share / 1000;
        const QRect cell(x + pad, row.top(), width - 2 * pad, row.height());
        painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(texts[i], Qt::ElideRight, cell.width()));
        x += width;
    }
}

int rowHeight(const ReportLayout& layout)
{
    return layout.line * 3 / 2;
}

} // namespace

ReportLayout::ReportLayout(const QRect& pageArea)
    : page(pageArea)
    , line(pageArea.height() / 40)
    , title(reportFont(pageArea.height() / 28, true))
    , text(reportFont(pageArea.height() / 48, false))
{
}

int drawReportHeading(QPainter& painter, const ReportLayout& layout, const QString& title, const QString& period,
                      const QString& pageText)
{
    painter.save();
    painter.setPen(Qt::black);
    const QRect titleRect(layout.page.left(), layout.page.top(), layout.page.width(), layout.line * 2);
    painter.setFont(layout.title);
    painter.drawText(titleRect, Qt::AlignLeft | Qt::AlignVCenter, title);
    painter.setFont(layout.text);
    painter.drawText(titleRect, Qt::AlignRight | Qt::AlignVCenter, pageText);
    const QRect periodRect(layout.page.left(), titleRect.bottom(), layout.page.width(), layout.line);
    painter.drawText(periodRect, Qt::AlignLeft | Qt::AlignVCenter, period);
    const int rule = periodRect.bottom() + layout.line / 3;
    painter.drawLine(layout.page.left(), rule, layout.page.right(), rule);
    painter.restore();
    return rule + layout.line / 2;
}

void drawReportStatistics(QPainter& painter, const ReportLayout& layout, const QRect& area,
                          const PeriodStatistics& s, double band, const ReportJournal& journal)
{
    QStringList lines;
    if (s.samples == 0) {
        lines << QCoreApplication::translate("ReportPages", "本时段无记录");
    } else {
        lines << QCoreApplication::translate("ReportPages", "测量值PV  最小 %1    最大 %2    平均 %3")
                     .arg(valueText(s.pvMin), valueText(s.pvMax), valueText(s.pvMean));
        lines << QCoreApplication::translate("ReportPages", "PV 超出 SV ± %1 的时间  %2%3")
                     .arg(valueText(band), durationText(s.outsideBandMs), shareText(s.outsideBandMs, s.coveredMs));
        lines << QCoreApplication::translate("ReportPages", "报警时间  ALM1 %1    ALM2 %2    ALM3 %3")
                     .arg(durationText(s.alarmMs[0]), durationText(s.alarmMs[1]), durationText(s.alarmMs[2]));
        if (s.alarmUnknownMs > 0) {
            lines << QCoreApplication::translate("ReportPages", "报警状态未知的时间  %1（这些记录不含报警状态）").arg(durationText(s.alarmUnknownMs));
            lines << QCoreApplication::translate("ReportPages", "    即取自环形记录（不存报警状态）或报警输入未读到时的采样所代表的时间，不计入上面的报警时间");
        }
    }
    lines << QCoreApplication::translate("ReportPages", "记录覆盖  %1（%2 个采样）    间断 %3 处，共 %4")
                 .arg(durationText(s.coveredMs), QString::number(s.samples), QString::number(s.gaps),
                      durationText(s.gapMs));
    if (!journal.found)
        lines << QCoreApplication::translate("ReportPages", "无事件记录文件");
    else if (!journal.error.isEmpty())
        lines << QCoreApplication::translate("ReportPages", "事件记录无法读取：%1").arg(journal.error);
    else
        lines << QCoreApplication::translate("ReportPages", "报警事件与操作记录  %1 条").arg(journal.events.size());

    painter.save();
    painter.setPen(Qt::black);
    painter.setFont(layout.text);
    const QFontMetrics metrics(layout.text);
    int y = area.top();
    for (const QString& text : lines) {
        const QRect row(area.left(), y, area.width(), rowHeight(layout));
        painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, metrics.elidedText(text, Qt::ElideRight, row.width()));
        y += rowHeight(layout);
    }
    painter.restore();
}

int journalRowsFitting(const ReportLayout& layout, const QRect& area)
{
    return std::max(1, area.height() / rowHeight(layout) - 1);
}

void drawJournalTable(QPainter& painter, const ReportLayout& layout, const QRect& area,
                      const std::vector<JournalEvent>& events, size_t first, size_t count)
{
    painter.save();
    painter.setPen(Qt::black);
    QFont header = layout.text;
    header.setBold(true);
    painter.setFont(header);
    std::array<QString, 8> captions;
    for (size_t i = 0; i < kColumns.size(); ++i)
        captions[i] = QCoreApplication::translate("ReportPages", kColumns[i].caption);
    const int height = rowHeight(layout);
    QRect row(area.left(), area.top(), area.width(), height);
    drawRow(painter, row, captions);
    painter.drawLine(row.bottomLeft(), row.bottomRight());
    painter.setFont(layout.text);
    for (size_t i = first; i < first + count && i < events.size(); ++i) {
        row.translate(0, height);
        drawRow(painter, row, rowTexts(events[i]));
    }
    painter.restore();
}

QString durationText(int64_t ms)
{
    const int64_t seconds = ms / 1000;
    const int64_t days = seconds / 86400;
    const QString clock = QStringLiteral("%1:%2:%3")
                              .arg((seconds / 3600) % 24, 2, 10, QLatin1Char('0'))
                              .arg((seconds / 60) % 60, 2, 10, QLatin1Char('0'))
                              .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return days > 0 ? QCoreApplication::translate("ReportPages", "%1 天 %2").arg(days).arg(clock) : clock;
}
