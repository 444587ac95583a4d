#include "paramset/ParameterSheet.h"

#include <algorithm>
#include <array>
#include <vector>

#include <QCoreApplication>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include "instrument/RegisterMap.h"
#include "paramset/SetSlot.h"

namespace {

// Sensor codes up to PT100 measure a temperature; the others (ohms,
// currents, voltages) are in engineering units the instrument does not name.
constexpr int kSensorParameter = 1;
constexpr int kLastTemperatureSensor = 11;
constexpr int kUnitParameter = 7;

// The station's CJK faces, named as its windows name them.
QFont sheetFont(int pixelSize, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC")});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

// The unit of the process value, when the set's sensor measures a temperature.
QString temperatureUnit(const ParameterSet& set)
{
    const std::optional<int16_t> sensor = set.value(RegisterMap::parameter(kSensorParameter));
    const std::optional<int16_t> unit = set.value(RegisterMap::parameter(kUnitParameter));
    if (!sensor || !unit || *sensor < 0 || *sensor > kLastTemperatureSensor)
        return QString();
    static const std::array<QString, 3> kUnits{QStringLiteral("°C"), QStringLiteral("°F"), QStringLiteral("K")};
    return *unit >= 0 && *unit < static_cast<int>(kUnits.size()) ? kUnits[static_cast<size_t>(*unit)] : QString();
}

// The unit after a value, from the instrument's own ranges (help texts).
QString unitText(const SetSlot& slot, const QString& processUnit)
{
    switch (slot.kind) {
    case SetSlot::Kind::SetValue:
        return processUnit;
    case SetSlot::Kind::AlarmSetPoint:
        // Per alarm: set value, hysteresis, delay in seconds.
        return (slot.number - 1) % RegisterMap::kAlarmSetPointStride == 2 ? QStringLiteral("S") : processUnit;
    case SetSlot::Kind::Parameter:
        break;
    }
    switch (slot.number) {
    case 3: case 4: case 5: case 12: case 31: case 32:
        return processUnit;
    case 6: case 13: case 14: case 15: case 34: case 37:
        return QStringLiteral("S");
    case 17: case 18: case 19: case 33:
        return QStringLiteral("%");
    case 28:
        return QStringLiteral("MS");
    default:
        return QString();
    }
}

struct Column {
    const char* caption;
    int share;  // of the table's width, per mille
};
constexpr std::array<Column, 5> kColumns{{
    {QT_TRANSLATE_NOOP("ParameterSheet", "编号"), 90},
    {QT_TRANSLATE_NOOP("ParameterSheet", "参数"), 290},
    {QT_TRANSLATE_NOOP("ParameterSheet", "寄存器"), 120},
    {QT_TRANSLATE_NOOP("ParameterSheet", "数值"), 180},
    {QT_TRANSLATE_NOOP("ParameterSheet", "选项"), 320},
}};
using RowTexts = std::array<QString, kColumns.size()>;

QString numberColumn(const SetSlot& slot)
{
    switch (slot.kind) {
    case SetSlot::Kind::Parameter: return QString::number(slot.number);
    case SetSlot::Kind::AlarmSetPoint: return QStringLiteral("A%1").arg(slot.number);
    case SetSlot::Kind::SetValue: return QStringLiteral("SV");
    }
    return QString();
}

std::vector<RowTexts> rowsOf(const ParameterSet& set)
{
    const QString processUnit = temperatureUnit(set);
    std::vector<RowTexts> rows;
    for (const SetSlot& slot : SetSlots::all()) {
        const std::optional<int16_t> raw = set.value(slot.registerAddress);
        if (!raw)
            continue;
        const QString unit = unitText(slot, processUnit);
        const QString number = SetSlots::numberText(slot, *raw);
        rows.push_back({numberColumn(slot), SetSlots::shownCaption(slot), QString::number(slot.registerAddress),
                        unit.isEmpty() ? number : number + QLatin1Char(' ') + unit,
                        slot.isChoice() ? SetSlots::shownChoiceText(slot, *raw).trimmed() : QString()});
    }
    return rows;
}

// One page's measures, all from its height in device pixels.
struct SheetLayout {
    explicit SheetLayout(const QRect& area)
        : page(area)
        , line(area.height() / 52)
        , row(line * 4 / 3)
        , title(sheetFont(area.height() / 36, true))
        , text(sheetFont(area.height() / 64, false))
    {
    }

    QRect page;
    int line;
    int row;
    QFont title;
    QFont text;
};

// Returns where the table starts.
int drawHeading(QPainter& painter, const SheetLayout& layout, const ParameterSet& set, const QString& source,
                int page, int pages)
{
    const QRect titleRect(layout.page.left(), layout.page.top(), layout.page.width(), layout.line * 2);
    painter.setFont(layout.title);
    painter.drawText(titleRect, Qt::AlignLeft | Qt::AlignVCenter, QCoreApplication::translate("ParameterSheet", "%1 参数表").arg(set.model));
    painter.setFont(layout.text);
    painter.drawText(titleRect, Qt::AlignRight | Qt::AlignVCenter,
                     QCoreApplication::translate("ParameterSheet", "第 %1 页，共 %2 页").arg(page).arg(pages));
    const QStringList lines{
        QCoreApplication::translate("ParameterSheet", "仪表：地址 %1，端口 %2").arg(set.address).arg(set.port),
        QCoreApplication::translate("ParameterSheet", "读取时间：%1").arg(set.timeRead.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))),
        QCoreApplication::translate("ParameterSheet", "来源：%1").arg(source),
    };
    const QFontMetrics metrics(layout.text);
    int y = titleRect.bottom() + layout.line / 4;
    for (const QString& text : lines) {
        const QRect r(layout.page.left(), y, layout.page.width(), layout.line);
        painter.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, metrics.elidedText(text, Qt::ElideMiddle, r.width()));
        y += layout.line;
    }
    const int rule = y + layout.line / 3;
    painter.drawLine(layout.page.left(), rule, layout.page.right(), rule);
    return rule + layout.line / 2;
}

