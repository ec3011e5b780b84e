// SPDX-License-Identifier: GPL-3.0-or-later
// Cut and Copy of the results list's selection onto the clipboard, their keys and enabling,
// the clipboard source the application keeps until its exit, and dragging rows out.
#include "fileops/file_url.h"
#include "fileops/selection_data.h"
#include "framework/command_actions.h"
#include "pane/left_view.h"
#include "results/results_model.h"
#include "results/results_views.h"
#include "results/sifter_view.h"
#include "support/qt_printers.h"
#include "support/sifter_app_fixture.h"

#include <QAbstractItemView>
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDrag>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>

#include <unistd.h>

namespace sifter::test {
namespace {

// The rows' records hold their names alone.
class ClipboardCommandsTest : public SifterAppFixture {
protected:
    void SetUp() override
    {
        SifterAppFixture::SetUp();
        QGuiApplication::clipboard()->clear();
        rowRecords = RowRecords::kNamed;
    }

    void StartShownWithFiles(const std::vector<FileRow> &rows)
    {
        StartWithFiles(rows);
        ShowActive();
    }

    std::string FilePath(const std::string &name) { return tree.Path("files") + "/" + name; }
    QUrl FileUrl(const std::string &name) { return FileUrlOfPath(FilePath(name)); }

    static const QMimeData *Clipboard() { return QGuiApplication::clipboard()->mimeData(); }
    static QByteArray GnomeList() { return Clipboard()->data(QLatin1String(kGnomeCopiedFilesFormat)); }

    // Presses the left button on the row's name in the current view and drags it away.
    void DragRow(int row)
    {
        QAbstractItemView *view = List().CurrentView();
        QWidget *viewport = view->viewport();
        const QPoint from = view->visualRect(List().Model().index(row, 0)).center();
        QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, from);
        MoveWithButton(viewport, from + QPoint(2, 1));
        MoveWithButton(viewport, from + QPoint(QApplication::startDragDistance() + 10, 12));
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, from + QPoint(QApplication::startDragDistance() + 10, 12));
    }

    static void MoveWithButton(QWidget *widget, QPoint at)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }

    // A drag loop that records what it was given and, as a target that moves, removes the files.
    struct DropTarget {
        int drags = 0;
        QList<QUrl> urls;
        std::vector<std::string> paths;
        Qt::DropActions allowed;
        Qt::DropAction preferred = Qt::IgnoreAction;
        std::vector<std::string> moveAway;
    };
    void UseDropTarget(DropTarget &target)
    {
        List().SetDragLoop([&target](QDrag &drag, Qt::DropActions allowed, Qt::DropAction preferred) {
            ++target.drags;
            target.urls = drag.mimeData()->urls();
            if (const auto *data = qobject_cast<const SelectionDataSource *>(drag.mimeData()))
                target.paths = data->Paths();
            target.allowed = allowed;
            target.preferred = preferred;
            for (const std::string &path : target.moveAway)
                EXPECT_EQ(unlink(path.c_str()), 0);
            return target.moveAway.empty() ? Qt::CopyAction : Qt::MoveAction;
        });
    }
};

TEST_F(ClipboardCommandsTest, CutAndCopyNeedASelectedRow)
{
    StartWithFiles({"a", "b"});
    for (CommandId id : {cmd::kEditCopy, cmd::kEditCut}) {
        Select({});
        EXPECT_FALSE(Enabled(id));
        Select({0});
        EXPECT_TRUE(Enabled(id));
        Select({0, 1});
        EXPECT_TRUE(Enabled(id));
    }
}

TEST_F(ClipboardCommandsTest, CopyPutsTheSelectedFilesOnTheClipboardInRowOrder)
{
    const std::string odd = "-a b\nc\xff";
    StartWithFiles({"first", odd, "last"});
    Select({2, 1});
    ASSERT_TRUE(Frame().SendCommand(cmd::kEditCopy));
    ASSERT_NE(Clipboard(), nullptr);
    EXPECT_EQ(Clipboard()->urls(), (QList<QUrl>{FileUrl(odd), FileUrl("last")}));
    EXPECT_EQ(GnomeList(), "copy\n" + FileUriOfPath(FilePath(odd)) + '\n' + FileUriOfPath(FilePath("last")));
    EXPECT_FALSE(Clipboard()->hasFormat(QLatin1String(kKdeCutSelectionFormat)));
    EXPECT_TRUE(Clipboard()->text().endsWith(QLatin1Char('\n') + QString::fromStdString(FilePath("last"))));
    // The application keeps it, and its block lists the same paths.
    const auto *source = qobject_cast<const SelectionDataSource *>(app->ClipboardSource());
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(static_cast<const QMimeData *>(source), Clipboard());
    EXPECT_EQ(source->Paths(), (std::vector<std::string>{FilePath(odd), FilePath("last")}));
    QByteArray header(20, '\0');
    header[0] = 20;
    const std::string list = FilePath(odd) + '\0' + FilePath("last") + '\0' + '\0' + '\0';
    EXPECT_EQ(source->FileList(), header + QByteArray(list.data(), static_cast<qsizetype>(list.size())));
    EXPECT_EQ(static_cast<std::size_t>(source->FileList().size()), 20 + (FilePath(odd).size() + 1) + (FilePath("last").size() + 1) + 2);
    EXPECT_TRUE(prompts->errors.isEmpty());
}

