#include "mainwindow/LinkSettingsBar.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "widgets/ElidedLabel.h"
#include "widgets/EntryFeedback.h"
#include "widgets/StatusIndicator.h"
#include "link/LinkCodes.h"
#include "link/LinkHealth.h"
#include "core/NumericText.h"

namespace {

const QString kBaudTexts[] = {QStringLiteral("4800"), QStringLiteral("9600"), QStringLiteral("19200")};
const char* const kParityTexts[] = {QT_TRANSLATE_NOOP("LinkSettingsBar", "无校验"), QT_TRANSLATE_NOOP("LinkSettingsBar", "奇校验"),
                                    QT_TRANSLATE_NOOP("LinkSettingsBar", "偶校验")};

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

QString settingsText(const LinkSettings& settings)
{
    const auto baud = LinkCodes::baudRate(settings.baudCode);
    const int parity = settings.parityCode;
    return LinkSettingsBar::tr("端口 %1，%2，%3，地址 %4")
        .arg(settings.port)
        .arg(baud ? QString::number(*baud) : QStringLiteral("?"))
        .arg(parity >= 0 && parity <= 2 ? LinkSettingsBar::tr(kParityTexts[parity]) : QStringLiteral("?"))
        .arg(settings.moduleAddress);
}

// Marks a list whose text names no number 1..last and tells why; the
// number the text gives is used all the same.
ShownText markList(QComboBox* combo, const ShownText& what, int last)
{
    const QString text = combo->currentText().trimmed();
    const auto number = leadingNumber(text);
    ShownText reason;
    if (!number)
        reason = ShownText("LinkSettingsBar", QT_TRANSLATE_NOOP("LinkSettingsBar", "%1“%2”不是数字，按 0 使用"))
                     .arg(what)
                     .arg(text);
    else if (*number < 1 || *number > last)
        reason = ShownText("LinkSettingsBar", QT_TRANSLATE_NOOP("LinkSettingsBar", "%1“%2”不在 1..%3 之内"))
                     .arg(what)
                     .arg(text)
                     .arg(last);
    combo->setStyleSheet(reason.isEmpty() ? QString() : EntryFeedback::refusedStyle(*combo));
    combo->setToolTip(reason.shown());
    return reason;
}

} // namespace

LinkSettingsBar::LinkSettingsBar(QWidget* parent)
    : QWidget(parent)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    auto* groupsRow = new QHBoxLayout;
    groupsRow->setContentsMargins(0, 0, 0, 0);

    portGroup_ = new QGroupBox(tr("通讯端口选择"), this);
    auto* portRow = new QHBoxLayout(portGroup_);
    portList_ = makeList(portGroup_);
    auto* portCaption = new QLabel(tr("通讯端口"), portGroup_);
    portCaption->setBuddy(portList_);
    portRow->addWidget(portCaption);
    portRow->addWidget(portList_);

    baudGroup_ = new QGroupBox(tr("波特率"), this);
    auto* baudRow = new QHBoxLayout(baudGroup_);
    for (size_t i = 0; i < baudButtons_.size(); ++i) {
        baudButtons_[i] = new QRadioButton(kBaudTexts[i], baudGroup_);
        baudRow->addWidget(baudButtons_[i]);
    }

    parityGroup_ = new QGroupBox(tr("校验方式"), this);
    auto* parityRow = new QHBoxLayout(parityGroup_);
    for (size_t i = 0; i < parityButtons_.size(); ++i) {
        parityButtons_[i] = new QRadioButton(tr(kParityTexts[i]), parityGroup_);
        parityRow->addWidget(parityButtons_[i]);
    }

    addressGroup_ = new QGroupBox(tr("模块地址"), this);
    auto* addressRow = new QHBoxLayout(addressGroup_);
    addressList_ = makeList(addressGroup_);
    auto* addressCaption = new QLabel(tr("模块地址"), addressGroup_);
    addressCaption->setBuddy(addressList_);
    addressRow->addWidget(addressCaption);
    addressRow->addWidget(addressList_);

    summary_ = new ElidedLabel(this);
    summary_->setContentsMargins(6, 0, 6, 0);
    summary_->hide();

    openButton_ = new QPushButton(tr("打开"), this);
    closeButton_ = new QPushButton(tr("关闭"), this);
    for (QPushButton* button : {openButton_, closeButton_})
        button->setMinimumHeight(button->sizeHint().height() * 3 / 2);

    // Hidden groups keep their room, and the summary lies over it: the
    // buttons after them stay where they are whichever shows.
    for (QGroupBox* group : {portGroup_, baudGroup_, parityGroup_, addressGroup_}) {
        QSizePolicy policy = group->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        group->setSizePolicy(policy);
        groupsRow->addWidget(group);
    }
    auto* place = new QGridLayout;
    place->setContentsMargins(0, 0, 0, 0);
    place->addLayout(groupsRow, 0, 0);
    place->addWidget(summary_, 0, 0, Qt::AlignVCenter);
    row->addLayout(place);
    row->addSpacing(8);
    row->addWidget(openButton_, 0, Qt::AlignBottom);
    row->addWidget(closeButton_, 0, Qt::AlignBottom);

    // The same height with the groups shown or hidden, so the chart above
    // does not jump when the link opens or closes.
    setFixedHeight(sizeHint().height());
}

