// SPDX-License-Identifier: GPL-3.0-or-later
// The results model over a real tree view: rows from a run in one insertion per turn of
// the event loop, removal, sorting with the selection kept, and records never reachable
// from the model once their run or document lets them go.
#include "results/results_model.h"
#include "results/results_views.h"

#include "doc/sifter_doc.h"
#include "res/resource_ids.h"
#include "results/sifter_view.h"
#include "search/file_search.h"
#include "search/found_file.h"
#include "search/text_field.h"
#include "stores/layout_settings.h"
#include "support/temp_tree.h"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QSignalSpy>
#include <QTest>
#include <QScrollBar>
#include <QTreeView>
#include <gtest/gtest.h>

#include <deque>
#include <set>
#include <string>
#include <vector>

namespace sifter {
namespace {

class ResultsModelTest : public ::testing::Test {
protected:
    ResultsModelTest()
    {
        view_.setModel(&model_);
        view_.setSelectionMode(QAbstractItemView::ExtendedSelection);
        view_.setSelectionBehavior(QAbstractItemView::SelectRows);
        view_.resize(400, 300);
        view_.show();
    }

    // Records named "r0", "r1", ... with sizes counting down, as a run appends them.
    void AddRecords(int count)
    {
        for (int i = 0; i < count; ++i) {
            FoundFile &record = records_.emplace_back();
            record.SetName("r" + std::to_string(records_.size() - 1));
            record.SetFolder("/data");
            record.size = 1'000'000 - records_.size();
            model_.AddResultRow(record);
        }
    }

    FoundFile &Named(const std::string &name)
    {
        for (FoundFile &record : records_) {
            if (record.Name() == name)
                return record;
        }
        ADD_FAILURE() << name;
        return records_.front();
    }

    // Every row's record maps back to that row, and the views see as many rows.
    void ExpectConsistent()
    {
        for (int row = 0; row < model_.rowCount(); ++row) {
            const FoundFile *record = model_.Record(row);
            ASSERT_NE(record, nullptr) << row;
            ASSERT_EQ(model_.RowOf(*record), row);
        }
        EXPECT_EQ(model_.Record(model_.rowCount()), nullptr);
        EXPECT_EQ(view_.model()->rowCount(), model_.rowCount());
    }

    std::vector<std::string> RowNames() const
    {
        std::vector<std::string> names;
        for (int row = 0; row < model_.rowCount(); ++row)
            names.emplace_back(model_.Record(row)->Name());
        return names;
    }

    std::set<std::string> SelectedNames() const
    {
        std::set<std::string> names;
        for (const QModelIndex &index : view_.selectionModel()->selectedRows())
            names.emplace(model_.Record(index.row())->Name());
        return names;
    }

    std::string CurrentName() const
    {
        const FoundFile *record = model_.Record(view_.currentIndex().row());
        return record ? std::string(record->Name()) : std::string();
    }

    void Select(const std::string &name)
    {
        const QModelIndex index = model_.index(model_.RowOf(Named(name)), 0);
        view_.selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    void MakeCurrent(const std::string &name)
    {
        view_.selectionModel()->setCurrentIndex(model_.index(model_.RowOf(Named(name)), 0),
                                                QItemSelectionModel::NoUpdate);
    }

    LayoutSettings settings_;
    ResultsModel model_{settings_};
    QAbstractItemModelTester tester_{&model_, QAbstractItemModelTester::FailureReportingMode::Fatal};
    QTreeView view_;
    std::deque<FoundFile> records_;
};

TEST_F(ResultsModelTest, AppendsReachTheViewsInOneInsertionPerTurn)
{
    QSignalSpy inserted(&model_, &QAbstractItemModel::rowsInserted);
    AddRecords(500);
    EXPECT_EQ(model_.rowCount(), 0);
    EXPECT_EQ(model_.PendingRowCount(), 500);
    EXPECT_EQ(model_.Record(0), nullptr);
    EXPECT_EQ(model_.RowOf(records_[0]), -1);

    QCoreApplication::processEvents();
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), 0);
    EXPECT_EQ(inserted[0][2].toInt(), 499);
    EXPECT_EQ(model_.PendingRowCount(), 0);
    ExpectConsistent();

