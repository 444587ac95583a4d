#include "widgets/StatusIndicator.h"

#include "widgets/PanelStates.h"

StatusIndicator::StatusIndicator(QWidget* parent)
    : ElidedLabel(parent)
{
    // Two lights and a message share the status bar: each light asks for
    // about a third of a 1280 px wide one.
    setPreferredWidth(kPreferredWidth);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setAutoFillBackground(true);
    setContentsMargins(6, 0, 6, 0);
    display(StatusLine{});
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