void LinkSettingsBar::initialise()
{
    fillNumbers(portList_, kPorts);
    baudButtons_[1]->setChecked(true);
    parityButtons_[0]->setChecked(true);
    fillNumbers(addressList_, kAddresses);
}

LinkChoices LinkSettingsBar::choices() const
{
    LinkChoices choices;
    choices.portText = portList_->currentText();
    choices.addressText = addressList_->currentText();
    choices.baudIndex = -1;
    choices.parityIndex = -1;
    for (int i = 0; i < 3; ++i) {
        if (baudButtons_[static_cast<size_t>(i)]->isChecked())
            choices.baudIndex = i;
        if (parityButtons_[static_cast<size_t>(i)]->isChecked())
            choices.parityIndex = i;
    }
    return choices;
}

void LinkSettingsBar::setChoices(const LinkChoices& choices)
{
    portList_->setEditText(choices.portText);
    addressList_->setEditText(choices.addressText);
    if (QRadioButton* b = baudButton(choices.baudIndex))
        b->setChecked(true);
    if (QRadioButton* b = parityButton(choices.parityIndex))
        b->setChecked(true);
}

void LinkSettingsBar::setGroupsVisible(bool visible, const LinkSettings& settings)
{
    for (QGroupBox* group : {baudGroup_, addressGroup_, parityGroup_, portGroup_})
        group->setVisible(visible);
    settings_ = settings;
    if (visible) {
        failure_ = StatusLine{};
        episode_ = StatusEpisode{};
    }
    showSummary();
    summary_->setVisible(!visible);
}

void LinkSettingsBar::showLinkHealth(const LinkHealth& health, const QDate& today)
{
    using State = LinkHealth::State;
    const bool failing = health.state() == State::Degraded || health.state() == State::Silent;
    // Like the light, the words change with the state or a new failure
    // episode, not with every cycle's reason.
    if (!episode_.changed(static_cast<int>(health.state()), health.failingSince()))
        return;
    failure_ = failing ? StatusTexts::linkStatusLine(health, today) : StatusLine{};
    showSummary();
}

void LinkSettingsBar::showSummary()
{
    const bool failing = !failure_.text.isEmpty();
    summary_->setText(failing ? tr("%1；%2").arg(failure_.text, settingsText(settings_))
                              : tr("链路已打开：%1").arg(settingsText(settings_)));
    summary_->setToolTip(failure_.detail);
    summary_->setAutoFillBackground(failing);
    QPalette shades = palette();
    if (failing)
        shades.setColor(QPalette::Window, StatusIndicator::colour(failure_.severity));
    summary_->setPalette(shades);
}

bool LinkSettingsBar::groupsHidden() const
{
    return portGroup_->isHidden() && baudGroup_->isHidden() && addressGroup_->isHidden() && parityGroup_->isHidden();
}

ShownText LinkSettingsBar::checkListTexts()
{
    const ShownText port =
        markList(portList_, ShownText("LinkSettingsBar", QT_TRANSLATE_NOOP("LinkSettingsBar", "通讯端口")), kPorts);
    const ShownText address =
        markList(addressList_, ShownText("LinkSettingsBar", QT_TRANSLATE_NOOP("LinkSettingsBar", "模块地址")), kAddresses);
    if (port.isEmpty() || address.isEmpty())
        return port + address;
    return joinedShownTexts({port, address}, ShownText("LinkSettingsBar", QT_TRANSLATE_NOOP("LinkSettingsBar", "；")));
}

QRadioButton* LinkSettingsBar::baudButton(int i) const
{
    return i >= 0 && i < 3 ? baudButtons_[static_cast<size_t>(i)] : nullptr;
}

QRadioButton* LinkSettingsBar::parityButton(int i) const
{
    return i >= 0 && i < 3 ? parityButtons_[static_cast<size_t>(i)] : nullptr;
}
