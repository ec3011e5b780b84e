// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a screen reader gets of the Hex View's viewing area (CHexViewPane), which draws its
// lines itself: a read-only text whose lines are the shown lines of the dump, the top line's
// offset as its value and in its description, and the usual focus and geometry.
#include <QAccessibleWidget>

namespace sifter {

class CHexViewPane;

class HexViewAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit HexViewAccessible(CHexViewPane *pane);

    void *interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text kind) const override;
    QAccessible::State state() const override;

    // The text: the shown lines, each ended by "\n"; no caret and no selection.
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    int selectionCount() const override { return 0; }
    void selection(int, int *startOffset, int *endOffset) const override { *startOffset = *endOffset = 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

private:
    CHexViewPane *Pane() const;
    QString AllText() const;
};

// Makes queryAccessibleInterface answer with a HexViewAccessible for every CHexViewPane;
// installing again changes nothing.
void InstallHexViewAccessibility();

} // namespace sifter
