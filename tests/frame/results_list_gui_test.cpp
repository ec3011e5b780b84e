// SPDX-License-Identifier: GPL-3.0-or-later
// The results list in the main window: its four view modes over one selection, the
// column table behind the Details header (order, widths, show/hide), the header and item
// menus, the sort commands from header clicks and menus, activation and label editing.
#include "framework/command_actions.h"
#include "registry/registry_store.h"
#include "results/results_model.h"
#include "results/results_views.h"
#include "results/sifter_view.h"
#include "search/text_field.h"
#include "stores/layout_settings.h"
#include "stores/result_file.h"
#include "support/qt_printers.h"
#include "support/sifter_app_fixture.h"
#include "support/tool_tips.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace sifter::test {
namespace {

class ResultsListTest : public SifterAppFixture {
protected:
    // Starts with a result file of count rows named f0.txt, f1.txt ... and shows the window.
    void StartWithRows(int count)
    {
        FileSearch search;
        for (int i = 0; i < count; ++i) {
            auto record = std::make_unique<FoundFile>();
            record->SetName("f" + std::to_string(i) + ".txt");
            record->SetFolder("/data");
            record->size = static_cast<std::uint64_t>(count - i) * 10; // f0 the largest
            record->SetTypeName("plain text document");
            search.AppendFoundFile(std::move(record));
        }
        const std::string path = tree.Path("rows.sifter");
        ASSERT_TRUE(SaveResultFile(search, path));
        ASSERT_TRUE(Start({QString::fromStdString(path)}));
        Frame().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Frame()));
        ASSERT_EQ(List().ItemCount(), count);
    }


    QStringList Captions() const
    {
        QStringList captions;
        QHeaderView *header = List().Header();
        for (int visual = 0; visual < header->count(); ++visual)
            captions.append(List().Model().headerData(header->logicalIndex(visual), Qt::Horizontal, Qt::DisplayRole).toString());
        return captions;
    }

    int SectionWidth(const QString &caption) const
    {
        QHeaderView *header = List().Header();
        for (int logical = 0; logical < header->count(); ++logical) {
            if (List().Model().headerData(logical, Qt::Horizontal, Qt::DisplayRole).toString() == caption)
                return header->sectionSize(logical);
        }
        return -1;
    }

    // Right-clicks the widget at pos and returns the context menu that opened.
    QMenu *RightClick(QWidget *widget, QPoint pos)
    {
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, widget->mapToGlobal(pos));
        QApplication::sendEvent(widget, &event);
        for (QWidget *top : QApplication::topLevelWidgets()) {
            auto *menu = qobject_cast<QMenu *>(top);
            if (menu && menu->isVisible())
                return menu;
        }
        return nullptr;
    }

    QMenu *HeaderMenu()
    {
        QHeaderView *header = List().Header();
        return RightClick(header->viewport(), QPoint(header->sectionViewportPosition(0) + 5, header->height() / 2));
    }

    QMenu *ItemMenu()
    {
        QAbstractItemView *view = List().CurrentView();
        return RightClick(view->viewport(), view->viewport()->rect().bottomRight() - QPoint(5, 5));
    }

    // The menu's item (searching submenus) for the command.
    static QAction *Item(QMenu *menu, CommandId id)
    {
        for (QAction *action : menu->actions()) {
            if (action->menu()) {
                if (QAction *inner = Item(action->menu(), id))
                    return inner;
            } else if (CommandActions::IdOf(action) == id) {
                return action;
            }
        }
        return nullptr;
    }

    // Chooses the command from the menu as a click would, and closes the menu.
    static void Choose(QMenu *menu, CommandId id)
    {
        QAction *action = Item(menu, id);
        ASSERT_NE(action, nullptr) << id;
        action->trigger();
        menu->close();
    }

    QToolButton *ToolButton(CommandId id)
    {
        return qobject_cast<QToolButton *>(Frame().ToolBar()->widgetForAction(Frame().Actions().Action(id)));
    }

    void ClickRow(QAbstractItemView *view, int row, Qt::KeyboardModifiers modifiers = {}, int column = 0)
    {
        const QRect rect = view->visualRect(List().Model().index(row, column));
        ASSERT_TRUE(rect.isValid()) << row;
        QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, rect.center());
    }

    std::set<int> SelectedRows() const
    {
        std::set<int> rows;
        for (const QModelIndex &index : List().SelectionModel()->selectedRows())
            rows.insert(index.row());
        return rows;
    }
};

