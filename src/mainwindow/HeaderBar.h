#pragma once

#include <QWidget>

#include "widgets/PanelField.h"

// The top of the main window: the station's name and the date and time
// header, Label2 items 9 (date) and 10 (time).
class HeaderBar : public QWidget {
public:
    HeaderBar(const QString& title, QWidget* parent = nullptr);

    // Items 9 and 10; null for any other index.
    PanelField* Label2(int i) const;

private:
    PanelField* date_ = nullptr;
    PanelField* time_ = nullptr;
};
