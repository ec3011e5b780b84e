// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's static splitter: one row, two panes. The left pane keeps its width
// when the window is resized; its first width is applied once the splitter knows its own
// size. The bar can also be moved with the keyboard (View > Split): arrows move it 16
// pixels (1 with Ctrl), Enter or a click keeps the place, Escape goes back.
#include <QPointer>
#include <QSplitter>

namespace sifter {

class StaticSplitter : public QSplitter {
    Q_OBJECT

public:
    explicit StaticSplitter(QWidget *parent = nullptr);

    // The left pane's width to apply at the first layout (or at once when laid out already).
    void SetFirstColumnWidth(int width);
    int FirstColumnWidth() const;

    // Starts moving the bar with the keyboard.
    void StartKeyboardTracking();
    bool KeyboardTracking() const { return tracking_; }

    // Gives the keyboard focus to the next (or previous) pane, wrapping around, skipping
    // hidden ones: the splitter's own panes, or those given (a pane may be nested).
    void ActivateNextPane(bool forward);
    void SetFocusPanes(QList<QWidget *> panes);

    static constexpr int kKeyboardStep = 16;
    static constexpr int kKeyboardFineStep = 1;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void ApplyFirstColumnWidth();
    void EndKeyboardTracking(bool keep);

    int pendingWidth_ = -1;
    bool tracking_ = false;
    QList<int> sizesBeforeTracking_;
    QWidget *focusBeforeTracking_ = nullptr;
    QList<QPointer<QWidget>> focusPanes_;
};

} // namespace sifter