TEST_F(ResultsListTest, ShowingDateCreatedPutsItRightAfterDateModifiedAtItsStoredWidth)
{
    LayoutSettings stored;
    stored.FindColumnSetting(cmd::kArrangeBySize)->width = 150;
    stored.FindColumnSetting(cmd::kArrangeByCreated)->width = 97;
    StoreSettings(stored);
    StartWithRows(3);
    const int folderWidth = SectionWidth("In Folder");
    EXPECT_EQ(SectionWidth("Size"), 150);

    QMenu *menu = HeaderMenu();
    ASSERT_NE(menu, nullptr);
    Choose(menu, cmd::kToggleCreated);
    EXPECT_EQ(Captions(), (QStringList{"Name", "In Folder", "Size", "Type", "Date Modified", "Date Created"}));
    EXPECT_EQ(SectionWidth("Size"), 150);
    EXPECT_EQ(SectionWidth("Date Created"), 97);
    EXPECT_EQ(SectionWidth("In Folder"), folderWidth);

    // Hiding a column in the middle keeps the others in table order.
    Choose(HeaderMenu(), cmd::kToggleSize);
    EXPECT_EQ(Captions(), (QStringList{"Name", "In Folder", "Type", "Date Modified", "Date Created"}));
    EXPECT_EQ(SectionWidth("Date Created"), 97);
    Stop();
    const LayoutSettings saved = StoredSettings();
    EXPECT_EQ(saved.FindColumnSetting(cmd::kArrangeByCreated)->visible, 1);
    EXPECT_EQ(saved.FindColumnSetting(cmd::kArrangeBySize)->visible, 0);
    EXPECT_EQ(saved.FindColumnSetting(cmd::kArrangeBySize)->width, 150);
}

TEST_F(ResultsListTest, HeaderMenuChecksTheShownColumnsAndNameCannotBeHidden)
{
    StartWithRows(3);
    QMenu *menu = HeaderMenu();
    ASSERT_NE(menu, nullptr);
    QAction *name = Item(menu, cmd::kToggleName);
    ASSERT_NE(name, nullptr);
    EXPECT_TRUE(name->isChecked());
    EXPECT_FALSE(name->isEnabled());
    EXPECT_TRUE(Item(menu, cmd::kToggleFolder)->isChecked());
    EXPECT_TRUE(Item(menu, cmd::kToggleFolder)->isEnabled());
    EXPECT_FALSE(Item(menu, cmd::kToggleAttributes)->isChecked());
    EXPECT_EQ(Item(menu, cmd::kOpen), nullptr); // the header menu, not the item menu
    menu->close();

    // The Name command itself changes nothing, even when sent directly.
    Frame().SendCommand(cmd::kToggleName);
    EXPECT_EQ(Captions().front(), QStringLiteral("Name"));

    Choose(HeaderMenu(), cmd::kToggleAttributes);
    menu = HeaderMenu();
    EXPECT_TRUE(Item(menu, cmd::kToggleAttributes)->isChecked());
    menu->close();

    // Rows and empty space give the item menu with its "Arrange Icons By" submenu.
    QMenu *items = ItemMenu();
    ASSERT_NE(items, nullptr);
    EXPECT_NE(Item(items, cmd::kOpen), nullptr);
    EXPECT_NE(Item(items, cmd::kArrangeBySize), nullptr);
    EXPECT_EQ(Item(items, cmd::kToggleSize), nullptr);
    items->close();
}

