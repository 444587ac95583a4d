#pragma once

#include <QLabel>

// A one-line label for texts of any length (reasons, paths, messages): it
// asks for little room, shows what fits with "…" at the end, and its
// tooltip gives the whole text while it is cut, ahead of the tooltip it was
// given (or its parent's). A long text thus never widens the window that
// holds it.
class ElidedLabel : public QLabel {
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    // The room the label asks for while there is room to spare; 0 asks for
    // the whole text.
    void setPreferredWidth(int width) { preferredWidth_ = width; }

    bool isElided() const;
    // What a tooltip shows now.
    QString tip() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int chrome() const;  // frame and margins across

    int preferredWidth_ = 0;
};