    AddRecords(3);
    model_.FlushPendingRows();
    QCoreApplication::processEvents();
    EXPECT_EQ(inserted.count(), 2);
    EXPECT_EQ(model_.rowCount(), 503);
    ExpectConsistent();
}

// Rows handed over below a full screen only move the scroll bar; rows that land on the
// screen are shown.
TEST_F(ResultsModelTest, AScreenReaderReadsARowAsItsNameFolderAndSize)
{
    QAccessible::setActive(true);
    AddRecords(2);
    QCoreApplication::processEvents();
    QAccessibleTableInterface *table = QAccessible::queryAccessibleInterface(&view_)->tableInterface();
    ASSERT_NE(table, nullptr);
    QAccessibleInterface *cell = table->cellAt(1, 0);
    ASSERT_NE(cell, nullptr);
    const QString size = CellText(records_[1], cmd::kArrangeBySize);
    ASSERT_FALSE(size.isEmpty());
    EXPECT_EQ(cell->text(QAccessible::Name), QStringLiteral("r1, /data, ") + size);
    QAccessible::setActive(false);
}

TEST_F(ResultsModelTest, DetailsShowsRowsAppendedOnScreenAndScrollsToThoseBelow)
{
    DetailsView details;
    details.setModel(&model_);
    details.resize(400, 300);
    details.show();
    AddRecords(2);
    model_.FlushPendingRows();
    QCoreApplication::processEvents();
    const int rowHeight = details.rowHeight(0);
    ASSERT_GT(rowHeight, 0);
    const int screenRows = details.viewport()->height() / rowHeight;
    EXPECT_EQ(details.indexAt(QPoint(5, rowHeight + rowHeight / 2)).row(), 1);

    AddRecords(screenRows * 3);
    model_.FlushPendingRows();
    QCoreApplication::processEvents();
    EXPECT_EQ(details.indexAt(QPoint(5, rowHeight * (screenRows - 1) + rowHeight / 2)).row(), screenRows - 1);
    const int maximum = details.verticalScrollBar()->maximum();
    EXPECT_GT(maximum, 0);

    AddRecords(screenRows);
    model_.FlushPendingRows();
    QCoreApplication::processEvents();
    EXPECT_GT(details.verticalScrollBar()->maximum(), maximum);
    details.scrollToBottom();
    QCoreApplication::processEvents();
    const QModelIndex last = model_.index(model_.rowCount() - 1, 0);
    EXPECT_TRUE(details.viewport()->rect().contains(details.visualRect(last).center()));
    ExpectConsistent();
}

// Counts the paints of a widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget *widget) : widget_(widget) { widget->installEventFilter(this); }
    ~PaintCounter() override { widget_->removeEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }

private:
    QWidget *widget_;
};

// Rows handed over below the screen set the vertical scroll range as the table's own layout
// would, in both scroll modes, and leave the horizontal scroll bar unpainted.
TEST_F(ResultsModelTest, RowsAppendedBelowTheScreenExtendTheScrollRangeAsTheTableWould)
{
    for (const auto mode : {QAbstractItemView::ScrollPerItem, QAbstractItemView::ScrollPerPixel}) {
        model_.ClearResultRows();
        records_.clear();
        DetailsView details;
        details.setModel(&model_);
        details.setVerticalScrollMode(mode);
        // Narrower than the columns: both scroll bars show.
        details.resize(120, 200);
        details.show();
        AddRecords(50);
        model_.FlushPendingRows();
        // The first rows lay the view out later, and that shows the bars later still.
        for (int turn = 0; turn < 3; ++turn)
            QCoreApplication::processEvents();
        ASSERT_TRUE(details.horizontalScrollBar()->isVisible());
        ASSERT_TRUE(details.verticalScrollBar()->isVisible());
        int paints = 0;
        {
            const PaintCounter horizontal(details.horizontalScrollBar());
            for (int handOver = 0; handOver < 3; ++handOver) {
                AddRecords(7 + handOver);
                model_.FlushPendingRows();
                QCoreApplication::processEvents();
            }
            paints = horizontal.paints;
        }
        EXPECT_EQ(paints, 0) << "mode " << mode;
        const int maximum = details.verticalScrollBar()->maximum();
        const int page = details.verticalScrollBar()->pageStep();
        details.doItemsLayout();
        EXPECT_EQ(maximum, details.verticalScrollBar()->maximum()) << "mode " << mode;
        EXPECT_EQ(page, details.verticalScrollBar()->pageStep()) << "mode " << mode;
        details.scrollToBottom();
        QCoreApplication::processEvents();
        const QModelIndex last = model_.index(model_.rowCount() - 1, 0);
        EXPECT_TRUE(details.viewport()->rect().contains(details.visualRect(last).center())) << "mode " << mode;
    }
}

TEST_F(ResultsModelTest, LaterAppendsWaitForTheIntervalThenComeInOneInsertion)
{
    // An interval no test run can outlast, so the waiting cannot depend on the machine's speed.
    model_.SetInsertionInterval(3'600'000);
    QSignalSpy inserted(&model_, &QAbstractItemModel::rowsInserted);
    AddRecords(5);
    QCoreApplication::processEvents();
    ASSERT_EQ(inserted.count(), 1); // the first rows come at once
    AddRecords(5);
    QCoreApplication::processEvents();
    AddRecords(5);
    QCoreApplication::processEvents();
    EXPECT_EQ(model_.rowCount(), 5);
    EXPECT_EQ(model_.PendingRowCount(), 10);
    model_.SetInsertionInterval(0); // the interval has passed
    QCoreApplication::processEvents();
    EXPECT_EQ(inserted.count(), 2);
    EXPECT_EQ(model_.rowCount(), 15);
    ExpectConsistent();
}