TEST_F(ResultsListTest, StoredListModeReturnsAfterAColumnIsToggled)
{
    LayoutSettings stored;
    stored.style = 3;
    StoreSettings(stored);
    StartWithRows(5);
    EXPECT_EQ(List().Mode(), ViewMode::List);
    EXPECT_EQ(List().CurrentView(), List().Items());
    EXPECT_EQ(List().Items()->flow(), QListView::TopToBottom);

    QTest::mouseClick(ToolButton(cmd::kViewDetails), Qt::LeftButton);
    EXPECT_EQ(List().Mode(), ViewMode::Details);
    EXPECT_TRUE(List().Details()->isVisible());
    Frame().UpdateCommandUi();
    EXPECT_TRUE(ToolButton(cmd::kViewDetails)->isChecked());
    EXPECT_FALSE(ToolButton(cmd::kViewList)->isChecked());

    Choose(HeaderMenu(), cmd::kToggleType);
    EXPECT_EQ(List().Mode(), ViewMode::List);
    EXPECT_TRUE(List().Items()->isVisible());
    Frame().UpdateCommandUi();
    EXPECT_TRUE(ToolButton(cmd::kViewList)->isChecked());
    EXPECT_FALSE(ToolButton(cmd::kViewDetails)->isChecked());
    Stop();
    EXPECT_EQ(StoredSettings().style, 3u); // a chosen mode is never stored
}

TEST_F(ResultsListTest, SwitchingModesKeepsTheSelectionAndTheCurrentRow)
{
    StartWithRows(40);
    ClickRow(List().Details(), 3);
    ClickRow(List().Details(), 7, Qt::ControlModifier);
    EXPECT_EQ(SelectedRows(), (std::set<int>{3, 7}));

    for (CommandId id : {cmd::kViewLargeIcons, cmd::kViewSmallIcons, cmd::kViewList}) {
        QTest::mouseClick(ToolButton(id), Qt::LeftButton);
        EXPECT_EQ(List().CurrentView(), List().Items()) << id;
        EXPECT_EQ(SelectedRows(), (std::set<int>{3, 7})) << id;
        EXPECT_EQ(List().SelectionModel()->currentIndex().row(), 7) << id;
        EXPECT_EQ(List().SelectedCount(), 2) << id;
    }
    EXPECT_EQ(List().Items()->iconSize(), QSize(16, 16));
    // Shift+click in List mode selects from the last clicked row, and Details shows the
    // selection on whole rows.
    ClickRow(List().Items(), 10, Qt::ShiftModifier);
    EXPECT_EQ(SelectedRows(), (std::set<int>{3, 7, 8, 9, 10}));
    QTest::mouseClick(ToolButton(cmd::kViewDetails), Qt::LeftButton);
    EXPECT_EQ(SelectedRows(), (std::set<int>{3, 7, 8, 9, 10}));
    EXPECT_EQ(List().SelectionModel()->currentIndex().row(), 10);
    EXPECT_TRUE(List().SelectionModel()->isRowSelected(10));

    Frame().SendCommand(cmd::kViewLargeIcons);
    EXPECT_EQ(List().Items()->iconSize(), QSize(32, 32));
    EXPECT_EQ(List().Items()->flow(), QListView::LeftToRight);
}

TEST_F(ResultsListTest, RowsAddedWhileDetailsShowsAreLaidOutInListWhenItShows)
{
    StartWithRows(5);
    // List has been shown before, at the size it will have again.
    QTest::mouseClick(ToolButton(cmd::kViewList), Qt::LeftButton);
    QTest::mouseClick(ToolButton(cmd::kViewDetails), Qt::LeftButton);
    QCoreApplication::processEvents();
    FileSearch &search = Doc().Search();
    for (int i = 5; i < 300; ++i) {
        auto record = std::make_unique<FoundFile>();
        record->SetName("g" + std::to_string(i) + ".txt");
        record->SetFolder("/data");
        search.AppendFoundFile(std::move(record));
        List().Model().AddResultRow(*search.Tail());
        if (i % 50 == 0)
            List().Model().FlushPendingRows();
    }
    List().Model().FlushPendingRows();
    QCoreApplication::processEvents();
    ClickRow(List().Details(), 2);
    List().SelectionModel()->setCurrentIndex(List().Model().index(299, 0),
                                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);

    QTest::mouseClick(ToolButton(cmd::kViewList), Qt::LeftButton);
    QCoreApplication::processEvents();
    QListView *items = List().Items();
    const QModelIndex last = List().Model().index(299, 0);
    items->scrollTo(last);
    const QRect place = items->visualRect(last);
    ASSERT_TRUE(items->viewport()->rect().contains(place.center()));
    EXPECT_EQ(items->indexAt(place.center()), last);
    EXPECT_EQ(SelectedRows(), (std::set<int>{299}));
    // Every row has a place of its own.
    EXPECT_NE(items->visualRect(List().Model().index(298, 0)), place);
}

