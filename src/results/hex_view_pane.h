// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CHexViewPane: the viewing area of the Hex View window. It keeps one found file open and,
// on every repaint, reads only the 16-byte lines that fit (plus one), so a file of any
// size shows at once. Offsets are 64-bit throughout; the vertical position is a line
// number, mirrored on Qt's int scroll bar proportionally when the file has more lines
// than the bar can count.
#include <QAbstractScrollArea>
#include <QFont>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <string>

namespace sifter {

class FileReader;

class CHexViewPane : public QAbstractScrollArea {
    Q_OBJECT

public:
    // Vertical scroll requests, by their classic codes (any other code only clamps).
    enum ScrollCode : int {
        kLineUp = 0,
        kLineDown = 1,
        kPageUp = 2,
        kPageDown = 3,
        kThumbPosition = 4,
        kThumbTrack = 5,
        kTop = 6,
        kBottom = 7,
        kEndScroll = 8,
        kClampOnly = 255,
    };
    static constexpr int kHorizontalMax = 77;  // the line's cells

    explicit CHexViewPane(QWidget *parent = nullptr);
    ~CHexViewPane() override;

    // Closes the shown file, then opens path (regular files only, never blocking) and
    // shows it from the line that holds offset. False when it cannot be opened: nothing
    // is shown then, and the scroll bars keep their settings.
    bool OpenFile(const std::string &path, std::int64_t offset);
    // Shows the line that holds offset first (the position only; the bar limits it).
    void GoToOffset(std::int64_t offset);
    // A vertical request; track is the line of kThumbTrack.
    void ScrollVertical(int code, std::int64_t track = 0);
    // A horizontal request in cells: kLineUp / kLineDown / kPageUp / kPageDown stand for
    // left and right, kTop / kBottom for the first and last cell, kThumbTrack for track.
    void ScrollHorizontal(int code, int track = 0);

    // The open file, shared so that a search reading it survives a reopen; null when none.
    std::shared_ptr<FileReader> File() const { return file_; }
    std::uint64_t TopOffset() const { return topOffset_; }
    std::uint64_t FileSize() const { return fileSize_; }
    // The vertical bar as the program sees it, in lines: range 0..max, page, position.
    std::int64_t VerticalMax() const { return vMax_; }
    std::int64_t VerticalPage() const { return vPage_; }
    std::int64_t VerticalPosition() const { return vPos_; }
    int HorizontalPage() const { return hPage_; }
    int HorizontalPosition() const { return hPos_; }
    int CharWidth() const { return charWidth_; }
    int LineHeight() const { return lineHeight_; }
    const QFont &PaneFont() const { return paneFont_; }
    // Bytes the last repaint read, and the number of finished repaints.
    std::int64_t LastBytesRead() const { return lastBytesRead_; }
    int PaintCount() const { return paintCount_; }
    // The text of each line that fits the viewing area (plus one), as drawn from its first
    // cell: offset label, byte groups, characters; read from the file now. Empty without a file.
    QStringList ShownLineTexts() const;

signals:
    // Enter or Escape with the focus here: the dialog takes the focus back.
    void FocusToDialogRequested();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void MakeFont();
    // Sets the vertical bar's range maximum, page and position, limited as a bar limits
    // them (page at most max + 1, position 0..max - page + 1), and mirrors them on Qt's bar.
    void SetVerticalInfo(std::int64_t max, std::int64_t page, std::int64_t position);
    void SetHorizontalInfo(int page, int position);
    void OnVerticalAction(int action);
    void OnHorizontalAction(int action);
    // The bytes of the lines that fit (plus one) from the top line's start; read now.
    std::string ReadShownBytes() const;
    // Tells screen readers that the top line moved.
    void TellTopOffset();
    void DrawLine(QPainter &painter, int x0, int y, std::uint64_t offset, std::string_view bytes) const;

    std::shared_ptr<FileReader> file_;
    std::uint64_t topOffset_ = 0;
    std::uint64_t fileSize_ = 0;
    int charWidth_ = 0;
    int lineHeight_ = 0;
    QFont paneFont_;
    bool fontMade_ = false;
    std::int64_t vMax_ = 0;
    std::int64_t vPage_ = 0;
    std::int64_t vPos_ = 0;
    int hPage_ = 0;
    int hPos_ = 0;
    std::int64_t lastBytesRead_ = 0;
    int paintCount_ = 0;
};

} // namespace sifter
