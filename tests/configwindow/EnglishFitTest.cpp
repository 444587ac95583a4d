#include <algorithm>

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTableWidget>

#include "configwindow/CompareDialog.h"
#include "configwindow/DownloadDialog.h"
#include "paramset/DownloadPlan.h"
#include "paramset/ParameterDownload.h"
#include "paramset/SetComparison.h"
#include "paramset/SetSlot.h"
#include "support/ConfigFixture.h"
#include "support/EnglishInterface.h"
#include "support/StateFeed.h"
#include "widgets/ElidedLabel.h"
#include "widgets/StatusIndicator.h"

namespace {

// The widest line of a text, as drawn in the widget's font.
int textWidth(const QWidget& widget, const QString& text)
{
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, widget.fontMetrics().horizontalAdvance(line));
    return widest;
}

QString clipped(const QWidget& widget, const QString& text, int room)
{
    return QStringLiteral("%1 \"%2\": needs %3 px, has %4")
        .arg(QString::fromLatin1(widget.metaObject()->className()), text)
        .arg(textWidth(widget, text))
        .arg(room);
}

// Every text shown under root that its widget cuts off: labels (word-wrapped
// ones reflow, elided ones carry the whole text in a tooltip), buttons, tabs,
// group titles, list items of a combo box, table headers and cells.
QStringList clippedTexts(const QWidget& root)
{
    QStringList found;
    QList<const QWidget*> widgets{&root};
    for (const QWidget* child : root.findChildren<QWidget*>())
        widgets << child;
    for (const QWidget* w : widgets) {
        if (!w->isVisible())
            continue;
        if (const auto* label = qobject_cast<const QLabel*>(w)) {
            if (label->wordWrap() || dynamic_cast<const ElidedLabel*>(label) || label->text().isEmpty())
                continue;
            const int room = label->contentsRect().width() - 2 * label->margin();
            if (textWidth(*label, label->text()) > room)
                found << clipped(*label, label->text(), room);
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
            if (!button->text().isEmpty() && button->sizeHint().width() > button->width())
                found << clipped(*button, button->text(), button->width());
        } else if (const auto* group = qobject_cast<const QGroupBox*>(w)) {
            if (textWidth(*group, group->title()) > group->contentsRect().width())
                found << clipped(*group, group->title(), group->contentsRect().width());
        } else if (const auto* tabs = qobject_cast<const QTabBar*>(w)) {
            for (int i = 0; i < tabs->count(); ++i) {
                if (textWidth(*tabs, tabs->tabText(i)) > tabs->tabRect(i).width())
                    found << clipped(*tabs, tabs->tabText(i), tabs->tabRect(i).width());
            }
        } else if (const auto* combo = qobject_cast<const QComboBox*>(w)) {
            QStyleOptionComboBox option;
            option.initFrom(combo);
            option.editable = combo->isEditable();
            const int room = combo->style()
                                 ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo)
                                 .width();
            for (int i = 0; i < combo->count(); ++i) {
                if (textWidth(*combo, combo->itemText(i)) > room)
                    found << clipped(*combo, combo->itemText(i), room);
            }
        } else if (const auto* table = qobject_cast<const QTableWidget*>(w)) {
            // A cell's text has the item view's margin on each side.
            const int margin = 2 * (table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1);
            for (int column = 0; column < table->columnCount(); ++column) {
                if (table->isColumnHidden(column))
                    continue;
                const int room = table->columnWidth(column) - margin;
                if (const QTableWidgetItem* header = table->horizontalHeaderItem(column);
                    header && textWidth(*table->horizontalHeader(), header->text()) > room)
                    found << clipped(*table->horizontalHeader(), header->text(), room);
                for (int row = 0; row < table->rowCount(); ++row) {
                    const QTableWidgetItem* item = table->item(row, column);
                    if (item && textWidth(*table, item->text()) > room)
                        found << clipped(*table, item->text(), room);
                }
            }
        }
    }
    return found;
}

// The configuration window and the parameter set dialogs in English at the
// operator's screen size: nothing the operator reads is cut off.
class EnglishFit : public ConfigFixture {
protected:
    // Current values at their widest: the longest read-back name of a
    // choice, the longest number otherwise.
    void feedWidestValues()
    {
        for (const ParameterCatalogue::Parameter& p : ParameterCatalogue::parameters()) {
            size_t widest = 0;
            for (size_t code = 0; code < p.names.size(); ++code) {
                if (ParameterCatalogue::shown(p.names[code]).size() > ParameterCatalogue::shown(p.names[widest]).size())
                    widest = code;
            }
            // The widest number a register shows: in tenths with its decimal.
            const float widestNumber = p.form == ParameterCatalogue::ValueForm::Tenths ? -3276.8f : -32768.0f;
            StateFeed::setParameter(state, p.number, p.isChoice() ? static_cast<float>(widest) : widestNumber);
        }
    }

    // An instrument at its defaults, as the documentation shows it.
    void feedDefaults()
    {
        const std::pair<int, float> defaults[] = {
            {1, 0}, {2, 1}, {3, 5000}, {4, 0}, {5, 0}, {6, 1}, {7, 0}, {9, 1}, {10, 0}, {11, 0}, {12, 20},
            {13, 120}, {14, 30}, {15, 2}, {16, 1}, {17, 100}, {18, 0}, {19, 0}, {20, 0}, {22, 1}, {23, 2},
            {24, 6}, {25, 1}, {26, 1}, {27, 0}, {28, 0}, {29, 0}, {30, 0}, {31, 1000}, {32, 0}, {33, 1},
            {34, 600}, {35, 0}, {36, 0}, {37, 0},
        };
        for (const auto& [n, value] : defaults)
            StateFeed::setParameter(state, n, value);
    }

    // A file differing from the instrument in every slot, the link settings
    // among them, with a choice and a number on each side.
    static std::vector<SetDifference> everyDifference()
    {
        std::vector<SetDifference> differences;
        for (const SetSlot& slot : SetSlots::all()) {
            const int16_t last = slot.isChoice() ? static_cast<int16_t>(slot.parameter->choices.size() - 1) : -1999;
            differences.push_back({&slot, last, 0});
        }
        return differences;
    }

    static DownloadPlan planOf(const std::vector<SetDifference>& differences)
    {
        DownloadPlan plan;
        for (const SetDifference& d : differences) {
            const bool linkSetting = d.slot->kind == SetSlot::Kind::Parameter && d.slot->number >= 25
                                     && d.slot->number <= 27;
            (linkSetting ? plan.kept : plan.writes).push_back(d);
        }
        return plan;
    }

    static void showAt(QWidget& w)
    {
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        QApplication::sendPostedEvents();  // lays it out
    }

    EnglishInterface english;  // before the window, so that it is built in English
};

TEST_F(EnglishFit, everyConfigurationPageShowsItsTextsWhole)
{
    feedWidestValues();
    open();
    window->resize(1280, 800);
    window->showCurrentValues();
    ASSERT_EQ(window->pageTabs()->tabText(0), QStringLiteral("Input"));
    // The hint on the status line is elided only when it does not fit.
    EXPECT_FALSE(window->statusLine()->isElided()) << window->statusLine()->line().text.toStdString();
    for (int page = 0; page < ParameterCatalogue::kPageCount; ++page) {
        window->pageTabs()->setCurrentIndex(page);
        QApplication::sendPostedEvents();
        EXPECT_LE(window->width(), 1280);
        EXPECT_EQ(clippedTexts(*window).join(QLatin1Char('\n')).toStdString(), "") << "page " << page;
    }
}

TEST_F(EnglishFit, theOutputPageRendersInEnglishAtTheStationsScreenSize)
{
    feedDefaults();
    open();
    window->resize(1280, 800);
    window->showCurrentValues();
    // The picture of the documentation: the output page, the busiest one.
    window->pageTabs()->setCurrentIndex(static_cast<int>(ParameterCatalogue::Page::Output));
    QApplication::sendPostedEvents();
    const QDir out(QStringLiteral(TQ5800_CONFIG_PICTURES_DIR));
    ASSERT_TRUE(out.mkpath(QStringLiteral(".")));
    const QImage picture = window->grab().toImage();
    ASSERT_EQ(picture.size(), QSize(1280, 800));
    EXPECT_TRUE(picture.save(out.filePath(QStringLiteral("config-window-en.png"))));
}

TEST_F(EnglishFit, theCompareAndDownloadDialogsShowTheirTextsWholeInEveryState)
{
    open();
    window->resize(1280, 800);
    const std::vector<SetDifference> differences = everyDifference();
    CompareDialog compare(QStringLiteral("line 3.json"), differences, window.get());
    showAt(compare);
    EXPECT_EQ(clippedTexts(compare).join(QLatin1Char('\n')).toStdString(), "");

    const DownloadPlan plan = planOf(differences);
    DownloadDialog preview(QStringLiteral("line 3.json"), differences, plan, window.get());
    showAt(preview);
    EXPECT_EQ(clippedTexts(preview).join(QLatin1Char('\n')).toStdString(), "") << "before the download";

    // Stopped half way: written, failed, not written and kept rows at once.
    DownloadReport report;
    const size_t half = plan.writes.size() / 2;
    report.written.assign(plan.writes.begin(), plan.writes.begin() + static_cast<std::ptrdiff_t>(half));
    report.failed = plan.writes[half];
    report.failure = QCoreApplication::translate("ParameterDownload", "%1：%2")
                         .arg(report.failed->shownCaption(),
                              QCoreApplication::translate("ParameterDownload", "仪表保持 %1，不是写入的 %2")
                                  .arg(QStringLiteral("-1999"), report.failed->shownFileText()));
    report.notWritten.assign(plan.writes.begin() + static_cast<std::ptrdiff_t>(half) + 1, plan.writes.end());
    report.kept = plan.kept;
    preview.showReport(report);
    QApplication::sendPostedEvents();
    EXPECT_EQ(clippedTexts(preview).join(QLatin1Char('\n')).toStdString(), "") << "after a failed download";
}

} // namespace
