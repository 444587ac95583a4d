#include <algorithm>
#include <map>

#include <QDir>
#include <QLabel>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QPushButton>

#include "configwindow/CompareDialog.h"
#include "configwindow/DifferenceTable.h"
#include "configwindow/DownloadDialog.h"
#include "configwindow/ParameterRowView.h"
#include "configwindow/ParameterSetCommands.h"
#include "link/LinkSettings.h"
#include "paramset/ParameterSetFile.h"
#include "paramset/SetSlot.h"
#include "support/ConfigFixture.h"
#include "widgets/PanelField.h"
#include "widgets/StatusIndicator.h"

namespace {

// An instrument at its defaults, raw register values by parameter number.
const std::map<int, int16_t> kDefaults = {
    {1, 0},     {2, 1},   {3, 5000}, {4, 0},   {5, 0},    {6, 10},  {7, 0},   {9, 1},   {10, 0},
    {11, 0},    {12, 20}, {13, 120}, {14, 30}, {15, 2},   {16, 1},  {17, 1000}, {18, 0}, {19, 0},
    {20, 0},    {22, 1},  {23, 2},   {24, 6},  {25, 1},   {26, 1},  {27, 0},  {28, 0},  {29, 0},
    {30, 0},    {31, 1000}, {32, 0}, {33, 10}, {34, 600}, {35, 0},  {36, 0},  {37, 0},
};

// The parameter set commands of the configuration window on a fake
// fieldbus holding an instrument at its defaults. The file dialog is
// answered with chosenPath.
class ParameterSetWindow : public ConfigFixture {
protected:
    void SetUp() override
    {
        ConfigFixture::SetUp();
        link.open(LinkSettings{1, 1, 0, 1});
        for (const SetSlot& slot : SetSlots::all())
            bus.setHoldingRegister(slot.registerAddress, instrumentRaw(slot));
        open();
        commands().setFileChooser([this](ParameterSetCommands::FileRole, std::function<void(const QString&)> chosen) {
            ++fileQuestions;
            chosen(chosenPath);
        });
        chosenPath = dir.filePath(QStringLiteral("line 3.json"));
    }

    ParameterSetCommands& commands() { return *window->parameterSets(); }

    static int16_t instrumentRaw(const SetSlot& slot)
    {
        switch (slot.kind) {
        case SetSlot::Kind::Parameter: return kDefaults.at(slot.number);
        case SetSlot::Kind::AlarmSetPoint: return static_cast<int16_t>(100 + slot.number);
        case SetSlot::Kind::SetValue: return 250;
        }
        return 0;
    }

    // The instrument's set with three values changed: a number, a choice
    // and an alarm set point.
    ParameterSet fileSet() const
    {
        ParameterSet set;
        set.address = 1;
        set.port = 1;
        set.timeRead = QDateTime::currentDateTime();
        set.stationVersion = ParameterSetFile::stationVersion();
        for (const SetSlot& slot : SetSlots::all())
            set.values[slot.registerAddress] = instrumentRaw(slot);
        set.values[SetSlots::ofParameter(13)->registerAddress] = 240;
        set.values[SetSlots::ofParameter(22)->registerAddress] = 3;
        set.values[SetSlots::ofAlarmSetPoint(1)->registerAddress] = 150;
        return set;
    }

    static QStringList changedCaptions()
    {
        return {SetSlots::ofParameter(13)->caption, SetSlots::ofParameter(22)->caption,
                SetSlots::ofAlarmSetPoint(1)->caption};
    }

    void writeFile()
    {
        ASSERT_FALSE(ParameterSetFile::save(fileSet(), chosenPath));
    }

    QString statusText() const { return window->statusLine()->line().text; }

    DownloadDialog* previewOfFile()
    {
        writeFile();
        window->parameterSets()->downloadButton()->click();
        EXPECT_TRUE(waitFor([&] { return commands().downloadDialog() != nullptr; })) << statusText().toStdString();
        return commands().downloadDialog();
    }