void drawRow(QPainter& painter, const QRect& row, const RowTexts& texts)
{
    const QFontMetrics metrics(painter.font());
    const int pad = row.height() / 5;
    int x = row.left();
    for (size_t i = 0; i < kColumns.size(); ++i) {
        const int width = row.width() * kColumns[i].share / 1000;
        const QRect cell(x + pad, row.top(), width - 2 * pad, row.height());
        painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(texts[i], Qt::ElideRight, cell.width()));
        x += width;
    }
}

int tableTop(const SheetLayout& layout)
{
    // The heading's height: title, three lines and the rule.
    return layout.page.top() + layout.line * 2 + layout.line / 4 + 3 * layout.line + layout.line / 3 +
           layout.line / 2;
}

int rowsPerPage(const SheetLayout& layout)
{
    return std::max(1, (layout.page.bottom() - tableTop(layout)) / layout.row - 1);
}

} // namespace

namespace ParameterSheet {

QString instrumentSource()
{
    return QCoreApplication::translate("ParameterSheet", "仪表");
}

QString fileSource(const QString& path)
{
    return QCoreApplication::translate("ParameterSheet", "文件 %1").arg(QFileInfo(path).fileName());
}

bool paint(QPagedPaintDevice& device, const ParameterSet& set, const QString& source)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // The painter's origin is the top left of the printable area.
    const QRect area(QPoint(0, 0), device.pageLayout().paintRectPixels(device.logicalDpiY()).size());
    const SheetLayout layout(area);
    const std::vector<RowTexts> rows = rowsOf(set);
    const int perPage = rowsPerPage(layout);
    const int pages = std::max(1, static_cast<int>((rows.size() + perPage - 1) / perPage));

    RowTexts captions;
    for (size_t i = 0; i < kColumns.size(); ++i)
        captions[i] = QCoreApplication::translate("ParameterSheet", kColumns[i].caption);
    QFont headerFont = layout.text;
    headerFont.setBold(true);

    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage())
            return false;
        painter.setPen(Qt::black);
        const int top = drawHeading(painter, layout, set, source, page + 1, pages);
        QRect row(area.left(), top, area.width(), layout.row);
        painter.setFont(headerFont);
        drawRow(painter, row, captions);
        painter.drawLine(row.bottomLeft(), row.bottomRight());
        painter.setFont(layout.text);
        const size_t first = static_cast<size_t>(page * perPage);
        for (size_t i = first; i < rows.size() && i < first + static_cast<size_t>(perPage); ++i) {
            row.translate(0, layout.row);
            // Every other row shaded, so the eye keeps the line across.
            if ((i - first) % 2 == 1)
                painter.fillRect(row, QColor(0xee, 0xee, 0xee));
            drawRow(painter, row, rows[i]);
        }
    }
    return painter.end();
}

std::optional<QString> writePdf(const ParameterSet& set, const QString& source, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setResolution(300);
        writer.setCreator(QStringLiteral("TQ5800"));
        writer.setTitle(QCoreApplication::translate("ParameterSheet", "%1 参数表").arg(set.model));
        if (!paint(writer, set, source)) {
            file.cancelWriting();
            return QCoreApplication::translate("ParameterSheet", "无法生成PDF");
        }
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace ParameterSheet
