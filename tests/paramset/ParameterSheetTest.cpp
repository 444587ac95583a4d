#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "instrument/RegisterMap.h"
#include "paramset/ParameterSheet.h"
#include "paramset/SetSlot.h"
#include "support/EnglishInterface.h"

namespace {

// The text of a PDF, pages apart by form feeds, as a reader's copy and
// paste would find it.
QString pdfText(const QString& path)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(20000))
        return QString();
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

// Every slot of a set, each with a value that is valid for it: choices at
// their last item, numbers distinct so that a row shown twice or not at
// all is seen.
ParameterSet fullSet()
{
    ParameterSet set;
    set.address = 7;
    set.port = 3;
    set.timeRead = QDateTime(QDate(2026, 5, 4), QTime(9, 8, 7));
    int16_t next = 1201;
    for (const SetSlot& slot : SetSlots::all()) {
        const auto raw = slot.isChoice() ? static_cast<int16_t>(slot.parameter->choices.size() - 1) : next++;
        set.values[slot.registerAddress] = raw;
    }
    // A thermocouple in degrees Celsius, so temperatures carry their unit.
    set.values[RegisterMap::parameter(1)] = 0;
    set.values[RegisterMap::parameter(7)] = 0;
    return set;
}

TEST(ParameterSheet, aPdfHoldsEveryCaptionAndValueWithTheHeadingOverSeveralPages)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
    const ParameterSet set = fullSet();
    ASSERT_FALSE(ParameterSheet::writePdf(set, ParameterSheet::fileSource(QStringLiteral("/x/line 3.json")), path));

    const QString text = pdfText(path);
    ASSERT_FALSE(text.isEmpty()) << "pdftotext gave nothing";
    EXPECT_GE(text.count(QLatin1Char('\f')), 2) << "one page only";
    EXPECT_TRUE(text.contains(QStringLiteral("TQ5800 参数表")));
    EXPECT_TRUE(text.contains(QStringLiteral("仪表：地址 7，端口 3")));
    EXPECT_TRUE(text.contains(QStringLiteral("读取时间：2026-05-04 09:08:07")));
    EXPECT_TRUE(text.contains(QStringLiteral("来源：文件 line 3.json")));
    ASSERT_FALSE(SetSlots::all().empty());
    for (const SetSlot& slot : SetSlots::all()) {
        const int16_t raw = *set.value(slot.registerAddress);
        EXPECT_TRUE(text.contains(slot.caption)) << slot.caption.toStdString();
        EXPECT_TRUE(text.contains(SetSlots::numberText(slot, raw))) << slot.caption.toStdString();
        if (slot.isChoice()) {
            EXPECT_TRUE(text.contains(SetSlots::choiceText(slot, raw).trimmed())) << slot.caption.toStdString();
        }
    }
    // Input upper limit in the set's temperature unit, the filter in tenths of a second.
    const SetSlot& upper = *SetSlots::ofParameter(3);
    EXPECT_TRUE(text.contains(SetSlots::numberText(upper, *set.value(upper.registerAddress)) + QStringLiteral(" °C")));
    const SetSlot& filter = *SetSlots::ofParameter(6);
    EXPECT_TRUE(text.contains(SetSlots::numberText(filter, *set.value(filter.registerAddress)) + QStringLiteral(" S")));
}

TEST(ParameterSheet, inTheEnglishInterfaceTheSheetIsEnglishWithEveryCaptionAndChoiceWhole)
{
    EnglishInterface english;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
    const ParameterSet set = fullSet();
    ASSERT_FALSE(ParameterSheet::writePdf(set, ParameterSheet::fileSource(QStringLiteral("/x/line 3.json")), path));

    const QString text = pdfText(path);
    EXPECT_TRUE(text.contains(QStringLiteral("TQ5800 Parameter Sheet")));
    EXPECT_TRUE(text.contains(QStringLiteral("Instrument: address 7, port 3")));
    EXPECT_TRUE(text.contains(QStringLiteral("Source: file line 3.json")));
    for (const SetSlot& slot : SetSlots::all()) {
        const QString caption = SetSlots::shownCaption(slot);
        EXPECT_NE(caption, slot.caption);
        EXPECT_TRUE(text.contains(caption)) << caption.toStdString();
        const int16_t raw = *set.value(slot.registerAddress);
        if (slot.isChoice()) {
            const QString choice = SetSlots::shownChoiceText(slot, raw).trimmed();
            EXPECT_TRUE(text.contains(choice)) << choice.toStdString();
        }
    }
}

TEST(ParameterSheet, aFileThatCannotBeWrittenIsReportedAndNothingIsLeft)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing/sheet.pdf"));
    EXPECT_TRUE(ParameterSheet::writePdf(fullSet(), ParameterSheet::instrumentSource(), path));
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace
