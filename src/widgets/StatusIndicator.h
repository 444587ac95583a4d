#pragma once

#include <QLabel>

#include "widgets/StatusTexts.h"

// One coloured lamp-and-text field of the status bar: green when well,
// yellow when shaky, red when failing, grey when idle.
class StatusIndicator : public QLabel {
public:
    explicit StatusIndicator(QWidget* parent = nullptr);

    void display(const StatusLine& line);
    void setDetail(const QString& detail);
    const StatusLine& line() const { return line_; }

    static QColor colour(StatusSeverity severity);

private:
    StatusLine line_;
};
