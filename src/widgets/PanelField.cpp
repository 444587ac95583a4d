#include "widgets/PanelField.h"

#include "widgets/PanelStates.h"

namespace {

// Minimum widths in characters of the station font: a value field holds up
// to seven significant digits with sign and point, a state field a text
// such as "偏差带报警".
constexpr int kNormalWidthChars = 9;

} // namespace

PanelField::PanelField(const QColor& background, QWidget* parent, Size size)
    : QLabel(parent)
{
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setLineWidth(1);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    setTextInteractionFlags(Qt::NoTextInteraction);
    // The field colours are light, so the text stays dark whatever the
    // desktop's theme.
    QPalette p = palette();
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);

    if (size != Size::Normal) {
        QFont big = font();
        big.setBold(true);
        big.setPointSizeF(big.pointSizeF() * (size == Size::Huge ? 2.0 : 1.4));
        setFont(big);
    }
    const int frame = 2 * frameWidth() + 4;
    hint_ = QSize(fontMetrics().horizontalAdvance(QLatin1Char('0')) * kNormalWidthChars + frame,
                  fontMetrics().height() + frame);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void PanelField::setCaption(const QString& caption)
{
    if (text() != caption)
        setText(caption);
}

void PanelField::setBackground(const QColor& colour)
{
    setColours(colour, Qt::black);
}

void PanelField::setStale()
{
    setColours(PanelColours::kStale, PanelColours::kStaleText);
}

void PanelField::showFresh(bool fresh, const QColor& freshBackground)
{
    if (fresh)
        setBackground(freshBackground);
    else
        setStale();
}

void PanelField::setColours(const QColor& background, const QColor& text)
{
    if (this->background() == background && textColour() == text)
        return;
    QPalette p = palette();
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::WindowText, text);
    setPalette(p);
}

QColor PanelField::background() const
{
    return palette().color(QPalette::Window);
}

QColor PanelField::textColour() const
{
    return palette().color(QPalette::WindowText);
}

void PanelField::setHintText(const QString& widest)
{
    hint_.setWidth(fontMetrics().horizontalAdvance(widest) + 2 * frameWidth() + 4);
    updateGeometry();
}
