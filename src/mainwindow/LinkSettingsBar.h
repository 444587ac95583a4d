#pragma once

#include <array>

#include <QWidget>

#include "link/PortConnection.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// The link settings of the main window, each in its frame: Frame6 with the
// port list Combo1, Frame2(1) with the baud buttons Option1(0..2),
// Frame5(1) with the parity buttons Option2(0..2) and Frame5(0) with the
// address list Combo2; then "打开" (Command9) and "关闭" (Command10).
// While the link is open the frames are hidden and a line names the
// settings in use instead.
class LinkSettingsBar : public QWidget {
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

    // The four settings frames; the summary shows while they are hidden.
    void setFramesVisible(bool visible, const LinkSettings& settings);
    bool framesHidden() const;

    // Marks the port and address lists whose texts name no port 1..20 or
    // address 1..16 (the link is opened all the same, with the numbers the
    // texts give) and clears the marks of good ones; returns the reasons,
    // empty when both are fine.
    QString checkListTexts();

    QComboBox* Combo1() const { return combo1_; }
    QComboBox* Combo2() const { return combo2_; }
    QRadioButton* Option1(int i) const;
    QRadioButton* Option2(int i) const;
    QGroupBox* Frame6() const { return frame6_; }
    QGroupBox* Frame2(int i) const { return i == 1 ? frame2_ : nullptr; }
    QGroupBox* Frame5(int i) const;
    QPushButton* Command9() const { return command9_; }
    QPushButton* Command10() const { return command10_; }
    QLabel* summary() const { return summary_; }

private:
    QGroupBox* frame6_ = nullptr;
    QGroupBox* frame2_ = nullptr;
    QGroupBox* frame5Address_ = nullptr;
    QGroupBox* frame5Parity_ = nullptr;
    QComboBox* combo1_ = nullptr;
    QComboBox* combo2_ = nullptr;
    std::array<QRadioButton*, 3> option1_{};
    std::array<QRadioButton*, 3> option2_{};
    QPushButton* command9_ = nullptr;
    QPushButton* command10_ = nullptr;
    QLabel* summary_ = nullptr;
};
