#include "mainwindow/AlarmPanel.h"

#include <optional>

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/NumberText.h"
#include "instrument/InstrumentState.h"
#include "mainwindow/OperatorWrites.h"
#include "widgets/InstrumentEntry.h"
#include "widgets/StatusTexts.h"

namespace {

// Only for the translation tools: the rows' captions as the journal stores
// them, translated for display in the context of a write's name.
[[maybe_unused]] constexpr const char* kShownCaptions[] = {
    QT_TRANSLATE_NOOP("WriteRequest", "报警1设定值"),
    QT_TRANSLATE_NOOP("WriteRequest", "报警1动作回差"),
    QT_TRANSLATE_NOOP("WriteRequest", "报警1延迟时间"),
    QT_TRANSLATE_NOOP("WriteRequest", "报警2设定值"),
    QT_TRANSLATE_NOOP("WriteRequest", "报警2动作回差"),
    QT_TRANSLATE_NOOP("WriteRequest", "报警2延迟时间"),
    QT_TRANSLATE_NOOP("WriteRequest", "报警3设定值"),
    QT_TRANSLATE_NOOP("WriteRequest", "报警3动作回差"),
    QT_TRANSLATE_NOOP("WriteRequest", "报警3延迟时间"),
};

constexpr int kAlarms = 3;
constexpr int kColumnsPerAlarm = 5;  // caption, display, entry, button, gap
constexpr int kEntryChars = 8;       // "-1999" with room to spare

template <typename Widget, size_t N>
Widget* element(const std::array<Widget*, N>& widgets, int i)
{
    return i >= 0 && i < static_cast<int>(N) ? widgets[static_cast<size_t>(i)] : nullptr;
}

} // namespace

AlarmPanel::AlarmPanel(const std::array<QLabel*, AlarmRows::kRows>& displays, OperatorWrites& writes,
                       QWidget* parent)
    : QWidget(parent)
    , writes_(writes)
    , displays_(displays)
{
    // One block per alarm side by side, its set value, hysteresis and delay
    // one under the other, so each alarm reads as a unit.
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    for (int row = 0; row < AlarmRows::kRows; ++row) {
        const auto i = static_cast<size_t>(row);
        const int line = row % kAlarms;
        const int column = kColumnsPerAlarm * (row / kAlarms);

        captions_[i] = new QLabel(QCoreApplication::translate("WriteRequest", AlarmRows::caption(row).toUtf8().constData()), this);
        captions_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        entries_[i] = new InstrumentEntry(this);
        entries_[i]->setAlignment(Qt::AlignRight);
        entries_[i]->setMaximumWidth(entries_[i]->fontMetrics().horizontalAdvance(QLatin1Char('0')) * kEntryChars + 12);
        entries_[i]->setToolTip(tr("写入寄存器 %1，范围 -1999 到 9999").arg(AlarmRows::registerOf(row)));
        buttons_[i] = new QPushButton(kDownload, this);
        captions_[i]->setBuddy(entries_[i]);

        grid->addWidget(captions_[i], line, column);
        if (displays_[i])
            grid->addWidget(displays_[i], line, column + 1);
        grid->addWidget(entries_[i], line, column + 2);
        grid->addWidget(buttons_[i], line, column + 3);

        connect(buttons_[i], &QPushButton::clicked, this, [this, row] { download(row); });
        connect(entries_[i], &QLineEdit::returnPressed, this, [this, row] { download(row); });
    }
    for (int a = 0; a < kAlarms; ++a)
        grid->setColumnStretch(kColumnsPerAlarm * a + kColumnsPerAlarm - 1, 1);
    grid->setRowStretch(kAlarms, 1);
    connect(&writes_, &OperatorWrites::linkOpenChanged, this, &AlarmPanel::showLinkOpen);
    showLinkOpen(writes_.linkOpen());
}

void AlarmPanel::showLinkOpen(bool open)
{
    for (QPushButton* button : buttons_)
        showLinkNeed(*button, open);
}

void AlarmPanel::showInstrumentValues(const InstrumentState& state)
{
    const std::optional<QDateTime>& readAt = state.status(InstrumentState::Block::AlarmSetPoints).lastGoodRead;
    for (int row = 0; row < AlarmRows::kRows; ++row) {
        // Raw, as the display beside it shows the register.
        const auto value =
            static_cast<int32_t>(state.alarmRegister(AlarmRows::registerOf(row) - RegisterMap::kAlarmBlockStart));
        entry(row)->showInstrumentValue(readAt ? std::optional(numberText(value)) : std::nullopt,
                                        readAt.value_or(QDateTime()));
    }
}

void AlarmPanel::download(int row)
{
    InstrumentEntry* field = entry(row);
    if (!field)
        return;
    const QString command = AlarmRows::caption(row);
    // Return in the entry asks too, with the button disabled.
    if (!writes_.linkOpen()) {
        emit notWritten({field}, command, StatusTexts::linkClosedText(command));
        return;
    }
    if (!field->isChanged()) {
        emit notWritten({field}, command, StatusTexts::unchangedEntryText(command));
        return;
    }
    const EntryCheck::RegisterValue checked = EntryCheck::panelRegisterValue(field->text());
    if (!checked.value) {
        emit refused({field}, command, checked.refusal);
        return;
    }
    emit accepted({field});
    const QLabel* shown = valueField(row);
    writes_.writeRegister(AlarmRows::registerOf(row), *checked.value, command,
                          {shown ? shown->text() : QString(), field->text(), WriteOrigin::kAlarmSetPoints}, field);
}

QLabel* AlarmPanel::captionLabel(int row) const { return element(captions_, row); }
QLabel* AlarmPanel::valueField(int row) const { return element(displays_, row); }
InstrumentEntry* AlarmPanel::entry(int row) const { return element(entries_, row); }
QPushButton* AlarmPanel::downloadButton(int row) const { return element(buttons_, row); }