TEST_F(ResultsModelTest, ARunsFirstRowsWaitTheIntervalFromItsStart)
{
    model_.SetInsertionInterval(3'600'000);
    QSignalSpy inserted(&model_, &QAbstractItemModel::rowsInserted);
    model_.ClearResultRows(); // a run starts
    AddRecords(5);
    QCoreApplication::processEvents();
    EXPECT_EQ(inserted.count(), 0);
    EXPECT_EQ(model_.PendingRowCount(), 5);
    model_.FlushPendingRows(); // and ends
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(model_.rowCount(), 5);
    ExpectConsistent();
}

TEST_F(ResultsModelTest, ClearingARunDropsPendingRowsAndTheSort)
{
    AddRecords(10);
    model_.FlushPendingRows();
    model_.OnArrangeBy(cmd::kArrangeByName);
    AddRecords(5);
    model_.ClearResultRows();
    QCoreApplication::processEvents();
    EXPECT_EQ(model_.rowCount(), 0);
    EXPECT_EQ(model_.PendingRowCount(), 0);
    EXPECT_EQ(model_.Sort().sortCommandId, 0U);
    EXPECT_FALSE(model_.Sort().sortDescending);
    for (const FoundFile &record : records_)
        EXPECT_EQ(model_.RowOf(record), -1);
}

TEST_F(ResultsModelTest, SortKeepsSelectionAndCurrentRow)
{
    AddRecords(30);
    model_.FlushPendingRows();
    Select("r3");
    Select("r17");
    MakeCurrent("r25");
    model_.OnArrangeBy(cmd::kArrangeBySize); // sizes count down: reverses the rows
    EXPECT_EQ(RowNames().front(), "r29");
    EXPECT_EQ(SelectedNames(), (std::set<std::string>{"r3", "r17"}));
    EXPECT_EQ(CurrentName(), "r25");
    ExpectConsistent();

    model_.OnArrangeBy(cmd::kArrangeBySize);
    EXPECT_TRUE(model_.Sort().sortDescending);
    EXPECT_EQ(RowNames().front(), "r0");
    EXPECT_EQ(SelectedNames(), (std::set<std::string>{"r3", "r17"}));
    EXPECT_EQ(CurrentName(), "r25");
    ExpectConsistent();
}

TEST_F(ResultsModelTest, RowsAppendedAfterASortStayAtTheEnd)
{
    AddRecords(4);
    model_.OnArrangeBy(cmd::kArrangeBySize); // pending rows are sorted with the others
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"r3", "r2", "r1", "r0"}));
    AddRecords(2); // smaller still, but appended after
    model_.FlushPendingRows();
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"r3", "r2", "r1", "r0", "r4", "r5"}));
    EXPECT_EQ(model_.Sort().sortCommandId, cmd::kArrangeBySize);
    ExpectConsistent();
}

TEST_F(ResultsModelTest, HeaderAndMenuShareOneSortState)
{
    AddRecords(3);
    model_.OnArrangeBy(cmd::kArrangeBySize);
    model_.OnArrangeBy(cmd::kArrangeBySize);
    model_.OnArrangeBy(cmd::kArrangeByName);
    EXPECT_EQ(model_.Sort().sortCommandId, cmd::kArrangeByName);
    EXPECT_FALSE(model_.Sort().sortDescending);
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"r0", "r1", "r2"}));
    model_.OnArrangeBy(cmd::kArrangeByName);
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"r2", "r1", "r0"}));
}

TEST_F(ResultsModelTest, RemovingAFewRowsKeepsTheRestInOrder)
{
    AddRecords(10);
    model_.FlushPendingRows();
    Select("r4");
    MakeCurrent("r8");
    FoundFile *gone[] = {&Named("r5"), &Named("r0"), &Named("r6"), &Named("r5")};
    EXPECT_EQ(model_.RemoveRecords(gone), 3);
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"r1", "r2", "r3", "r4", "r7", "r8", "r9"}));
    EXPECT_EQ(model_.RowOf(Named("r5")), -1);
    EXPECT_EQ(SelectedNames(), (std::set<std::string>{"r4"}));
    EXPECT_EQ(CurrentName(), "r8");
    ExpectConsistent();
    // Records without a row are skipped.
    EXPECT_EQ(model_.RemoveRecords(gone), 0);
}

