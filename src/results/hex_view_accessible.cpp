// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/hex_view_accessible.h"

#include "framework/string_resources.h"
#include "res/resource_ids.h"
#include "results/hex_view_pane.h"

#include <QScrollBar>

namespace sifter {
namespace {

QAccessibleInterface *HexViewFactory(const QString &className, QObject *object)
{
    auto *pane = qobject_cast<CHexViewPane *>(object);
    if (!pane || className != QLatin1String(CHexViewPane::staticMetaObject.className()))
        return nullptr;
    return new HexViewAccessible(pane);
}

} // namespace

HexViewAccessible::HexViewAccessible(CHexViewPane *pane) : QAccessibleWidget(pane, QAccessible::EditableText) {}

CHexViewPane *HexViewAccessible::Pane() const
{
    return static_cast<CHexViewPane *>(widget());
}

void *HexViewAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString HexViewAccessible::text(QAccessible::Text kind) const
{
    switch (kind) {
    case QAccessible::Name:
        // The window's own name for the view, as its command calls it.
        return widget()->accessibleName().isEmpty() ? SplitPromptAndTip(LoadResString(cmd::kHexView)).tip
                                                    : widget()->accessibleName();
    case QAccessible::Value:
        return QString::number(Pane()->TopOffset());
    case QAccessible::Description:
        return LoadResString(str::kHexViewSpokenOffset)
            .arg(QString::number(Pane()->TopOffset()), QString::number(Pane()->FileSize()));
    default:
        return QAccessibleWidget::text(kind);
    }
}

QAccessible::State HexViewAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.multiLine = true;
    return state;
}

QString HexViewAccessible::AllText() const
{
    QString all;
    for (const QString &line : Pane()->ShownLineTexts())
        all += line + QLatin1Char('\n');
    return all;
}

QString HexViewAccessible::text(int startOffset, int endOffset) const
{
    const QString all = AllText();
    startOffset = std::clamp(startOffset, 0, static_cast<int>(all.size()));
    endOffset = std::clamp(endOffset, startOffset, static_cast<int>(all.size()));
    return all.mid(startOffset, endOffset - startOffset);
}

int HexViewAccessible::characterCount() const
{
    return static_cast<int>(AllText().size());
}

QRect HexViewAccessible::characterRect(int offset) const
{
    // Every line has its cells one character wide; a line's text ends with its "\n".
    const QString all = AllText();
    if (offset < 0 || offset >= all.size() || Pane()->CharWidth() <= 0)
        return {};
    const int line = static_cast<int>(all.left(offset).count(QLatin1Char('\n')));
    const int column = offset - (static_cast<int>(all.lastIndexOf(QLatin1Char('\n'), offset - 1)) + 1);
    const QRect cell((column - Pane()->HorizontalPosition()) * Pane()->CharWidth(), line * Pane()->LineHeight(),
                     Pane()->CharWidth(), Pane()->LineHeight());
    return cell.translated(Pane()->viewport()->mapToGlobal(QPoint(0, 0)));
}

int HexViewAccessible::offsetAtPoint(const QPoint &point) const
{
    if (Pane()->CharWidth() <= 0 || Pane()->LineHeight() <= 0)
        return -1;
    const QPoint local = Pane()->viewport()->mapFromGlobal(point);
    if (!Pane()->viewport()->rect().contains(local))
        return -1;
    const QStringList lines = Pane()->ShownLineTexts();
    const int line = local.y() / Pane()->LineHeight();
    if (line >= lines.size())
        return -1;
    int offset = 0;
    for (int i = 0; i < line; ++i)
        offset += static_cast<int>(lines[i].size()) + 1;
    const int column = local.x() / Pane()->CharWidth() + Pane()->HorizontalPosition();
    return column < lines[line].size() ? offset + column : -1;
}

QString HexViewAccessible::attributes(int offset, int *startOffset, int *endOffset) const
{
    // One font throughout: the whole text is one run without attributes.
    *startOffset = offset < 0 ? -1 : 0;
    *endOffset = offset < 0 ? -1 : characterCount();
    return {};
}

void InstallHexViewAccessibility()
{
    QAccessible::removeFactory(HexViewFactory);
    QAccessible::installFactory(HexViewFactory);
}

} // namespace sifter
