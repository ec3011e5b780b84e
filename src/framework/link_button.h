// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CLinkButton: a flat, link-like button that draws itself: its text in the palette's link
// colour (red while the mouse is over it, olive while it has the focus, the palette's
// disabled text colour when disabled), each made readable on the palette's window colour,
// optionally bold or underlined, with an optional 16 x 16 icon at its right end (its left end
// right to left) drawn in the palette's text colour, and the hand pointer over it.
// The section buttons of the criteria pane and the links of the About box are these.
#include <QAbstractButton>
#include <QColor>
#include <QIcon>

namespace sifter {

class CLinkButton : public QAbstractButton {
    Q_OBJECT

public:
    enum Alignment { kCentre = 0, kLeft = 1, kRight = 2 };

    // The hues of the hover and focus states; their lightness follows the palette.
    static constexpr QColor kHoverColor{255, 0, 0};
    static constexpr QColor kFocusColor{128, 128, 0};
    static constexpr int kIconSize = 16;

    explicit CLinkButton(QWidget *parent = nullptr);

    // Drawn 16 x 16 in a square at the end when set; its dark pixels in IconColor().
    const QIcon &Icon() const { return icon_; }
    void SetIcon(const QIcon &icon);
    // Section state, kept for the criteria pane.
    bool Expanded() const { return expanded_; }
    void SetExpanded(bool expanded) { expanded_ = expanded; }
    bool Bold() const { return bold_; }
    void SetBold(bool bold);
    bool Underline() const { return underline_; }
    void SetUnderline(bool underline);
    int TextAlignment() const { return alignment_; }
    void SetTextAlignment(int alignment);
    // Where a text wider than the button loses its characters (default: at its end); an
    // address keeps its start and its end with Qt::ElideMiddle.
    void SetElideMode(Qt::TextElideMode mode);
    // The text as drawn at the button's present width, elided when it does not fit.
    QString ShownText() const;
    // The mouse is over the button.
    bool Hover() const { return hover_; }

    // The colour the text is drawn in now, by the first rule that applies: disabled, hover,
    // keyboard focus, otherwise the palette's link colour; all but the disabled one reach
    // kMinimumTextContrast on the palette's window colour.
    QColor TextColor() const;
    // The font the text is drawn in: the parent's font, bold and underlined as asked.
    QFont DrawFont() const;
    // Where the text goes: the whole button, less the icon's square when there is an icon.
    QRect TextRect() const;
    // Where the icon goes: 16 x 16, centred in the square of the button's height at its right
    // end, at its left end when the button is laid out right to left.
    QRect IconRect() const;
    // The icon's colour: the palette's window text made readable on its window colour (so that
    // black arrows show on a dark palette), or its disabled window text when disabled.
    QColor IconColor() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    QIcon icon_;
    bool expanded_ = false;
    bool bold_ = false;
    bool underline_ = false;
    int alignment_ = kLeft;
    bool hover_ = false;
    Qt::TextElideMode elideMode_ = Qt::ElideRight;
};

} // namespace sifter
