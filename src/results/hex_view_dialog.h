// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CHexViewDialog: the Hex View window (res::kDialogHexView), modeless and resizable: a
// search box, a "Hexadecimal." check box and the Search button above the viewing area
// (CHexViewPane). Search finds the next occurrence after the current position, as text
// (also in its UTF-16 and UTF-8 forms) or as hexadecimal bytes. Enter searches; Escape
// and the close box hide the window.
#include <QDialog>
#include <QString>

#include <cstdint>
#include <functional>
#include <string>

class QCheckBox;
class QFrame;
class QLineEdit;
class QPushButton;

namespace sifter {

class CHexViewPane;

class CHexViewDialog : public QDialog {
    Q_OBJECT

public:
    // Created hidden; parent owns it.
    explicit CHexViewDialog(QWidget *parent = nullptr);
    ~CHexViewDialog() override;

    // Sets the caption to path (system code page), then opens it in the pane at offset;
    // false when it cannot be opened. Cancels a search that is running.
    bool ShowFile(const std::string &path, std::int64_t offset);
    // The Search button: reads the controls, then moves to the next match after the
    // current position plus the text's length, or reports "No more matched string.".
    // Events are handled while a large file is read; Escape (or a new file, or hiding
    // the window) cancels, and a cancelled search moves nothing.
    void SearchNext();
    // Places the pane under the etched line over the whole width, stretches the search
    // box and keeps the Search button at the right edge.
    void LayOutControls();

    // Where "No more matched string." goes; a stop-icon message box unless replaced.
    void SetMessageHandler(std::function<void(const QString &)> handler) { messageHandler_ = std::move(handler); }

    CHexViewPane *Pane() const { return pane_; }
    QLineEdit *SearchBox() const { return searchBox_; }
    QCheckBox *HexadecimalBox() const { return hexadecimalBox_; }
    QPushButton *SearchButton() const { return searchButton_; }
    bool Searching() const { return searching_; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    CHexViewPane *pane_ = nullptr;
    QLineEdit *searchBox_ = nullptr;
    QCheckBox *hexadecimalBox_ = nullptr;
    QPushButton *searchButton_ = nullptr;
    QFrame *paneTop_ = nullptr;
    int laidOutWidth_ = 0;  // the width the controls were last mirrored in, right to left
    std::string searchText_;
    bool hexadecimal_ = false;
    bool searching_ = false;
    bool cancelled_ = false;
    std::function<void(const QString &)> messageHandler_;
};

} // namespace sifter