TEST_F(ClipboardCommandsTest, CutMarksTheFilesToMoveButLeavesRowsAndFiles)
{
    StartWithFiles({"a", "b"});
    Select({0});
    ASSERT_TRUE(Frame().SendCommand(cmd::kEditCut));
    EXPECT_EQ(Clipboard()->urls(), QList<QUrl>{FileUrl("a")});
    EXPECT_EQ(GnomeList(), "cut\n" + FileUriOfPath(FilePath("a")));
    EXPECT_EQ(Clipboard()->data(QLatin1String(kKdeCutSelectionFormat)), QByteArrayLiteral("1"));
    EXPECT_EQ(List().ItemCount(), 2);
    EXPECT_TRUE(EntryExists(FilePath("a")));
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(ClipboardCommandsTest, TheKeysCutAndCopyAndShiftDeleteDeletesNothing)
{
    StartShownWithFiles({"a", "b"});
    Select({1});
    List().CurrentView()->setFocus();
    Frame().UpdateCommandUi();  // as the idle time after the selection would
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char *first;
    } keys[] = {{Qt::Key_C, Qt::ControlModifier, "copy"},
                {Qt::Key_X, Qt::ControlModifier, "cut"},
                {Qt::Key_Insert, Qt::ControlModifier, "copy"},
                {Qt::Key_Delete, Qt::ShiftModifier, "cut"}};
    for (const auto &entry : keys) {
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(List().CurrentView(), entry.key, entry.modifiers);
        ASSERT_NE(Clipboard(), nullptr) << entry.first;
        EXPECT_EQ(GnomeList(), entry.first + ('\n' + FileUriOfPath(FilePath("b")))) << entry.first;
    }
    EXPECT_TRUE(EntryExists(FilePath("b")));
    EXPECT_TRUE(prompts->yesNoQuestions.isEmpty());
    EXPECT_TRUE(prompts->warningQuestions.isEmpty());
    EXPECT_EQ(List().ItemCount(), 2);
}

TEST_F(ClipboardCommandsTest, CtrlCInATextBoxCopiesItsTextNotTheFiles)
{
    StartShownWithFiles({"a"});
    Select({0});
    Frame().UpdateCommandUi();
    QLineEdit *edit = Frame().GetLeftView()->NameBox()->lineEdit();
    edit->setText(QStringLiteral("typed"));
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("typed"));
    EXPECT_FALSE(Clipboard()->hasUrls());
}

TEST_F(ClipboardCommandsTest, ARowWhoseNameLeavesItsFolderIsLeftOutAndNamed)
{
    tree.WriteFile("etc/passwd", "kept");
    StartWithFiles({"good", "../../etc/passwd"});
    Select({0, 1});
    ASSERT_TRUE(Frame().SendCommand(cmd::kEditCopy));
    EXPECT_EQ(Clipboard()->urls(), QList<QUrl>{FileUrl("good")});
    ASSERT_EQ(prompts->errors.size(), 1);
    EXPECT_TRUE(prompts->errors[0].contains(QStringLiteral("Row 2 (../../etc/passwd)")));

    // Nothing usable: the clipboard keeps what it had.
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    Select({1});
    ASSERT_TRUE(Frame().SendCommand(cmd::kEditCut));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    EXPECT_FALSE(Clipboard()->hasUrls());
    EXPECT_EQ(prompts->errors.size(), 2);
    EXPECT_EQ(app->ClipboardSource(), nullptr);
}

TEST_F(ClipboardCommandsTest, AnotherCopyOnTheClipboardEndsTheClipboardSource)
{
    StartWithFiles({"a"});
    Select({0});
    ASSERT_TRUE(Frame().SendCommand(cmd::kEditCopy));
    ASSERT_NE(app->ClipboardSource(), nullptr);
    QGuiApplication::clipboard()->setText(QStringLiteral("someone else's"));
    EXPECT_EQ(app->ClipboardSource(), nullptr);
}

TEST_F(ClipboardCommandsTest, AtExitTheClipboardKeepsTheFilesAndTheSourceIsGivenUp)
{
    StartWithFiles({"a", "b"});
    Select({0, 1});
    ASSERT_TRUE(Frame().SendCommand(cmd::kEditCopy));
    ASSERT_NE(app->ClipboardSource(), nullptr);
    Frame().close();
    app->ExitInstance(0);
    EXPECT_EQ(app->ClipboardSource(), nullptr);
    app.reset();
    ASSERT_NE(Clipboard(), nullptr);
    EXPECT_EQ(Clipboard()->urls(), (QList<QUrl>{FileUrl("a"), FileUrl("b")}));
}

