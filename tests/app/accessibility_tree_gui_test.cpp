// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader reads of every window and dialog: each node of each accessibility
// tree answers every question (texts, role, state, geometry, relations, and the interfaces
// it offers) without crashing, and its children name it as their parent.
#include "fileops/open_with_dialog.h"
#include "fileops/properties_dialog.h"
#include "fileops/transfer_progress_dialog.h"
#include "frame/about_dialog.h"
#include "frame/main_frame.h"
#include "framework/name_conflict_dialog.h"
#include "fs/file_properties.h"
#include "results/hex_view_dialog.h"
#include "results/sifter_view.h"
#include "stores/result_file.h"
#include "support/found_records.h"
#include "support/sifter_app_fixture.h"

#include <QAccessible>
#include <QTest>

namespace sifter::test {
namespace {

// Reads everything of the node and its tree; returns the nodes read.
int ReadTree(QAccessibleInterface *node, int depth = 0)
{
    EXPECT_TRUE(node->isValid());
    if (!node->isValid() || depth > 64)
        return 0;
    for (QAccessible::Text text : {QAccessible::Name, QAccessible::Description, QAccessible::Value,
                                   QAccessible::Help, QAccessible::Accelerator})
        (void)node->text(text);
    (void)node->role();
    (void)node->state();
    (void)node->rect();
    (void)node->window();
    (void)node->relations();
    (void)node->focusChild();
    if (QAccessibleActionInterface *actions = node->actionInterface()) {
        for (const QString &action : actions->actionNames())
            (void)actions->localizedActionDescription(action);
    }
    if (QAccessibleTextInterface *text = node->textInterface()) {
        const int count = text->characterCount();
        (void)text->text(0, count);
        (void)text->cursorPosition();
        (void)text->selectionCount();
        if (count > 0)
            (void)text->characterRect(count - 1);
    }
    if (QAccessibleValueInterface *value = node->valueInterface()) {
        (void)value->currentValue();
        (void)value->minimumValue();
        (void)value->maximumValue();
    }
    if (QAccessibleTableInterface *table = node->tableInterface()) {
        (void)table->rowCount();
        (void)table->columnCount();
        (void)table->selectedCellCount();
        if (table->rowCount() > 0 && table->columnCount() > 0)
            (void)table->cellAt(0, 0);
    }
    int read = 1;
    const int children = node->childCount();
    for (int i = 0; i < children && i < 200; ++i) {
        QAccessibleInterface *child = node->child(i);
        if (!child)
            continue;
        EXPECT_EQ(node->indexOfChild(child), i);
        read += ReadTree(child, depth + 1);
    }
    return read;
}

int ReadWindow(QWidget &window)
{
    QAccessibleInterface *root = QAccessible::queryAccessibleInterface(&window);
    EXPECT_NE(root, nullptr);
    return root ? ReadTree(root) : 0;
}

class AccessibilityTreeTest : public SifterAppFixture {
protected:
    void StartWithRows()
    {
        tree.WriteFile("files/data.bin", std::string(4096, 'd'));
        tree.WriteFile("files/notes.txt", "notes");
        FileSearch search;
        SetSearchedFolders(search, tree.Path("files"));
        search.AppendFoundFile(RecordOfEntry(search, tree.Path("files"), "data.bin"));
        search.AppendFoundFile(RecordOfEntry(search, tree.Path("files"), "notes.txt"));
        ASSERT_TRUE(SaveResultFile(search, tree.Path("rows.sifter")));
        StartShown({QString::fromStdString(tree.Path("rows.sifter"))});
        QAccessible::setActive(true);
    }
};

TEST_F(AccessibilityTreeTest, EveryNodeOfTheMainWindowAnswersEveryQuestion)
{
    StartWithRows();
    Frame().GetResultsView()->SelectAll();
    EXPECT_GT(ReadWindow(Frame()), 40);
    // Each view mode has its own item views.
    for (ViewMode mode : {ViewMode::List, ViewMode::SmallIcons, ViewMode::LargeIcons, ViewMode::Details}) {
        Frame().GetResultsView()->SetViewMode(mode);
        EXPECT_GT(ReadWindow(Frame()), 10);
    }
    QAccessibleInterface *application = QAccessible::queryAccessibleInterface(QCoreApplication::instance());
    EXPECT_GT(ReadTree(application), 40);
}

TEST_F(AccessibilityTreeTest, EveryDialogAnswersEveryQuestion)
{
    StartWithRows();
    CHexViewDialog &hexView = *Frame().GetResultsView()->HexViewDialog();
    ASSERT_TRUE(hexView.ShowFile(tree.Path("files/data.bin"), 16));
    hexView.show();
    EXPECT_GT(ReadWindow(hexView), 3);

    CAboutDialog about(QStringLiteral("file:///guide"), QStringLiteral("https://example.org"), [](CommandId) {}, &Frame());
    about.show();
    EXPECT_GT(ReadWindow(about), 3);

    FileProperties properties;
    ASSERT_TRUE(ReadFileProperties(tree.Path("files/notes.txt"), properties));
    PropertiesDialog propertiesDialog(tree.Path("files/notes.txt"), QStringLiteral("Plain Text"), properties, &Frame());
    propertiesDialog.show();
    EXPECT_GT(ReadWindow(propertiesDialog), 3);

    DesktopEntry editor;
    editor.id = "editor.desktop";
    editor.name = "Editor";
    OpenWithDialog openWith(QStringLiteral("notes.txt"), "text/plain", {{editor}, {}}, &Frame());
    openWith.show();
    EXPECT_GT(ReadWindow(openWith), 3);

    NameConflictDialog conflict(QStringLiteral("notes.txt"), QString::fromStdString(tree.Root()), false, &Frame());
    conflict.show();
    EXPECT_GT(ReadWindow(conflict), 3);

    TransferProgressDialog progress(TransferKind::kCopy, QStringLiteral("/dest"), *prompts, &Frame());
    progress.show();
    EXPECT_GT(ReadWindow(progress), 3);
}

TEST_F(AccessibilityTreeTest, TheOptionsDialogAnswersEveryQuestion)
{
    StartWithRows();
    QTimer::singleShot(0, [] {
        QWidget *dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        EXPECT_GT(ReadWindow(*dialog), 5);
        dialog->close();
    });
    ASSERT_TRUE(Frame().SendCommand(cmd::kOptions));
}

} // namespace
} // namespace sifter::test
