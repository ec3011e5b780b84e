// SPDX-License-Identifier: GPL-3.0-or-later
// The Hex View window: the pane's lines, scrolling with 64-bit offsets, the keys and the
// wheel, files that change or are not regular, and Search with its text forms.
#include "results/hex_view_dialog.h"
#include "results/hex_view_pane.h"

#include "results/hex_lines.h"
#include "support/palette_contrast.h"
#include "support/temp_tree.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QFrame>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <string>

namespace sifter::test {
namespace {

constexpr std::int64_t kGiB = std::int64_t{1} << 30;

std::string Counting(int size)
{
    std::string bytes;
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<char>(i));
    return bytes;
}

// A sparse file of size bytes, with text written at offset.
std::string SparseFile(const TempTree &tree, const std::string &name, std::int64_t size, std::int64_t offset = 0,
                       const std::string &text = {})
{
    const std::string path = tree.WriteFile(name, "");
    const int fd = open(path.c_str(), O_WRONLY);
    EXPECT_GE(fd, 0);
    EXPECT_EQ(ftruncate(fd, size), 0);
    if (!text.empty()) {
        EXPECT_EQ(pwrite(fd, text.data(), text.size(), offset), static_cast<ssize_t>(text.size()));
    }
    close(fd);
    return path;
}

class HexViewTest : public ::testing::Test {
protected:
    HexViewTest()
    {
        dialog.SetMessageHandler([this](const QString &text) { messages.append(text); });
        dialog.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }

    CHexViewPane &Pane() { return *dialog.Pane(); }

    // Opens the file, then sizes the pane so that exactly lines whole lines fit.
    bool Open(const std::string &path, std::int64_t offset, int lines = 20)
    {
        if (!dialog.ShowFile(path, offset))
            return false;
        const int missing = lines * Pane().LineHeight() + Pane().LineHeight() / 2 - Pane().viewport()->height();
        dialog.resize(dialog.width(), dialog.height() + missing);
        QTest::qWait(1);
        return Pane().viewport()->height() / Pane().LineHeight() == lines;
    }

    // The pane's viewport as drawn now.
    QImage Shown()
    {
        return Pane().viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    // Line row of the image as the pane draws a line of these bytes at that offset.
    QImage Expected(std::uint64_t offset, std::string_view bytes)
    {
        const QSize size = Pane().viewport()->size();
        QImage image(size.width(), Pane().LineHeight(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(Pane().PaneFont());
        painter.setPen(Qt::black);
        const int baseline = QFontMetrics(Pane().PaneFont()).ascent();
        painter.drawText(QPoint(0, baseline), HexLineText(offset, bytes));
        painter.drawText(QPoint(kHexCharactersCell * Pane().CharWidth(), baseline),
                         HexLineCharacters(bytes).join(QString()));
        return image;
    }

    QImage Row(const QImage &shown, int line)
    {
        return shown.copy(0, line * Pane().LineHeight(), shown.width(), Pane().LineHeight());
    }

    // The image from line row on.
    QImage Below(const QImage &shown, int line)
    {
        const int top = line * Pane().LineHeight();
        return shown.copy(0, top, shown.width(), shown.height() - top);
    }

    static bool Blank(const QImage &image)
    {
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) != qRgb(255, 255, 255))
                    return false;
            }
        }
        return true;
    }

    void Search(const QString &text, bool hexadecimal = false)
    {
        dialog.SearchBox()->setText(text);
        dialog.HexadecimalBox()->setChecked(hexadecimal);
        QTest::mouseClick(dialog.SearchButton(), Qt::LeftButton);
    }

    void Wheel(QWidget *target, int delta)
    {
        const QPointF at(target->width() / 2.0, target->height() / 2.0);
        QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &event);
    }

    TempTree tree;
    CHexViewDialog dialog;
    QStringList messages;
};

