#pragma once

#include <QWidget>

#include "widgets/PanelField.h"

// The top of the main window: the station's name and the date and time
// fields, which show the clock, or the sample the chart names.
class HeaderBar : public QWidget {
public:
    HeaderBar(const QString& title, QWidget* parent = nullptr);

    PanelField* dateField() const { return date_; }
    PanelField* timeField() const { return time_; }

private:
    PanelField* date_ = nullptr;
    PanelField* time_ = nullptr;
};
