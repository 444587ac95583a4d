#pragma once

#include <QWidget>

#include "widgets/PanelField.h"

class QToolButton;

// The top of the main window: the station's name with its "关于" button,
// and the date and time fields, which show the clock, or the sample the
// chart names.
class HeaderBar : public QWidget {
    Q_OBJECT

public:
    HeaderBar(const QString& title, QWidget* parent = nullptr);

    PanelField* dateField() const { return date_; }
    PanelField* timeField() const { return time_; }
    QToolButton* aboutButton() const { return about_; }

signals:
    void aboutRequested();

private:
    QToolButton* about_ = nullptr;
    PanelField* date_ = nullptr;
    PanelField* time_ = nullptr;
};