TEST_F(HexViewTest, HundredBytesInTwentyLinesShowSixLinesAndOneOfFourBytes)
{
    const std::string bytes = Counting(100);
    ASSERT_TRUE(Open(tree.WriteFile("100.bin", bytes), 0));
    EXPECT_EQ(Pane().VerticalMax(), 7);
    EXPECT_EQ(Pane().VerticalPage(), 8);
    const QImage shown = Shown();
    for (int line = 0; line < 7; ++line) {
        const std::string_view part = std::string_view(bytes).substr(static_cast<std::size_t>(line) * 16, 16);
        EXPECT_EQ(Row(shown, line), Expected(static_cast<std::uint64_t>(line) * 16, part)) << line;
    }
    EXPECT_TRUE(Blank(Below(shown, 7)));
    EXPECT_LE(Pane().LastBytesRead(), 21 * 16);

    Pane().setFocus();
    for (const int key : {Qt::Key_Down, Qt::Key_End, Qt::Key_PageDown}) {
        QTest::keyClick(&Pane(), static_cast<Qt::Key>(key));
        EXPECT_EQ(Pane().TopOffset(), 0u) << key;
        EXPECT_EQ(Pane().VerticalPosition(), 0) << key;
    }
}

TEST_F(HexViewTest, TheLinesReadOnTheBaseOfTheLightAndTheDarkPalette)
{
    ASSERT_TRUE(Open(tree.WriteFile("text.bin", "Hex view under a dark palette."), 0));
    for (const QPalette &palette : {QApplication::palette(), test::DarkPalette()}) {
        const test::ScopedAppPalette scoped(palette);
        QApplication::processEvents();
        const QImage line = Row(Shown(), 0);
        EXPECT_EQ(test::DrawnBackground(line), palette.color(QPalette::Base));
        EXPECT_GE(test::DrawnTextContrast(line), kMinimumTextContrast);
    }
}

TEST_F(HexViewTest, OpeningAtAMatchShowsTheLineThatHoldsIt)
{
    const std::string bytes = Counting(0x4000);
    ASSERT_TRUE(Open(tree.WriteFile("match.bin", bytes), 0x1234));
    EXPECT_EQ(dialog.windowTitle(), QString::fromStdString(tree.Path("match.bin")));
    EXPECT_EQ(Pane().TopOffset(), 0x1234u);
    EXPECT_EQ(Pane().VerticalPosition(), 0x123);
    const QImage shown = Shown();
    EXPECT_EQ(Row(shown, 0), Expected(0x1230, std::string_view(bytes).substr(0x1230, 16)));
    EXPECT_EQ(Row(shown, 1), Expected(0x1240, std::string_view(bytes).substr(0x1240, 16)));
}

TEST_F(HexViewTest, KeysScrollLinesPagesAndEnds)
{
    dialog.resize(300, dialog.height());  // narrower than a line
    ASSERT_TRUE(Open(tree.WriteFile("keys.bin", Counting(1600)), 0));  // 100 lines
    Pane().setFocus();
    QTest::keyClick(&Pane(), Qt::Key_Down);
    EXPECT_EQ(Pane().TopOffset(), 16u);
    QTest::keyClick(&Pane(), Qt::Key_PageDown);
    EXPECT_EQ(Pane().TopOffset(), 16u * 21);
    EXPECT_EQ(Pane().VerticalPosition(), 21);
    QTest::keyClick(&Pane(), Qt::Key_Up);
    EXPECT_EQ(Pane().VerticalPosition(), 20);
    QTest::keyClick(&Pane(), Qt::Key_End);
    // The end clamp: the last page's first line, range maximum 101.
    EXPECT_EQ(Pane().TopOffset(), 16u * (101 - 20));
    EXPECT_EQ(Pane().VerticalPosition(), 101 - 20 + 1);
    QTest::keyClick(&Pane(), Qt::Key_Home);
    EXPECT_EQ(Pane().TopOffset(), 0u);
    QTest::keyClick(&Pane(), Qt::Key_PageUp);
    EXPECT_EQ(Pane().TopOffset(), 0u);
    EXPECT_EQ(Pane().VerticalPosition(), 0);

    const int page = Pane().HorizontalPage();
    ASSERT_LT(page, CHexViewPane::kHorizontalMax);
    QTest::keyClick(&Pane(), Qt::Key_Right);
    EXPECT_EQ(Pane().HorizontalPosition(), 1);
    QTest::keyClick(&Pane(), Qt::Key_Left);
    QTest::keyClick(&Pane(), Qt::Key_Left);
    EXPECT_EQ(Pane().HorizontalPosition(), 0);
}