    QString chosenPath;
    int fileQuestions = 0;
};

TEST_F(ParameterSetWindow, theDownloadPreviewListsExactlyTheDifferingParametersAndWritesNothingBeforeTheConfirm)
{
    DownloadDialog* preview = previewOfFile();
    ASSERT_TRUE(preview);
    EXPECT_FALSE(preview->isModal());
    QStringList shown = preview->table()->captions();
    QStringList expected = changedCaptions();
    shown.sort();
    expected.sort();
    EXPECT_EQ(shown, expected);
    EXPECT_TRUE(preview->downloadButton()->isEnabled());
    EXPECT_TRUE(writes().empty());
}

TEST_F(ParameterSetWindow, confirmingThePreviewWritesTheDifferencesAndShowsEachAsWritten)
{
    DownloadDialog* preview = previewOfFile();
    ASSERT_TRUE(preview);
    preview->downloadButton()->click();
    ASSERT_TRUE(waitFor([&] { return preview->summary().startsWith(QStringLiteral("下载完成")); }))
        << preview->summary().toStdString();
    std::vector<FakeFieldbus::Call> written = writes();
    std::vector<FakeFieldbus::Call> expected = {writeCall(SetSlots::ofParameter(13)->registerAddress, 240),
                                                writeCall(SetSlots::ofParameter(22)->registerAddress, 3),
                                                writeCall(SetSlots::ofAlarmSetPoint(1)->registerAddress, 150)};
    std::sort(written.begin(), written.end(), [](const auto& a, const auto& b) { return a.args < b.args; });
    std::sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) { return a.args < b.args; });
    EXPECT_EQ(written, expected);
    for (int row = 0; row < preview->table()->rowCount(); ++row)
        EXPECT_EQ(preview->table()->note(row), QStringLiteral("已写入")) << row;
    EXPECT_TRUE(statusText().startsWith(QStringLiteral("参数下载完成"))) << statusText().toStdString();
}

// The row followed only its own writes: after a download wrote 30 it
// still said "25 已写入".
TEST_F(ParameterSetWindow, aDownloadThatChangesARowsRegisterShowsTheNewValueAndWrittenInTheRow)
{
    const auto pollAndShow = [this] {
        clock.advanceMs(1000);
        QSignalSpy finished(&poll, &Poller::cycleFinished);
        poll.startCycle();
        ASSERT_TRUE(waitFor([&] { return finished.count() > 0; }));
        window->showCurrentValues();
    };
    const auto mark = [this] { return window->row(12)->writeMark()->text(); };
    pollAndShow();
    typeAndLeave(12, QStringLiteral("25"));
    pollAndShow();
    pollAndShow();
    ASSERT_EQ(window->valueEdit(12)->text(), QStringLiteral("25"));
    ASSERT_EQ(mark(), QStringLiteral("已写入"));

    ParameterSet file = fileSet();
    file.values[SetSlots::ofParameter(12)->registerAddress] = 30;
    ASSERT_FALSE(ParameterSetFile::save(file, chosenPath));
    window->parameterSets()->downloadButton()->click();
    ASSERT_TRUE(waitFor([&] { return commands().downloadDialog() != nullptr; })) << statusText().toStdString();
    commands().downloadDialog()->downloadButton()->click();
    ASSERT_TRUE(waitFor([&] { return statusText().startsWith(QStringLiteral("参数下载完成")); }))
        << statusText().toStdString();
    EXPECT_EQ(window->valueEdit(12)->text(), QStringLiteral("30")) << "the value written, at once";
    EXPECT_EQ(mark(), QStringLiteral("已写入"));
    pollAndShow();
    pollAndShow();
    EXPECT_EQ(window->valueEdit(12)->text(), QStringLiteral("30"));
    EXPECT_EQ(window->currentValueField(12)->text(), QStringLiteral("30"));
    EXPECT_EQ(mark(), QStringLiteral("已写入"));

    // Changed at the instrument's own keys since: no write put 28 there.
    bus.setHoldingRegister(SetSlots::ofParameter(12)->registerAddress, 28);
    pollAndShow();
    EXPECT_EQ(window->valueEdit(12)->text(), QStringLiteral("28"));
    EXPECT_EQ(mark(), QString());
}

