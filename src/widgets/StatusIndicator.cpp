#include "widgets/StatusIndicator.h"

#include "widgets/PanelStates.h"

StatusIndicator::StatusIndicator(QWidget* parent, Room room)
    : ElidedLabel(parent)
    , room_(room)
{
    // A light that shares asks for about a third of a 1280 px status bar;
    // one that keeps its room asks for its whole text, up to the limit.
    setPreferredWidth(room_ == Room::Shared ? kPreferredWidth : kWholeWidthLimit);
    if (room_ == Room::Whole)
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setAutoFillBackground(true);
    setContentsMargins(6, 0, 6, 0);
    display(StatusLine{});
}

QSize StatusIndicator::minimumSizeHint() const
{
    return room_ == Room::Whole ? QSize(sizeHint().width(), ElidedLabel::minimumSizeHint().height())
                                : ElidedLabel::minimumSizeHint();
}

QColor StatusIndicator::colour(StatusSeverity severity)
{
    switch (severity) {
    case StatusSeverity::Ok: return PanelColours::kLightGreen;
    case StatusSeverity::Warning: return PanelColours::kLightYellow;
    case StatusSeverity::Fault: return PanelColours::kLightRed;
    case StatusSeverity::Idle: break;
    }
    return QColor(224, 224, 224);
}

void StatusIndicator::display(const StatusLine& line)
{
    line_ = line;
    setText(QStringLiteral("● ") + line.text);
    setToolTip(line.detail);
    QPalette p = palette();
    p.setColor(QPalette::Window, colour(line.severity));
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
}

void StatusIndicator::setDetail(const QString& detail)
{
    line_.detail = detail;
    setToolTip(detail);
}
