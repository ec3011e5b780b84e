// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader gets of the Hex View's viewing area: a read-only text of the shown
// lines, named, focusable, with the top line's offset as value and description.
#include "results/hex_view_accessible.h"
#include "results/hex_view_pane.h"

#include "support/temp_tree.h"

#include <QAccessible>
#include <QTest>

#include <gtest/gtest.h>

namespace sifter::test {
namespace {

class HexViewAccessibleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QAccessible::setActive(true);
        // Five lines of letters and digits: 80 bytes.
        std::string bytes;
        for (int i = 0; i < 80; ++i)
            bytes.push_back(static_cast<char>('A' + i % 26));
        path = tree.WriteFile("letters.bin", bytes);
        pane.resize(700, 400);
        pane.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&pane));
        ASSERT_TRUE(pane.OpenFile(path, 0));
    }
    void TearDown() override { QAccessible::setActive(false); }

    QStringList Lines() const
    {
        QAccessibleInterface *node = QAccessible::queryAccessibleInterface(const_cast<CHexViewPane *>(&pane));
        QAccessibleTextInterface *text = node->textInterface();
        return text->text(0, text->characterCount()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    TempTree tree;
    std::string path;
    CHexViewPane pane;
};

TEST_F(HexViewAccessibleTest, IsANamedReadOnlyTextThatTakesTheFocus)
{
    QAccessibleInterface *node = QAccessible::queryAccessibleInterface(&pane);
    ASSERT_NE(node, nullptr);
    EXPECT_NE(dynamic_cast<HexViewAccessible *>(node), nullptr);
    EXPECT_EQ(node->role(), QAccessible::EditableText);
    EXPECT_FALSE(node->text(QAccessible::Name).isEmpty());
    EXPECT_TRUE(node->state().readOnly);
    EXPECT_TRUE(node->state().focusable);
    pane.activateWindow();
    pane.setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return node->state().focused; }));
}

TEST_F(HexViewAccessibleTest, ItsTextIsTheShownLinesOfTheDump)
{
    const QStringList lines = Lines();
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("00000000H: 41 42 43"))) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("ABCDEFGHIJKLMNOP"))) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("00000010H: 51 52"))) << lines[1].toStdString();
    // A character's place is its cell on the screen: the second line lies below the first.
    QAccessibleTextInterface *text = QAccessible::queryAccessibleInterface(&pane)->textInterface();
    const int secondLine = static_cast<int>(lines[0].size()) + 1;
    EXPECT_GT(text->characterRect(secondLine).top(), text->characterRect(0).top());
    EXPECT_EQ(text->offsetAtPoint(text->characterRect(secondLine + 3).center()), secondLine + 3);
}

TEST_F(HexViewAccessibleTest, TheTopLinesOffsetIsItsValueAndInItsDescription)
{
    QAccessibleInterface *node = QAccessible::queryAccessibleInterface(&pane);
    EXPECT_EQ(node->text(QAccessible::Value), QStringLiteral("0"));
    pane.GoToOffset(32);
    EXPECT_EQ(node->text(QAccessible::Value), QStringLiteral("32"));
    EXPECT_TRUE(node->text(QAccessible::Description).contains(QStringLiteral("32")));
    EXPECT_TRUE(node->text(QAccessible::Description).contains(QStringLiteral("80")));
    ASSERT_FALSE(Lines().isEmpty());
    EXPECT_TRUE(Lines().front().startsWith(QStringLiteral("00000020H:")));
}

} // namespace
} // namespace sifter::test
