#pragma once

#include <array>

#include <QCoreApplication>
#include <QWidget>

#include "core/ShownText.h"
#include "link/LinkSettings.h"
#include "link/PortConnection.h"
#include "widgets/StatusTexts.h"

class ElidedLabel;
class LinkHealth;
class QDate;
class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

// The link settings of the main window, each in its group: the port list,
// the baud buttons, the parity buttons and the address list; then "打开"
// and "关闭". While the link is open the groups are hidden and a line names
// the settings in use instead, in their place: the groups keep their room,
// so no control of the bar moves when the link opens or closes (a second
// click meant for "打开" must not land on "关闭"). While the instrument
// does not answer the line says so, in the link light's words and colour.
class LinkSettingsBar : public QWidget {
    Q_DECLARE_TR_FUNCTIONS(LinkSettingsBar)

public:
    static constexpr int kPorts = 20;
    static constexpr int kAddresses = 16;

    explicit LinkSettingsBar(QWidget* parent = nullptr);

    // Lists "1 ".."20 " and "1 ".."16 ", port "1 ", 9600 baud, no parity,
    // address "1 ".
    void initialise();

    LinkChoices choices() const;
    // Indexes outside 0..2 leave the buttons as they are.
    void setChoices(const LinkChoices& choices);

    // The four settings groups; the summary shows while they are hidden.
    void setGroupsVisible(bool visible, const LinkSettings& settings);
    bool groupsHidden() const;
    // After every poll cycle: the summary says the link is open while the
    // instrument answers, and what the link light says while it fails.
    void showLinkHealth(const LinkHealth& health, const QDate& today);

    // Marks the port and address lists whose texts name no port 1..20 or
    // address 1..16 (the link is opened all the same, with the numbers the
    // texts give) and clears the marks of good ones; returns the reasons,
    // empty when both are fine.
    ShownText checkListTexts();

    QComboBox* portList() const { return portList_; }
    QComboBox* addressList() const { return addressList_; }
    // 4800, 9600, 19200 baud; null outside 0..2.
    QRadioButton* baudButton(int i) const;
    // No, odd, even parity; null outside 0..2.
    QRadioButton* parityButton(int i) const;
    QGroupBox* portGroup() const { return portGroup_; }
    QGroupBox* baudGroup() const { return baudGroup_; }
    QGroupBox* parityGroup() const { return parityGroup_; }
    QGroupBox* addressGroup() const { return addressGroup_; }
    QPushButton* openButton() const { return openButton_; }
    QPushButton* closeButton() const { return closeButton_; }
    ElidedLabel* summary() const { return summary_; }

private:
    void showSummary();

    QGroupBox* portGroup_ = nullptr;
    QGroupBox* baudGroup_ = nullptr;
    QGroupBox* addressGroup_ = nullptr;
    QGroupBox* parityGroup_ = nullptr;
    QComboBox* portList_ = nullptr;
    QComboBox* addressList_ = nullptr;
    std::array<QRadioButton*, 3> baudButtons_{};
    std::array<QRadioButton*, 3> parityButtons_{};
    QPushButton* openButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    ElidedLabel* summary_ = nullptr;
    LinkSettings settings_;
    StatusLine failure_;  // no text while the instrument answers
    StatusEpisode episode_;
};
