// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/shown_text.h"

#include <QFont>
#include <QFontMetrics>
#include <QTextLayout>
#include <QStringList>

namespace sifter {
namespace {

constexpr QChar kEllipsis(0x2026);

// Whether a cut before position at would split a surrogate pair.
bool SplitsPair(const QString &text, qsizetype at)
{
    return at > 0 && at < text.size() && text.at(at).isLowSurrogate();
}

// Whether line, wrapped at word boundaries as a label wraps its text, fits width.
bool WrapsWithin(const QString &line, const QFont &font, int width)
{
    QTextLayout layout(line, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    bool fits = true;
    layout.beginLayout();
    for (QTextLine wrapped = layout.createLine(); wrapped.isValid(); wrapped = layout.createLine()) {
        wrapped.setLineWidth(width);
        fits = fits && wrapped.naturalTextWidth() <= width;
    }
    layout.endLayout();
    return fits;
}

} // namespace

QString BoundedText(const QString &text, qsizetype limit)
{
    if (text.size() <= limit)
        return text;
    const qsizetype kept = limit - 1;
    // A pair at either cut goes with the part cut away, so the result stays within limit.
    qsizetype headEnd = kept - kept / 2;
    if (SplitsPair(text, headEnd))
        --headEnd;
    qsizetype tailStart = text.size() - kept / 2;
    if (SplitsPair(text, tailStart))
        ++tailStart;
    return text.left(headEnd) + kEllipsis + text.mid(tailStart);
}

QString VisibleControls(const QString &text)
{
    QString shown = text;
    for (QChar &c : shown) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line ||
            category == QChar::Separator_Paragraph)
            c = QLatin1Char('?');
    }
    return shown;
}

QString ShownText(const QString &text)
{
    return VisibleControls(BoundedText(text));
}

QString ElideMiddle(const QString &text, const QFontMetrics &metrics, int width)
{
    return metrics.elidedText(BoundedText(text), Qt::ElideMiddle, width);
}

QString ElideUnwrappableLines(const QString &text, const QFont &font, int width)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines) {
        line = BoundedText(line);
        if (!WrapsWithin(line, font, width))
            line = ElideMiddle(line, QFontMetrics(font), width);
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace sifter