TEST_F(ResultsListTest, HeaderClickAndArrangeMenuShareOneSortState)
{
    StartWithRows(4);
    const auto firstName = [this] { return std::string(List().Model().Record(0)->Name()); };
    QHeaderView *header = List().Header();
    const auto clickSection = [&](int logical) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(logical) + 5, header->height() / 2));
    };

    clickSection(2); // Size
    EXPECT_EQ(firstName(), "f0.txt"); // posted: runs after the click's event
    QTest::qWait(10);
    EXPECT_EQ(firstName(), "f3.txt"); // smallest first
    EXPECT_TRUE(header->isSortIndicatorShown());
    EXPECT_EQ(header->sortIndicatorSection(), 2);

    // The menu's radio mark names the sort column; choosing it again sorts descending.
    QMenu *menu = ItemMenu();
    ASSERT_NE(menu, nullptr);
    Frame().UpdateCommandUi();
    EXPECT_TRUE(Item(menu, cmd::kArrangeBySize)->isChecked());
    EXPECT_FALSE(Item(menu, cmd::kArrangeByName)->isChecked());
    Choose(menu, cmd::kArrangeBySize);
    EXPECT_EQ(firstName(), "f0.txt");
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);

    clickSection(0); // Name
    QTest::qWait(10);
    EXPECT_EQ(firstName(), "f0.txt");
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    Frame().SendCommand(cmd::kArrangeByName);
    EXPECT_EQ(firstName(), "f3.txt");
    EXPECT_EQ(header->sortIndicatorSection(), 0);
}

TEST_F(ResultsListTest, ActivatingARowPostsOpen)
{
    StartWithRows(5);
    QSignalSpy posted(&List(), &CSifterView::CommandPosted);
    QAbstractItemView *details = List().Details();
    const QRect row = details->visualRect(List().Model().index(2, 0));
    // A double click as the window system delivers it: a press before the double click.
    QTest::mouseClick(details->viewport(), Qt::LeftButton, {}, row.center());
    QTest::mousePress(details->viewport(), Qt::LeftButton, {}, row.center());
    QTest::mouseDClick(details->viewport(), Qt::LeftButton, {}, row.center());
    ASSERT_EQ(posted.count(), 1);
    EXPECT_EQ(posted.takeFirst().at(0).value<CommandId>(), cmd::kOpen);

    Frame().SendCommand(cmd::kViewSmallIcons);
    List().CurrentView()->setFocus();
    ClickRow(List().Items(), 4);
    QTest::keyClick(List().Items(), Qt::Key_Return);
    ASSERT_EQ(posted.count(), 1);
    EXPECT_EQ(posted.takeFirst().at(0).value<CommandId>(), cmd::kOpen);
}

TEST_F(ResultsListTest, DraggedWidthIsStoredAndReturnsAtTheNextStart)
{
    StartWithRows(2);
    QHeaderView *header = List().Header();
    const int sizeSection = 2;
    const int edge = header->sectionViewportPosition(sizeSection) + header->sectionSize(sizeSection) - 1;
    const int target = header->sectionViewportPosition(sizeSection) + 150 - 1;
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, QPoint(edge, header->height() / 2));
    QTest::mouseMove(header->viewport(), QPoint(target, header->height() / 2));
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, QPoint(target, header->height() / 2));
    EXPECT_EQ(header->sectionSize(sizeSection), 150);
    EXPECT_EQ(app->Settings().FindColumnSetting(cmd::kArrangeBySize)->width, 150);
    // A default width shown wider for the font was not the user's: it stays stored as it was.
    EXPECT_EQ(app->Settings().FindColumnSetting(cmd::kArrangeByFolder)->width, 120);
    Stop();
    EXPECT_EQ(StoredSettings().FindColumnSetting(cmd::kArrangeBySize)->width, 150);

    ASSERT_TRUE(Start());
    EXPECT_EQ(SectionWidth("Size"), 150);
}

