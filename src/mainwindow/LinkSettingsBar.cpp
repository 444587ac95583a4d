#include "mainwindow/LinkSettingsBar.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "widgets/EntryFeedback.h"
#include "link/LinkCodes.h"
#include "core/NumericText.h"

namespace {

const QString kBaudTexts[] = {QStringLiteral("4800"), QStringLiteral("9600"), QStringLiteral("19200")};
const QString kParityTexts[] = {QStringLiteral("无校验"), QStringLiteral("奇校验"), QStringLiteral("偶校验")};

// List items carry one trailing blank, as the operator's lists always have.
void fillNumbers(QComboBox* combo, int last)
{
    combo->clear();
    for (int n = 1; n <= last; ++n)
        combo->addItem(QStringLiteral("%1 ").arg(n));
    combo->setCurrentIndex(0);
    combo->setEditText(combo->itemText(0));
}

QComboBox* makeList(QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    // Editable: the operator may type a port or address the list lacks.
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMinimumContentsLength(4);
    return combo;
}

QString summaryText(const LinkSettings& settings)
{
    const auto baud = LinkCodes::baudRate(settings.baudCode);
    const int parity = settings.parityCode;
    return QStringLiteral("链路已打开：端口 %1，%2，%3，地址 %4")
        .arg(settings.port)
        .arg(baud ? QString::number(*baud) : QStringLiteral("?"))
        .arg(parity >= 0 && parity <= 2 ? kParityTexts[parity] : QStringLiteral("?"))
        .arg(settings.moduleAddress);
}

// Marks a list whose text names no number 1..last and tells why; the
// number the text gives is used all the same.
QString markList(QComboBox* combo, const QString& what, int last)
{
    const QString text = combo->currentText().trimmed();
    const auto number = leadingNumber(text);
    QString reason;
    if (!number)
        reason = QStringLiteral("%1“%2”不是数字，按 0 使用").arg(what, text);
    else if (*number < 1 || *number > last)
        reason = QStringLiteral("%1“%2”不在 1..%3 之内").arg(what, text).arg(last);
    combo->setStyleSheet(reason.isEmpty() ? QString() : EntryFeedback::refusedStyle(*combo));
    combo->setToolTip(reason);
    return reason;
}

} // namespace

LinkSettingsBar::LinkSettingsBar(QWidget* parent)
    : QWidget(parent)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);

    frame6_ = new QGroupBox(QStringLiteral("通讯端口选择"), this);
    auto* portRow = new QHBoxLayout(frame6_);
    combo1_ = makeList(frame6_);
    auto* portCaption = new QLabel(QStringLiteral("通讯端口"), frame6_);
    portCaption->setBuddy(combo1_);
    portRow->addWidget(portCaption);
    portRow->addWidget(combo1_);

    frame2_ = new QGroupBox(QStringLiteral("波特率"), this);
    auto* baudRow = new QHBoxLayout(frame2_);
    for (size_t i = 0; i < option1_.size(); ++i) {
        option1_[i] = new QRadioButton(kBaudTexts[i], frame2_);
        baudRow->addWidget(option1_[i]);
    }

    frame5Parity_ = new QGroupBox(QStringLiteral("校验方式"), this);
    auto* parityRow = new QHBoxLayout(frame5Parity_);
    for (size_t i = 0; i < option2_.size(); ++i) {
        option2_[i] = new QRadioButton(kParityTexts[i], frame5Parity_);
        parityRow->addWidget(option2_[i]);
    }

    frame5Address_ = new QGroupBox(QStringLiteral("模块地址"), this);
    auto* addressRow = new QHBoxLayout(frame5Address_);
    combo2_ = makeList(frame5Address_);
    auto* addressCaption = new QLabel(QStringLiteral("模块地址"), frame5Address_);
    addressCaption->setBuddy(combo2_);
    addressRow->addWidget(addressCaption);
    addressRow->addWidget(combo2_);

    summary_ = new QLabel(this);
    summary_->hide();

    command9_ = new QPushButton(QStringLiteral("打开"), this);
    command10_ = new QPushButton(QStringLiteral("关闭"), this);
    for (QPushButton* button : {command9_, command10_})
        button->setMinimumHeight(button->sizeHint().height() * 3 / 2);

    row->addWidget(frame6_);
    row->addWidget(frame2_);
    row->addWidget(frame5Parity_);
    row->addWidget(frame5Address_);
    row->addWidget(summary_);
    row->addSpacing(8);
    row->addWidget(command9_, 0, Qt::AlignBottom);
    row->addWidget(command10_, 0, Qt::AlignBottom);

    // The same height with the frames shown or hidden, so the chart above
    // does not jump when the link opens or closes.
    setFixedHeight(sizeHint().height());
}

void LinkSettingsBar::initialise()
{
    fillNumbers(combo1_, kPorts);
    option1_[1]->setChecked(true);
    option2_[0]->setChecked(true);
    fillNumbers(combo2_, kAddresses);
}

LinkChoices LinkSettingsBar::choices() const
{
    LinkChoices choices;
    choices.portText = combo1_->currentText();
    choices.addressText = combo2_->currentText();
    choices.baudIndex = -1;
    choices.parityIndex = -1;
    for (int i = 0; i < 3; ++i) {
        if (option1_[static_cast<size_t>(i)]->isChecked())
            choices.baudIndex = i;
        if (option2_[static_cast<size_t>(i)]->isChecked())
            choices.parityIndex = i;
    }
    return choices;
}

void LinkSettingsBar::setChoices(const LinkChoices& choices)
{
    combo1_->setEditText(choices.portText);
    combo2_->setEditText(choices.addressText);
    if (QRadioButton* b = Option1(choices.baudIndex))
        b->setChecked(true);
    if (QRadioButton* b = Option2(choices.parityIndex))
        b->setChecked(true);
}

void LinkSettingsBar::setFramesVisible(bool visible, const LinkSettings& settings)
{
    for (QGroupBox* frame : {frame2_, frame5Address_, frame5Parity_, frame6_})
        frame->setVisible(visible);
    summary_->setText(summaryText(settings));
    summary_->setVisible(!visible);
}

bool LinkSettingsBar::framesHidden() const
{
    return frame6_->isHidden() && frame2_->isHidden() && frame5Address_->isHidden() && frame5Parity_->isHidden();
}

QString LinkSettingsBar::checkListTexts()
{
    const QString port = markList(combo1_, QStringLiteral("通讯端口"), kPorts);
    const QString address = markList(combo2_, QStringLiteral("模块地址"), kAddresses);
    if (port.isEmpty() || address.isEmpty())
        return port + address;
    return port + QStringLiteral("；") + address;
}

QRadioButton* LinkSettingsBar::Option1(int i) const
{
    return i >= 0 && i < 3 ? option1_[static_cast<size_t>(i)] : nullptr;
}

QRadioButton* LinkSettingsBar::Option2(int i) const
{
    return i >= 0 && i < 3 ? option2_[static_cast<size_t>(i)] : nullptr;
}

QGroupBox* LinkSettingsBar::Frame5(int i) const
{
    if (i == 0)
        return frame5Address_;
    return i == 1 ? frame5Parity_ : nullptr;
}
