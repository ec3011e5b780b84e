// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/link_button.h"

#include "framework/fitted_text.h"
#include "framework/readable_color.h"
#include "framework/tinted_icon.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

namespace sifter {

CLinkButton::CLinkButton(QWidget *parent) : QAbstractButton(parent)
{
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover, false);
}

void CLinkButton::SetIcon(const QIcon &icon)
{
    icon_ = icon;
    update();
}

void CLinkButton::SetBold(bool bold)
{
    bold_ = bold;
    update();
}

void CLinkButton::SetUnderline(bool underline)
{
    underline_ = underline;
    update();
}

void CLinkButton::SetTextAlignment(int alignment)
{
    alignment_ = alignment;
    update();
}

QColor CLinkButton::TextColor() const
{
    if (!isEnabled())
        return palette().color(QPalette::Disabled, QPalette::WindowText);
    // Disabled text is exempt from the contrast rule and stays as the palette greys it.
    const QColor background = palette().color(QPalette::Window);
    if (hover_)
        return ReadableOn(kHoverColor, background);
    if (hasFocus())
        return ReadableOn(kFocusColor, background);
    return ReadableOn(palette().color(QPalette::Link), background);
}

QFont CLinkButton::DrawFont() const
{
    QFont font = parentWidget() ? parentWidget()->font() : this->font();
    font.setWeight(bold_ ? QFont::Bold : QFont::Normal);
    font.setUnderline(underline_);
    return font;
}

QRect CLinkButton::TextRect() const
{
    QRect area = rect();
    if (icon_.isNull())
        return area;
    if (isRightToLeft())
        area.setLeft(area.left() + height());
    else
        area.setRight(area.right() - height());
    return area;
}

QRect CLinkButton::IconRect() const
{
    const int offset = (height() - kIconSize) / 2;
    return {isRightToLeft() ? offset : width() - height() + offset, offset, kIconSize, kIconSize};
}

QColor CLinkButton::IconColor() const
{
    if (!isEnabled())
        return palette().color(QPalette::Disabled, QPalette::WindowText);
    return ReadableOn(palette().color(QPalette::WindowText), palette().color(QPalette::Window));
}

QSize CLinkButton::sizeHint() const
{
    const QFontMetrics metrics(DrawFont());
    const int textHeight = metrics.height();
    int width = metrics.horizontalAdvance(WithoutMnemonics(text()));
    if (!icon_.isNull())
        width += std::max(textHeight, kIconSize);
    return {width, std::max(textHeight, kIconSize)};
}

void CLinkButton::SetElideMode(Qt::TextElideMode mode)
{
    elideMode_ = mode;
    update();
}

QString CLinkButton::ShownText() const
{
    const QString plain = WithoutMnemonics(text());
    const QFontMetrics metrics(DrawFont());
    const int width = TextRect().width();
    if (metrics.horizontalAdvance(plain) <= width)
        return plain;
    return metrics.elidedText(plain, elideMode_, width);
}

void CLinkButton::paintEvent(QPaintEvent *)
{
    const QString label = text();
    if (label.isEmpty())
        return;
    QPainter painter(this);
    painter.setFont(DrawFont());
    painter.setPen(TextColor());

    const Qt::Alignment side = alignment_ == kCentre ? Qt::AlignHCenter
                               : alignment_ == kRight ? Qt::AlignRight
                                                      : Qt::AlignLeft;
    // The side follows the button's direction, the characters their own: right to left an
    // address would otherwise show its closing "/" at its start.
    const QString shown = ShownText();
    painter.setLayoutDirection(shown.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
    const int flags = Qt::TextSingleLine | Qt::AlignVCenter | Qt::AlignAbsolute |
                      QStyle::visualAlignment(layoutDirection(), side);
    const QRect area = TextRect();
    if (shown == WithoutMnemonics(label))
        painter.drawText(area, flags | Qt::TextShowMnemonic, label);
    else
        painter.drawText(area, flags, shown);

    if (!icon_.isNull()) {
        const QRect place = IconRect();
        painter.drawPixmap(place, TintedPixmap(icon_, place.size(), devicePixelRatioF(), IconColor()));
    }
}

void CLinkButton::mouseMoveEvent(QMouseEvent *event)
{
    if (!hover_) {
        hover_ = true;
        update();
    }
    QAbstractButton::mouseMoveEvent(event);
}

void CLinkButton::leaveEvent(QEvent *event)
{
    if (hover_) {
        hover_ = false;
        update();
    }
    QAbstractButton::leaveEvent(event);
}

void CLinkButton::focusInEvent(QFocusEvent *event)
{
    update();
    QAbstractButton::focusInEvent(event);
}

void CLinkButton::focusOutEvent(QFocusEvent *event)
{
    update();
    QAbstractButton::focusOutEvent(event);
}

} // namespace sifter