TEST_F(ResultsListTest, MovedColumnOrderIsStoredAndNameStaysFirst)
{
    StartWithRows(2);
    QHeaderView *header = List().Header();
    header->moveSection(3, 1); // Type before In Folder, as a drag does
    EXPECT_EQ(Captions(), (QStringList{"Name", "Type", "In Folder", "Size", "Date Modified"}));
    header->moveSection(0, 2); // Name cannot leave the front
    EXPECT_EQ(Captions().front(), QStringLiteral("Name"));

    // A rebuild (showing Attributes) keeps the moved order; hidden columns keep their places.
    Frame().SendCommand(cmd::kToggleAttributes);
    EXPECT_EQ(Captions(), (QStringList{"Name", "Type", "In Folder", "Size", "Date Modified", "Attributes"}));
    Stop();
    ASSERT_TRUE(Start());
    EXPECT_EQ(Captions(), (QStringList{"Name", "Type", "In Folder", "Size", "Date Modified", "Attributes"}));
}

TEST_F(ResultsListTest, F2EditsTheSelectedNameAndCommittingChangesNoRecord)
{
    StartWithRows(3);
    QAbstractItemView *details = List().Details();
    details->setFocus();
    ClickRow(details, 1, {}, 2); // a click on the Size cell
    QTest::keyClick(details, Qt::Key_F2);
    auto *editor = details->findChild<QLineEdit *>();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->text(), QStringLiteral("f1.txt"));
    editor->setText(QStringLiteral("renamed.txt"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::qWait(10);
    EXPECT_EQ(List().Model().Record(1)->Name(), "f1.txt");
    EXPECT_EQ(List().Model().index(1, 0).data().toString(), QStringLiteral("f1.txt"));

    // In the icon modes the edit starts the same way, on the selected current row only.
    Frame().SendCommand(cmd::kViewLargeIcons);
    List().EditLabel();
    auto *iconEditor = List().Items()->findChild<QLineEdit *>();
    ASSERT_NE(iconEditor, nullptr);
    EXPECT_TRUE(iconEditor->isVisible());
    EXPECT_EQ(iconEditor->text(), QStringLiteral("f1.txt"));
    QTest::keyClick(iconEditor, Qt::Key_Escape);
    QTest::qWait(10);
    List().SelectionModel()->clearSelection();
    List().EditLabel();
    QTest::qWait(10);
    const QList<QLineEdit *> editors = List().Items()->findChildren<QLineEdit *>();
    EXPECT_TRUE(std::none_of(editors.begin(), editors.end(), [](QLineEdit *e) { return e->isVisible(); }));
}

TEST_F(ResultsListTest, AClickOnOneOfSeveralSelectedRowsSelectsItAloneAndEditsNothing)
{
    StartWithRows(3);
    for (QAbstractItemView *view : {static_cast<QAbstractItemView *>(List().Details()),
                                    static_cast<QAbstractItemView *>(List().Items())}) {
        Frame().SendCommand(view == List().Details() ? cmd::kViewDetails : cmd::kViewList);
        List().SelectAll();
        ClickRow(view, 1);
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        EXPECT_EQ(SelectedRows(), std::set<int>({1}));
        const QList<QLineEdit *> editors = view->findChildren<QLineEdit *>();
        EXPECT_TRUE(std::none_of(editors.begin(), editors.end(), [](QLineEdit *e) { return e->isVisible(); }));
        // The one selected row, clicked again, edits its name.
        ClickRow(view, 1);
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        auto *editor = view->findChild<QLineEdit *>();
        ASSERT_NE(editor, nullptr);
        EXPECT_TRUE(editor->isVisible());
        QTest::keyClick(editor, Qt::Key_Escape);
        QTest::qWait(10);
    }
}

TEST_F(ResultsListTest, TypingFindsANameAndHomeEndMoveAsInFileManagers)
{
    StartWithRows(30);
    QAbstractItemView *details = List().Details();
    details->setFocus();
    ClickRow(details, 0, {}, 2); // the Size cell of the first row is current
    QTest::keyClicks(details, QStringLiteral("f2"));
    EXPECT_EQ(List().SelectionModel()->currentIndex().row(), 2);
    EXPECT_EQ(List().FirstSelectedRecord()->Name(), "f2.txt");

    QTest::keyClick(details, Qt::Key_End);
    EXPECT_EQ(List().SelectionModel()->currentIndex().row(), 29);
    QTest::keyClick(details, Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(List().SelectedCount(), 30);
    QTest::keyClick(details, Qt::Key_PageDown);
    EXPECT_GT(List().SelectionModel()->currentIndex().row(), 0);
    EXPECT_EQ(List().SelectedCount(), 1);
}

TEST_F(ResultsListTest, OddStoredColumnTablesGiveAWorkingList)
{
    LayoutSettings stored;
    ColumnTable &table = stored.columns;
    table[1] = table[2];                // Size twice
    table[3].commandId = 12345;         // no such column: empty caption and cells
    table[3].visible = 1;
    table[4].width = -40;               // no width a header can show
    table[5].width = 1'000'000;
    table[5].visible = 1;
    StoreSettings(stored);
    StartWithRows(3);
    EXPECT_EQ(Captions(), (QStringList{"Name", "Size", "Size", "", "Date Modified", "Date Created"}));
    EXPECT_GE(SectionWidth("Date Modified"), 0);
    EXPECT_EQ(List().Model().index(0, 3).data().toString(), QString());

    // A drag over such a table leaves its order alone; the header still moves.
    List().Header()->moveSection(5, 1);
    EXPECT_EQ(Captions().at(1), QStringLiteral("Date Created"));
    EXPECT_EQ(app->Settings().columns[1].commandId, cmd::kArrangeBySize);
    EXPECT_EQ(app->Settings().columns[5].commandId, cmd::kArrangeByCreated);
    for (CommandId id : {cmd::kViewLargeIcons, cmd::kViewList, cmd::kViewDetails})
        Frame().SendCommand(id);
    Frame().SendCommand(cmd::kToggleSize);
    EXPECT_EQ(List().ItemCount(), 3);
}

TEST_F(ResultsListTest, SelectedCountMergesOverlappingRangesAndTheFirstIsTheTopmost)
{
    StartWithRows(20);
    QItemSelectionModel *selection = List().SelectionModel();
    const auto rows = [this](int top, int bottom) {
        return QItemSelection(List().Model().index(top, 0),
                              List().Model().index(bottom, List().Model().columnCount() - 1));
    };
    selection->select(rows(10, 14), QItemSelectionModel::Select);
    selection->select(rows(4, 11), QItemSelectionModel::Select);
    selection->select(rows(16, 16), QItemSelectionModel::Select);
    EXPECT_EQ(List().SelectedCount(), 12); // 4 to 14, and 16
    EXPECT_EQ(List().FirstSelectedRecord()->Name(), "f4.txt");
    selection->select(rows(4, 6), QItemSelectionModel::Deselect);
    EXPECT_EQ(List().SelectedCount(), 9);
    EXPECT_EQ(List().FirstSelectedRecord()->Name(), "f7.txt");
    // A cell alone is no selected row.
    selection->select(List().Model().index(0, 1), QItemSelectionModel::Select);
    EXPECT_EQ(List().SelectedCount(), 9);
}

TEST_F(ResultsListTest, TipShowsTheFullNameFirstOnlyWhenTheNameIsCutOff)
{
    StartWithRows(3);
    const QString description = QStringLiteral("In Folder: /data\nType: plain text document");
    QHeaderView *header = List().Header();
    header->resizeSection(header->logicalIndex(0), 400);
    EXPECT_TRUE(TipOver(List().Details(), 1).startsWith(description));

    header->resizeSection(header->logicalIndex(0), 30);
    EXPECT_TRUE(TipOver(List().Details(), 1).startsWith(QStringLiteral("f1.txt\n") + description));

    // The icon modes ask the same question of their own cells.
    List().SetViewMode(ViewMode::LargeIcons);
    EXPECT_TRUE(TipOver(List().Items(), 2).startsWith(description));
}

TEST_F(ResultsListTest, ATableWithoutColumnsShowsNoneAndStillSwitchesModes)
{
    LayoutSettings stored;
    stored.columns[0].commandId = 0;
    StoreSettings(stored);
    StartWithRows(3);
    EXPECT_EQ(List().Model().columnCount(), 0);
    Frame().SendCommand(cmd::kToggleSize);
    EXPECT_EQ(List().Model().columnCount(), 0);
    Frame().SendCommand(cmd::kViewList);
    EXPECT_EQ(List().Mode(), ViewMode::List);
    EXPECT_EQ(List().SelectedCount(), 0);
}

} // namespace
} // namespace sifter::test
