#pragma once

#include "widgets/ElidedLabel.h"
#include "widgets/StatusTexts.h"

// One coloured lamp-and-text field of the status bar: green when well,
// yellow when shaky, red when failing, grey when idle. A field that shares
// the room cuts a long text (a failure's reason) to what it gets, so that
// the status bar never widens its window; the one that keeps its room (the
// link's) always shows its whole text.
class StatusIndicator : public ElidedLabel {
public:
    static constexpr int kPreferredWidth = 420;
    // The most a field that keeps its room takes of a 1280 px status bar:
    // every text of the link's light fits well within, and no text,
    // whatever it says, pushes the window off the screen.
    static constexpr int kWholeWidthLimit = 760;
    enum class Room { Shared, Whole };

    explicit StatusIndicator(QWidget* parent = nullptr, Room room = Room::Shared);

    QSize minimumSizeHint() const override;

    void display(const StatusLine& line);
    void setDetail(const QString& detail);
    const StatusLine& line() const { return line_; }

    static QColor colour(StatusSeverity severity);

private:
    Room room_;
    StatusLine line_;
};