TEST_F(HexViewTest, AWheelNotchMovesOneLineOverThePaneAndThroughTheDialog)
{
    ASSERT_TRUE(Open(tree.WriteFile("wheel.bin", Counting(1600)), 0));
    Wheel(Pane().viewport(), -240);
    EXPECT_EQ(Pane().TopOffset(), 16u);
    Wheel(&dialog, -120);  // where a notch over the search box goes on
    EXPECT_EQ(Pane().TopOffset(), 32u);
    Wheel(Pane().verticalScrollBar(), 480);
    EXPECT_EQ(Pane().TopOffset(), 16u);
    EXPECT_EQ(Pane().VerticalPosition(), 1);
}

TEST_F(HexViewTest, EmptyFileLeavesThePaneWhiteWithRangeToOne)
{
    ASSERT_TRUE(Open(tree.WriteFile("empty.bin", ""), 0));
    EXPECT_EQ(Pane().VerticalMax(), 1);
    EXPECT_EQ(Pane().VerticalPosition(), 0);
    EXPECT_TRUE(Blank(Shown()));
    Pane().setFocus();
    QTest::keyClick(&Pane(), Qt::Key_End);
    EXPECT_EQ(Pane().TopOffset(), 0u);
}

TEST_F(HexViewTest, AShrunkFileIsRepaintedFromWhatIsThereNow)
{
    const std::string path = tree.WriteFile("shrink.bin", Counting(3200));
    ASSERT_TRUE(Open(path, 0));
    ASSERT_EQ(truncate(path.c_str(), 20), 0);
    const QImage shown = Shown();
    EXPECT_EQ(Pane().LastBytesRead(), 20);
    EXPECT_EQ(Row(shown, 1), Expected(16, Counting(20).substr(16)));
    EXPECT_TRUE(Blank(Below(shown, 2)));
    EXPECT_EQ(Pane().VerticalMax(), 201);  // the size read at opening
    // Scrolled past the new end: white, no stale line.
    Pane().setFocus();
    QTest::keyClick(&Pane(), Qt::Key_Down);
    QTest::keyClick(&Pane(), Qt::Key_Down);
    EXPECT_TRUE(Blank(Shown()));
}

TEST_F(HexViewTest, LabelsBeyondFourGibibytesShowTheLowThirtyTwoBits)
{
    const std::int64_t at = 4 * kGiB + 0x10;
    const std::string path = SparseFile(tree, "big.bin", 5 * kGiB, at, "Sifter");
    ASSERT_TRUE(Open(path, at + 3));
    EXPECT_EQ(Pane().TopOffset(), static_cast<std::uint64_t>(at + 3));
    std::string bytes = "Sifter";
    bytes.resize(16, '\0');
    const QImage shown = Shown();
    EXPECT_EQ(Row(shown, 0), Expected(0x10, bytes));
    EXPECT_EQ(Row(shown, 1), Expected(0x20, std::string(16, '\0')));
}

TEST_F(HexViewTest, ProportionalBarReachesTheLastLineOfAHugeSparseFile)
{
    const std::int64_t size = 100 * kGiB;
    const std::string path = SparseFile(tree, "huge.bin", size, size - 5, "tail!");
    ASSERT_TRUE(Open(path, 0));
    const std::int64_t lastPosition = Pane().VerticalMax() - Pane().VerticalPage() + 1;
    EXPECT_EQ(Pane().VerticalMax(), size / 16 + 1);
    QScrollBar *bar = Pane().verticalScrollBar();
    EXPECT_GT(lastPosition, bar->maximum());  // more lines than the bar counts

    // Dragging the thumb to its end reaches the last page.
    bar->setSliderDown(true);
    bar->setSliderPosition(bar->maximum());
    bar->setSliderDown(false);
    EXPECT_EQ(Pane().VerticalPosition(), lastPosition);
    EXPECT_EQ(Pane().TopOffset(), static_cast<std::uint64_t>(Pane().VerticalMax() - Pane().VerticalPage()) * 16);
    // The last line with bytes is on the page.
    const std::uint64_t lastLine = static_cast<std::uint64_t>(size - 1) / 16 * 16;
    const int row = static_cast<int>((lastLine - Pane().TopOffset()) / 16);
    ASSERT_LT(row, 20);
    std::string bytes(11, '\0');
    bytes += "tail!";
    EXPECT_EQ(Row(Shown(), row), Expected(lastLine, bytes));

    // Halfway along the bar is halfway through the file; a line step is one line.
    bar->setSliderDown(true);
    bar->setSliderPosition(bar->maximum() / 2);
    bar->setSliderDown(false);
    EXPECT_NEAR(static_cast<double>(Pane().VerticalPosition()), lastPosition / 2.0, lastPosition / 1e6);
    const std::int64_t middle = Pane().VerticalPosition();
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(Pane().VerticalPosition(), middle + 1);
    Pane().setFocus();
    QTest::keyClick(&Pane(), Qt::Key_Home);
    EXPECT_EQ(bar->value(), 0);
    QTest::keyClick(&Pane(), Qt::Key_End);
    EXPECT_EQ(Pane().VerticalPosition(), lastPosition);
    EXPECT_EQ(bar->value(), bar->maximum());
}