TEST_F(ClipboardCommandsTest, DraggingRowsOffersTheirFilesAndRemovesThoseTheTargetMoved)
{
    StartShownWithFiles({"a", "b", "c"});
    ASSERT_EQ(List().Mode(), ViewMode::Details);
    Select({0, 1});
    DropTarget target;
    target.moveAway = {FilePath("b")};
    UseDropTarget(target);
    DragRow(0);
    ASSERT_EQ(target.drags, 1);
    EXPECT_EQ(target.urls, (QList<QUrl>{FileUrl("a"), FileUrl("b")}));
    EXPECT_EQ(target.paths, (std::vector<std::string>{FilePath("a"), FilePath("b")}));
    EXPECT_EQ(target.allowed, Qt::CopyAction | Qt::MoveAction | Qt::LinkAction);
    EXPECT_EQ(target.preferred, Qt::CopyAction);
    EXPECT_EQ(Labels(), (QStringList{QStringLiteral("a"), QStringLiteral("c")}));
    EXPECT_EQ(Doc().Search().CountFoundFiles(), 2u);
    EXPECT_TRUE(Doc().IsModified());
    // The drag neither started a rename nor changed the selection.
    QTest::qWait(QApplication::doubleClickInterval() + 100);  // a click on a selected row edits after this
    EXPECT_EQ(List().CurrentView()->findChild<QLineEdit *>(), nullptr);
    EXPECT_EQ(List().SelectedCount(), 1);
}

TEST_F(ClipboardCommandsTest, RowsDragInTheIconModesToo)
{
    StartShownWithFiles({"a", "b"});
    List().SetViewMode(ViewMode::LargeIcons);
    Select({1});
    DropTarget target;
    UseDropTarget(target);
    DragRow(1);
    ASSERT_EQ(target.drags, 1);
    EXPECT_EQ(target.urls, QList<QUrl>{FileUrl("b")});
    // A copying target leaves every row.
    EXPECT_EQ(List().ItemCount(), 2);
    EXPECT_FALSE(Doc().IsModified());

    List().SetViewMode(ViewMode::List);
    Select({0});
    DragRow(0);
    EXPECT_EQ(target.drags, 2);
    EXPECT_EQ(target.urls, QList<QUrl>{FileUrl("a")});
}

TEST_F(ClipboardCommandsTest, APressOnAnEmptyPlaceDragsNothing)
{
    StartShownWithFiles({"a"});
    List().SetViewMode(ViewMode::List);
    Select({0});
    DropTarget target;
    UseDropTarget(target);
    QWidget *viewport = List().CurrentView()->viewport();
    const QPoint empty(viewport->width() - 5, viewport->height() - 5);
    ASSERT_FALSE(List().CurrentView()->indexAt(empty).isValid());
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, empty);
    MoveWithButton(viewport, empty - QPoint(20, 20));
    MoveWithButton(viewport, empty - QPoint(40, 40));
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, empty - QPoint(40, 40));
    EXPECT_EQ(target.drags, 0);
}

TEST_F(ClipboardCommandsTest, ADragOfOnlyUnsafeRowsDoesNotStartAndIsNamed)
{
    StartShownWithFiles({"../../etc/passwd"});
    Select({0});
    DropTarget target;
    UseDropTarget(target);
    DragRow(0);
    EXPECT_EQ(target.drags, 0);
    ASSERT_EQ(prompts->errors.size(), 1);
    EXPECT_TRUE(prompts->errors[0].contains(QStringLiteral("../../etc/passwd")));
}

TEST_F(ClipboardCommandsTest, TheRealDragReturnsAndTheVanishedRowsGo)
{
    StartShownWithFiles({"a", "b"});
    Select({0, 1});
    ASSERT_EQ(unlink(FilePath("a").c_str()), 0);
    // No drop target offscreen: the drag ends at once, and what it finds gone still goes.
    List().OnBeginDrag();
    EXPECT_EQ(Labels(), QStringList{QStringLiteral("b")});
}

TEST_F(ClipboardCommandsTest, CopyOfANameThatIsNoUtf8OffersItsByteAndNotItsTwin)
{
    StartWithFiles({"bad\xff.txt", "bad\xEF\xBF\xBD.txt"});
    Select({0});
    ASSERT_TRUE(Frame().SendCommand(cmd::kEditCopy));
    ASSERT_NE(Clipboard(), nullptr);
    const QByteArray uriList = Clipboard()->data(QStringLiteral("text/uri-list"));
    EXPECT_TRUE(uriList.endsWith("/bad%FF.txt\r\n")) << uriList.toStdString();
    EXPECT_TRUE(GnomeList().endsWith("/bad%FF.txt")) << GnomeList().toStdString();
    EXPECT_FALSE(uriList.contains("%EF%BF%BD"));
    const auto *source = qobject_cast<const SelectionDataSource *>(app->ClipboardSource());
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->Paths(), std::vector<std::string>{FilePath("bad\xff.txt")});
}

} // namespace
} // namespace sifter::test
