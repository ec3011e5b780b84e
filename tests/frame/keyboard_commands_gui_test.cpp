// SPDX-License-Identifier: GPL-3.0-or-later
// The window-wide keys: Alt+Return shows Properties, F5 searches again, Ctrl+F and Ctrl+L go
// to the name and folder boxes, each pressed where the focus is in the results list.
#include "fileops/properties_dialog.h"
#include "pane/left_view.h"
#include "results/results_model.h"
#include "results/sifter_view.h"
#include "support/sifter_app_fixture.h"

#include <QComboBox>
#include <QDBusConnection>
#include <QLineEdit>
#include <QTest>

namespace sifter::test {
namespace {

class KeyboardCommandsTest : public SifterAppFixture {
protected:
    void StartActive(const std::vector<FileRow> &rows)
    {
        ASSERT_NO_FATAL_FAILURE(StartWithFiles(rows));
        ASSERT_NO_FATAL_FAILURE(ShowActive());
        List().setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] {
            return List().isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == &List();
        }));
    }

    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
    }

    CLeftView &Pane() const { return *Frame().GetLeftView(); }
};

TEST_F(KeyboardCommandsTest, AltReturnShowsThePropertiesOfTheSelectedFile)
{
    ASSERT_NO_FATAL_FAILURE(StartActive({"one.txt", "two.txt"}));
    // No file manager answers, so the program's own dialog shows.
    Frame().SetDesktopBus(QDBusConnection(QStringLiteral("no-such-bus")));
    Select({1});
    ASSERT_TRUE(Enabled(cmd::kProperties));
    Press(Qt::Key_Return, Qt::AltModifier);
    auto *dialog = Frame().findChild<PropertiesDialog *>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->FieldText(str::kPropertyPath).endsWith(QStringLiteral("/two.txt")));
}

TEST_F(KeyboardCommandsTest, F5SearchesAgainWithThePanesCriteria)
{
    ASSERT_NO_FATAL_FAILURE(StartActive({"one.txt", "two.log"}));
    Pane().NameBox()->setEditText(QStringLiteral("*.txt"));
    Pane().FolderBox()->setEditText(QString::fromStdString(tree.Path("files")));
    tree.WriteFile("files/three.txt", "new");
    tree.WriteFile("files/four.txt", "new");
    ASSERT_TRUE(Enabled(cmd::kSearchAgain));
    Press(Qt::Key_F5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Doc().Search().InRun(); }));
    // one.txt, three.txt and four.txt; not the opened file's two.log.
    EXPECT_EQ(List().Model().rowCount(), 3);
}

TEST_F(KeyboardCommandsTest, CtrlFAndCtrlLFocusTheNameAndFolderBoxesWithTheirTextSelected)
{
    ASSERT_NO_FATAL_FAILURE(StartActive({"one.txt"}));
    Pane().NameBox()->setEditText(QStringLiteral("*.txt"));
    // An editable box keeps the focus itself and hands the keys to its line.
    Press(Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == Pane().NameBox(); }));
    EXPECT_EQ(Pane().NameBox()->lineEdit()->selectedText(), QStringLiteral("*.txt"));
    Press(Qt::Key_L, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == Pane().FolderBox(); }));
}

} // namespace
} // namespace sifter::test
