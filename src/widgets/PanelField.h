#pragma once

#include <QColor>
#include <QLabel>

// A value field of the live panel: a framed label whose caption and
// background the refresh rewrites five times a second. Both are only
// touched when they change, so an unchanged panel costs no repaint, and a
// changed one repaints only itself. Figures are black on the background,
// or grey on grey while stale.
class PanelField : public QLabel {
public:
    enum class Size { Normal, Large, Huge };

    PanelField(const QColor& background, QWidget* parent = nullptr, Size size = Size::Normal);

    void setCaption(const QString& caption);
    // Black figures on this colour.
    void setBackground(const QColor& colour);
    // Grey figures on grey: the instrument has not confirmed the value lately.
    void setStale();
    // The background while fresh, else the stale look.
    void showFresh(bool fresh, const QColor& freshBackground);
    QColor background() const;
    QColor textColour() const;
    // Sizes the field for this text in its font instead of for a number.
    void setHintText(const QString& widest);

    // Independent of the caption, so that a changing value never moves its
    // neighbours (nor makes the layout repaint them).
    QSize sizeHint() const override { return hint_; }
    QSize minimumSizeHint() const override { return hint_; }

private:
    void setColours(const QColor& background, const QColor& text);

    QSize hint_;
};