TEST_F(ResultsModelTest, RemovingScatteredRowsInOnePassKeepsSelectionOfTheRest)
{
    AddRecords(1000);
    model_.FlushPendingRows();
    model_.OnArrangeBy(cmd::kArrangeBySize); // row order no longer the record order
    std::vector<FoundFile *> gone;
    for (int i = 0; i < 1000; i += 7)
        gone.push_back(&records_[static_cast<std::size_t>(i)]);
    Select("r7");   // removed
    Select("r8");   // kept
    Select("r999"); // kept
    MakeCurrent("r14"); // removed
    std::vector<std::string> expected;
    for (const std::string &name : RowNames()) {
        if (std::stoi(name.substr(1)) % 7 != 0)
            expected.push_back(name);
    }

    EXPECT_EQ(model_.RemoveRecords(gone), static_cast<int>(gone.size()));
    EXPECT_EQ(RowNames(), expected);
    EXPECT_EQ(SelectedNames(), (std::set<std::string>{"r8", "r999"}));
    EXPECT_EQ(CurrentName(), "");
    for (const FoundFile *record : gone)
        EXPECT_EQ(model_.RowOf(*record), -1);
    ExpectConsistent();
}

TEST_F(ResultsModelTest, RemovingAPendingRecordDropsIt)
{
    AddRecords(3);
    FoundFile *gone[] = {&records_[1]};
    EXPECT_EQ(model_.RemoveRecords(gone), 0);
    model_.FlushPendingRows();
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"r0", "r2"}));
    ExpectConsistent();
}

// A sink that checks, when a run asks for its rows to go, that the records still exist
// and the model has let go of them.
class CheckingSink : public ResultsSink {
public:
    CheckingSink(ResultsModel &model, FileSearch &search) : model_(model), search_(search) {}
    void ClearResultRows() override
    {
        model_.ClearResultRows();
        recordsAliveAtClear = search_.Head() != nullptr;
        rowsAtClear = model_.rowCount();
    }
    void AddResultRow(FoundFile &record) override { model_.AddResultRow(record); }

    bool recordsAliveAtClear = false;
    int rowsAtClear = -1;

private:
    ResultsModel &model_;
    FileSearch &search_;
};

TEST_F(ResultsModelTest, ANewRunRemovesTheRowsBeforeItFreesTheRecords)
{
    test::TempTree tree;
    tree.WriteFile("a.txt", "a");
    tree.WriteFile("b.txt", "b");
    FileSearch search;
    SetTextField(search.criteria.names, "*.txt");
    SetTextField(search.criteria.folders, tree.Root());
    CheckingSink sink(model_, search);
    SearchSinks sinks;
    sinks.results = &sink;
    search.SetRunning(true);
    search.RunSearch(sinks);
    model_.FlushPendingRows();
    EXPECT_EQ(model_.rowCount(), 2);

    search.RunSearch(sinks);
    EXPECT_TRUE(sink.recordsAliveAtClear);
    EXPECT_EQ(sink.rowsAtClear, 0);
    model_.FlushPendingRows();
    ASSERT_EQ(model_.rowCount(), 2);
    EXPECT_EQ(model_.Record(0)->owner, &search);
    ExpectConsistent();
}

TEST(SifterViewRowsTest, DocumentResetRemovesTheRowsBeforeFreeingTheRecords)
{
    CSifterDoc document;
    LayoutSettings settings;
    CSifterView view(document, settings);
    for (const char *name : {"one", "two", "three"}) {
        auto record = std::make_unique<FoundFile>();
        record->SetName(name);
        document.Search().AppendFoundFile(std::move(record));
    }
    view.FillResultsView();
    ASSERT_EQ(view.ItemCount(), 3);
    int rowsWhenFreed = -1;
    QObject::connect(&document, &CSifterDoc::ResultSetAboutToBeFreed, &view,
                     [&] { rowsWhenFreed = view.Model().rowCount(); });
    document.DeleteContents();
    // The view's own connection ran first; the records went after both.
    EXPECT_EQ(rowsWhenFreed, 0);
    EXPECT_EQ(view.ItemCount(), 0);
    EXPECT_EQ(document.Search().Head(), nullptr);
}

TEST(SifterViewRowsTest, EveryRowOfARunIsShownWhenTheRunEnds)
{
    test::TempTree tree;
    for (const char *name : {"a.txt", "b.txt", "c.txt"})
        tree.WriteFile(name, "x");
    CSifterDoc document;
    LayoutSettings settings;
    CSifterView view(document, settings);
    SetTextField(document.Search().criteria.names, "*.txt");
    SetTextField(document.Search().criteria.folders, tree.Root());
    SearchSinks sinks;
    sinks.results = &view;
    document.RunSearch(sinks);
    // No turn of the event loop since the run: the end of the run showed the rows.
    EXPECT_EQ(view.ItemCount(), 3);
    EXPECT_EQ(view.Model().PendingRowCount(), 0);
}

} // namespace
} // namespace sifter