TEST_F(HexViewTest, SearchStartsAfterThePositionPlusTheTextLength)
{
    // "AA" at 0 is before the start; in "AAA" at 40 the one at 41 overlaps the match.
    std::string bytes(1600, '.');
    bytes.replace(0, 2, "AA");
    bytes.replace(40, 3, "AAA");
    bytes.replace(100, 2, "AA");
    ASSERT_TRUE(Open(tree.WriteFile("search.bin", bytes), 0));
    Search(QStringLiteral("AA"));
    EXPECT_EQ(Pane().TopOffset(), 40u);
    EXPECT_EQ(Pane().VerticalPosition(), 2);
    Search(QStringLiteral("AA"));
    EXPECT_EQ(Pane().TopOffset(), 100u);
    EXPECT_TRUE(messages.isEmpty());
    Search(QStringLiteral("AA"));
    EXPECT_EQ(Pane().TopOffset(), 100u);
    EXPECT_EQ(messages, QStringList{QStringLiteral("No more matched string.")});
    // Searching is case-sensitive.
    Pane().GoToOffset(0);
    Search(QStringLiteral("aa"));
    EXPECT_EQ(Pane().TopOffset(), 0u);
    EXPECT_EQ(messages.size(), 2);
}

TEST_F(HexViewTest, EmptySearchTextGoesToTheStart)
{
    ASSERT_TRUE(Open(tree.WriteFile("start.bin", Counting(200)), 0x90));
    Search(QString());
    EXPECT_EQ(Pane().TopOffset(), 0u);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(HexViewTest, TextFindsItsUtf16FormButHexadecimalOnlyItsBytes)
{
    std::string bytes(64, '-');
    bytes.replace(32, 4, std::string("A\0B\0", 4));
    const std::string path = tree.WriteFile("wide.bin", bytes);
    ASSERT_TRUE(Open(path, 0));
    Search(QStringLiteral("AB"));
    EXPECT_EQ(Pane().TopOffset(), 32u);

    Pane().GoToOffset(0);
    Search(QStringLiteral("41 42"), true);  // the phrase's three bytes 41 20 42
    Search(QStringLiteral("4142"), true);
    EXPECT_EQ(Pane().TopOffset(), 0u);
    EXPECT_EQ(messages.size(), 2);
    // A text that is not hexadecimal does nothing, not even a message.
    Search(QStringLiteral("4G"), true);
    EXPECT_EQ(messages.size(), 2);

    Search(QStringLiteral("4100"), true);
    EXPECT_EQ(Pane().TopOffset(), 32u);
}

TEST_F(HexViewTest, EnterSearchesAndEscapeHidesTheWindow)
{
    std::string bytes(1600, '.');
    bytes.replace(50, 3, "key");
    ASSERT_TRUE(Open(tree.WriteFile("enter.bin", bytes), 0));
    dialog.SearchBox()->setText(QStringLiteral("key"));
    dialog.SearchBox()->setFocus();
    QTest::keyClick(dialog.SearchBox(), Qt::Key_Return);
    EXPECT_EQ(Pane().TopOffset(), 50u);
    EXPECT_TRUE(dialog.isVisible());
    // Enter in the pane hands the focus back and closes nothing.
    Pane().setFocus();
    QTest::keyClick(&Pane(), Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.focusWidget(), dialog.SearchBox());
    QTest::keyClick(dialog.SearchBox(), Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(Pane().TopOffset(), 50u);  // the file stays open for the next showing
    // The close box hides it too; the window stays for the next Hex View.
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QPointer<CHexViewDialog> alive(&dialog);
    dialog.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_NE(Pane().File(), nullptr);
}

TEST_F(HexViewTest, EscapeCancelsALongSearchWhichMovesNothing)
{
    const std::string path = SparseFile(tree, "long.bin", 256 * 1024 * 1024, 200 * 1024 * 1024, "needle");
    ASSERT_TRUE(Open(path, 0x40));
    dialog.SearchBox()->setText(QStringLiteral("needle"));
    bool searchedWhileRunning = false;
    // Runs from inside the search, on its first pass through the event queue.
    QTimer::singleShot(0, &dialog, [&] {
        searchedWhileRunning = dialog.Searching();
        QTest::keyClick(dialog.SearchBox(), Qt::Key_Escape);
    });
    dialog.SearchNext();
    EXPECT_TRUE(searchedWhileRunning);
    EXPECT_FALSE(dialog.Searching());
    EXPECT_EQ(Pane().TopOffset(), 0x40u);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(dialog.isVisible());
    // Uncancelled, the same search finds it.
    dialog.SearchNext();
    EXPECT_EQ(Pane().TopOffset(), 200u * 1024 * 1024);
}

TEST_F(HexViewTest, FifoAndMissingFilesAreRefusedAtOnceAndShowNothing)
{
    ASSERT_TRUE(Open(tree.WriteFile("before.bin", Counting(64)), 0));
    const std::int64_t max = Pane().VerticalMax();
    const std::string fifo = tree.Path("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(dialog.ShowFile(fifo, 0));  // returns: no writer is waited for
    EXPECT_EQ(dialog.windowTitle(), QString::fromStdString(fifo));
    EXPECT_EQ(Pane().File(), nullptr);
    EXPECT_EQ(Pane().VerticalMax(), max);  // the bars keep their settings
    EXPECT_TRUE(Blank(Shown()));
    EXPECT_FALSE(dialog.ShowFile(tree.Path("missing"), 0));
    Search(QStringLiteral("x"));
    EXPECT_EQ(messages, QStringList{QStringLiteral("No more matched string.")});
}

TEST_F(HexViewTest, ControlsFollowTheWindowSize)
{
    dialog.resize(700, 500);
    QTest::qWait(1);
    const QFrame *line = nullptr;
    for (const QFrame *frame : dialog.findChildren<QFrame *>()) {
        if (frame->frameShape() == QFrame::HLine)
            line = frame;
    }
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(Pane().geometry(), QRect(0, line->y(), 700, 500 - line->y()));
    EXPECT_EQ(dialog.SearchBox()->geometry().right(), 699);
    EXPECT_EQ(dialog.SearchButton()->geometry().right(), 699);
    const QRect check = dialog.HexadecimalBox()->geometry();
    dialog.resize(500, 400);
    QTest::qWait(1);
    EXPECT_EQ(dialog.SearchButton()->geometry().right(), 499);
    EXPECT_EQ(dialog.HexadecimalBox()->geometry(), check);
}

TEST(HexViewDirection, RightToLeftTheWindowIsMirroredAndTheDumpStaysLeftToRight)
{
    QGuiApplication::setLayoutDirection(Qt::RightToLeft);
    CHexViewDialog dialog;
    QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    dialog.setLayoutDirection(Qt::RightToLeft);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    for (const int width : {dialog.width(), dialog.width() + 150}) {
        dialog.resize(width, dialog.height());
        QCoreApplication::processEvents();
        // Search, at the right end left to right, is at the left end; the check box at the right.
        EXPECT_EQ(dialog.SearchButton()->x(), 0) << width;
        EXPECT_EQ(dialog.HexadecimalBox()->geometry().right() + 1, width) << width;
        EXPECT_EQ(dialog.SearchBox()->geometry(), QRect(0, 0, width, dialog.SearchBox()->height())) << width;
        EXPECT_EQ(dialog.Pane()->width(), width);
    }
    EXPECT_FALSE(dialog.Pane()->isRightToLeft());
}

} // namespace
} // namespace sifter::test
