#pragma once

#include <QGroupBox>

class QLabel;

// A titled group of the live panel that says, at the right end of its
// title row, how long ago the instrument last confirmed its values while
// they are stale (StaleAge). The age sits outside the group's layout, so a
// growing or vanishing age never moves a field or widens the panel.
class PanelGroup : public QGroupBox {
public:
    explicit PanelGroup(const QString& title, QWidget* parent = nullptr);

    // Empty while the values are fresh: then nothing shows.
    void setAge(const QString& age, const QString& detail = QString());
    // The age label, for tests.
    QLabel* ageLabel() const { return age_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeAge();

    QLabel* age_ = nullptr;
};