TEST_F(ParameterSetWindow, aFailedWriteShowsWhatWasWrittenWhatFailedAndWhatWasNot)
{
    DownloadDialog* preview = previewOfFile();
    ASSERT_TRUE(preview);
    // The first write goes through; the second fails, and so does the link's repeat of it.
    bus.scriptWriteResults({true, false, false});
    preview->downloadButton()->click();
    ASSERT_TRUE(waitFor([&] { return preview->summary().startsWith(QStringLiteral("下载中止")); }))
        << preview->summary().toStdString();
    QStringList notes;
    for (int row = 0; row < preview->table()->rowCount(); ++row)
        notes.append(preview->table()->note(row).section(QChar(u'：'), 0, 0));
    notes.sort();
    EXPECT_EQ(notes, (QStringList{QStringLiteral("写入失败"), QStringLiteral("已写入"), QStringLiteral("未写入")}))
        << notes.join(QLatin1Char(',')).toStdString();
    EXPECT_TRUE(statusText().startsWith(QStringLiteral("参数下载中止"))) << statusText().toStdString();
}

TEST_F(ParameterSetWindow, escDuringADownloadIsRefusedUntilItEnds)
{
    DownloadDialog* preview = previewOfFile();
    ASSERT_TRUE(preview);
    bus.holdNext("writeRegister");
    preview->downloadButton()->click();
    // The fresh read before the first write comes back through the event loop.
    ASSERT_TRUE(waitFor([&] { return bus.waitUntilHeld(0); }));
    QSignalSpy returned(window.get(), &ConfigWindow::returned);
    window->backButton()->click();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(returned.count(), 0);
    EXPECT_EQ(statusText(), QStringLiteral("参数下载进行中，结束后才能返回"));
    bus.release();
    ASSERT_TRUE(waitFor([&] { return !commands().downloading(); }));
    window->backButton()->click();
    EXPECT_EQ(returned.count(), 1);
}

TEST_F(ParameterSetWindow, aFileThatIsRefusedWritesNothingAndTheStatusLineSaysWhy)
{
    QFile file(chosenPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\"model\": \"TQ5800\", \"parameters\": [");
    file.close();
    window->parameterSets()->downloadButton()->click();
    ASSERT_TRUE(waitFor([&] { return statusText().contains(QStringLiteral("不能使用")); }));
    EXPECT_TRUE(statusText().startsWith(QStringLiteral("参数文件 line 3.json 不能使用："))) << statusText().toStdString();
    EXPECT_TRUE(statusText().endsWith(QStringLiteral("未写入仪表"))) << statusText().toStdString();
    EXPECT_EQ(commands().downloadDialog(), nullptr);
    EXPECT_TRUE(writes().empty());
}

TEST_F(ParameterSetWindow, saveWritesTheInstrumentsValuesReadFreshToTheChosenFile)
{
    window->parameterSets()->saveButton()->click();
    ASSERT_TRUE(waitFor([&] { return statusText().startsWith(QStringLiteral("参数已保存")); }))
        << statusText().toStdString();
    const SetFileReading saved = ParameterSetFile::load(chosenPath);
    ASSERT_TRUE(saved.set) << saved.problem.toStdString();
    for (const SetSlot& slot : SetSlots::all())
        EXPECT_EQ(saved.set->value(slot.registerAddress), std::optional<int16_t>(instrumentRaw(slot)))
            << slot.caption.toStdString();
}

