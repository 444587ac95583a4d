#pragma once

#include "widgets/ElidedLabel.h"
#include "widgets/StatusTexts.h"

// One coloured lamp-and-text field of the status bar: green when well,
// yellow when shaky, red when failing, grey when idle. A long text (a
// failure's reason) is cut to the room there is, so that the status bar
// never widens its window.
class StatusIndicator : public ElidedLabel {
public:
    static constexpr int kPreferredWidth = 420;

    explicit StatusIndicator(QWidget* parent = nullptr);

    void display(const StatusLine& line);
    void setDetail(const QString& detail);
    const StatusLine& line() const { return line_; }

    static QColor colour(StatusSeverity severity);

private:
    StatusLine line_;
};