TEST_F(ParameterSetWindow, saveIsRefusedWithTheReasonWhenAReadFails)
{
    bus.failCalls("readHoldingRegisters");
    window->parameterSets()->saveButton()->click();
    ASSERT_TRUE(waitFor([&] { return statusText().startsWith(QStringLiteral("读取仪表参数失败")); }))
        << statusText().toStdString();
    EXPECT_TRUE(statusText().endsWith(QStringLiteral("未保存"))) << statusText().toStdString();
    EXPECT_EQ(fileQuestions, 0);
    EXPECT_FALSE(QFile::exists(chosenPath));
}

TEST_F(ParameterSetWindow, compareShowsFileAndInstrumentValuesWithChoiceTextsInANonModalDialog)
{
    writeFile();
    window->parameterSets()->compareButton()->click();
    ASSERT_TRUE(waitFor([&] { return commands().compareDialog() != nullptr; })) << statusText().toStdString();
    CompareDialog* dialog = commands().compareDialog();
    EXPECT_FALSE(dialog->isModal());
    const DifferenceTable& table = *dialog->table();
    ASSERT_EQ(table.rowCount(), 3);
    const SetSlot& alarmMode = *SetSlots::ofParameter(22);
    const int row = static_cast<int>(table.captions().indexOf(alarmMode.caption));
    ASSERT_GE(row, 0);
    EXPECT_EQ(table.item(row, DifferenceTable::FileColumn)->text(), QStringLiteral("3:上偏差"));
    EXPECT_EQ(table.item(row, DifferenceTable::InstrumentColumn)->text(), QStringLiteral("1:上限"));
    EXPECT_TRUE(writes().empty());
}

TEST_F(ParameterSetWindow, theSheetOfAFileIsSavedAsPdfNamingTheFileAndItsValues)
{
    writeFile();
    const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
    commands().setFileChooser([&](ParameterSetCommands::FileRole role, std::function<void(const QString&)> chosen) {
        chosen(role == ParameterSetCommands::FileRole::SavePdf ? pdf : chosenPath);
    });
    commands().printFile(true);
    ASSERT_TRUE(waitFor([&] { return statusText().startsWith(QStringLiteral("参数表已保存")); }))
        << statusText().toStdString();
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(pdftotext.waitForFinished(20000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("来源：文件 line 3.json"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("3:上偏差"))) << text.toStdString();
    EXPECT_TRUE(writes().empty());
}

TEST_F(ParameterSetWindow, theDownloadPreviewOverTheWindowRendersAtTheStationsScreenSize)
{
    // The poll running, so that the lamps and current values are an open link's.
    ASSERT_TRUE(core.connection().open(LinkSettings{1, 1, 0, 1}));
    ASSERT_TRUE(waitFor([&] { return state.everRead(InstrumentState::Block::Parameters); }));
    window->resize(1280, 800);
    window->showCurrentValues();
    DownloadDialog* preview = previewOfFile();
    ASSERT_TRUE(preview);
    QApplication::sendPostedEvents();  // lays both out

    // The offscreen platform has no window manager to draw the dialog over
    // its parent: the picture puts it there, centred.
    QImage picture = window->grab().toImage();
    ASSERT_EQ(picture.size(), QSize(1280, 800));
    const QImage dialog = preview->grab().toImage();
    QPainter painter(&picture);
    const QPoint corner((picture.width() - dialog.width()) / 2, (picture.height() - dialog.height()) / 2);
    painter.drawImage(corner, dialog);
    painter.setPen(QColor(0x60, 0x60, 0x60));
    painter.drawRect(QRect(corner, dialog.size()).adjusted(-1, -1, 0, 0));
    painter.end();
    const QDir out(QStringLiteral(TQ5800_CONFIG_PICTURES_DIR));
    ASSERT_TRUE(out.mkpath(QStringLiteral(".")));
    EXPECT_TRUE(picture.save(out.filePath(QStringLiteral("parameter-compare.png"))));
}

} // namespace
