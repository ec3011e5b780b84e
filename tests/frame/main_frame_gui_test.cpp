// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: its bars, splitter and panes, the placement kept in the layout
// settings across starts, the status texts, the frame's commands, and closing while a
// search runs.
#include "frame/banner_status_bar.h"
#include "frame/static_splitter.h"
#include "framework/command_actions.h"
#include "pane/left_view.h"
#include "registry/registry_store.h"
#include "results/results_model.h"
#include "results/sifter_view.h"
#include "search/text_field.h"
#include "stores/file_texts.h"
#include "stores/layout_settings.h"
#include "stores/result_file.h"
#include "support/pe_image.h"
#include "support/qt_printers.h"
#include "support/sifter_app_fixture.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <csignal>
#include <cstdint>
#include <limits>

namespace sifter::test {
namespace {

// 2021-06-01 12:00 UTC as a FILETIME.
constexpr FileTime kSomeFileTime = 132669168000000000ull;

class MainFrameTest : public SifterAppFixture {
protected:
    // A result file with count records named f0.txt... in /data/d<i % 3>.
    QString ResultFile(int count)
    {
        FileSearch search;
        for (int i = 0; i < count; ++i) {
            auto record = std::make_unique<FoundFile>();
            record->SetName("f" + std::to_string(i) + ".txt");
            record->SetFolder("/data/d" + std::to_string(i % 3));
            record->size = 100 + static_cast<std::uint64_t>(i);
            record->lastWriteTime = kSomeFileTime;
            record->SetTypeName("plain text document");
            search.AppendFoundFile(std::move(record));
        }
        const std::string path = tree.Path("r" + std::to_string(count) + ".sifter");
        EXPECT_TRUE(SaveResultFile(search, path));
        return QString::fromStdString(path);
    }

    void ShowAndSettle()
    {
        Frame().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Frame()));
        QTest::qWait(20);
    }

    // The window shown, and the document's criteria set to find a file in each of 300
    // folders: a run long enough to be interrupted.
    void PrepareALongSearch()
    {
        for (int i = 0; i < 300; ++i)
            tree.WriteFile("walk/d" + std::to_string(i) + "/f.txt", "x");
        ASSERT_TRUE(Start());
        ShowAndSettle();
        SetTextField(Doc().Search().criteria.names, "*.txt");
        SetTextField(Doc().Search().criteria.folders, tree.Path("walk"));
    }

    QString StatusText() const { return Frame().StatusBarPanes()->MessageText(); }
};

TEST_F(MainFrameTest, FirstStartShowsTheDefaultLayoutAndClosingWritesAllTenValues)
{
    ASSERT_TRUE(Start());
    ShowAndSettle();
    CMainFrame &frame = Frame();
    EXPECT_FALSE(frame.isMaximized());
    // The default width, made for an 8-point font, grows to what the pane shows at this one.
    const int paneWidth = frame.GetLeftView()->WidthToShow();
    EXPECT_GE(paneWidth, 180);
    EXPECT_EQ(frame.Splitter()->FirstColumnWidth(), paneWidth);
    EXPECT_EQ(frame.GetLeftView()->width(), paneWidth);

    CSifterView *list = frame.GetResultsView();
    ASSERT_NE(list, nullptr);
    QStringList captions;
    QList<int> widths;
    for (int i = 0; i < list->Model().columnCount(); ++i) {
        captions.append(list->Model().headerData(i, Qt::Horizontal, Qt::DisplayRole).toString());
        widths.append(list->Header()->sectionSize(i));
        // The default widths follow the font: every caption is shown whole.
        EXPECT_GT(widths.back(), list->Header()->fontMetrics().horizontalAdvance(captions.back())) << i;
    }
    EXPECT_EQ(captions, (QStringList{"Name", "In Folder", "Size", "Type", "Date Modified"}));
    ASSERT_EQ(widths.size(), 5);
    EXPECT_EQ(widths[0], widths[1]);
    EXPECT_GT(widths[0], widths[2]);
    EXPECT_EQ(list->Mode(), ViewMode::Details);
    const QRect placed = frame.geometry();

    Stop();
    RegistryStore store = SettingsStore();
    RegistryKey key;
    ASSERT_TRUE(store.OpenKey(RegistryRoot::CurrentUser, LayoutSettingsKeyPath(), key));
    std::set<std::string> names;
    std::string name;
    for (std::uint32_t i = 0; key.EnumValue(i, name); ++i)
        names.insert(name);
    EXPECT_EQ(names, (std::set<std::string>{"Columns", "Style", "WidthLeftPanel", "X", "Y", "Width", "Height", "bMax",
                                            "PreviewHeight", "PreviewPane"}));
    key.Close();

    const LayoutSettings saved = StoredSettings();
    EXPECT_EQ(saved.style, 1u);
    EXPECT_EQ(saved.columns[0].width, 120); // scaled only on the screen
    EXPECT_EQ(saved.columns[2].width, 80);
    EXPECT_EQ(saved.widthLeftPanel, paneWidth); // stored from now on, and used as stored
    EXPECT_EQ(saved.width, placed.width());
    EXPECT_EQ(saved.height, placed.height());
    EXPECT_EQ(saved.x, placed.x());
    EXPECT_EQ(saved.y, placed.y());
    EXPECT_GT(saved.width, 0);
    EXPECT_EQ(saved.bMax, 0u);
    EXPECT_EQ(saved.previewPane, kPreviewPaneAfterContentSearch);
}

TEST_F(MainFrameTest, CriteriaLabelsAreNeverCutOffSilentlyAtThePanesEdge)
{
    const QString words = QStringLiteral("One or more words in the file:");
    LayoutSettings settings;
    settings.widthLeftPanel = 120;
    StoreSettings(settings);
    ASSERT_TRUE(Start());
    ShowAndSettle();
    CLeftView *pane = Frame().GetLeftView();
    ASSERT_EQ(pane->width(), 120);
    const auto labels = pane->widget()->findChildren<QLabel *>();
    ASSERT_FALSE(labels.isEmpty());
    QLabel *wordsLabel = nullptr;
    for (QLabel *label : labels) {
        if (label->text() == words || label->toolTip() == words)
            wordsLabel = label;
        // What a label shows ends inside the pane's visible width.
        const int shownRight = label->x() + label->fontMetrics().horizontalAdvance(label->text());
        EXPECT_LE(shownRight, pane->viewport()->width()) << label->text().toStdString();
    }
    ASSERT_NE(wordsLabel, nullptr);
    EXPECT_NE(wordsLabel->text(), words);
    EXPECT_TRUE(wordsLabel->text().endsWith(QChar(0x2026))) << wordsLabel->text().toStdString();
    EXPECT_EQ(wordsLabel->toolTip(), words);

    // With room again the whole text comes back.
    Frame().Splitter()->setSizes({400, 400});
    QTest::qWait(20);
    EXPECT_EQ(wordsLabel->text(), words);
    EXPECT_TRUE(wordsLabel->toolTip().isEmpty());
    EXPECT_GE(wordsLabel->width(), wordsLabel->fontMetrics().horizontalAdvance(words));
}

TEST_F(MainFrameTest, ASecondStartRestoresPlacementAndPaneWidth)
{
    LayoutSettings settings;
    settings.x = 30;
    settings.y = 40;
    settings.width = 700;
    settings.height = 500;
    settings.widthLeftPanel = 250;
    StoreSettings(settings);

    ASSERT_TRUE(Start());
    ShowAndSettle();
    EXPECT_EQ(Frame().geometry(), QRect(30, 40, 700, 500));
    EXPECT_EQ(Frame().Splitter()->FirstColumnWidth(), 250);
    // The left pane keeps its width when the window grows.
    Frame().resize(760, 500);
    QTest::qWait(20);
    EXPECT_EQ(Frame().Splitter()->FirstColumnWidth(), 250);

    Stop();
    const LayoutSettings saved = StoredSettings();
    EXPECT_EQ(saved.widthLeftPanel, 250);
    EXPECT_EQ(saved.width, 760);
    EXPECT_EQ(saved.x, 30);
}

TEST_F(MainFrameTest, AStoredMaximisedStateIsAppliedAfterShowingAndSavedWithTheRestoredRectangle)
{
    LayoutSettings settings;
    settings.x = 10;
    settings.y = 20;
    settings.width = 640;
    settings.height = 480;
    settings.bMax = 1;
    StoreSettings(settings);

    ASSERT_TRUE(Start());
    EXPECT_FALSE(Frame().isMaximized()); // not before the event loop has run
    ShowAndSettle();
    EXPECT_TRUE(QTest::qWaitFor([this] { return Frame().isMaximized(); }, 1000));
    Stop();
    const LayoutSettings saved = StoredSettings();
    EXPECT_EQ(saved.bMax, 1u);
    EXPECT_EQ(saved.width, 640);
    EXPECT_EQ(saved.height, 480);
    EXPECT_EQ(saved.x, 10);
    EXPECT_EQ(saved.y, 20);
}

TEST_F(MainFrameTest, AFrameClosedWhileMinimisedSavesTheLoadedPlacementAgain)
{
    LayoutSettings settings;
    settings.x = 5;
    settings.y = 6;
    settings.width = 500;
    settings.height = 400;
    StoreSettings(settings);
    ASSERT_TRUE(Start());
    ShowAndSettle();
    Frame().setGeometry(50, 60, 610, 410);
    Frame().showMinimized();
    QTest::qWait(20);
    ASSERT_TRUE(Frame().isMinimized());
    Stop();
    const LayoutSettings saved = StoredSettings();
    EXPECT_EQ(saved.x, 5);
    EXPECT_EQ(saved.y, 6);
    EXPECT_EQ(saved.width, 500);
    EXPECT_EQ(saved.height, 400);
}

TEST_F(MainFrameTest, APlacementThatMeetsNoScreenMovesOntoThePrimaryScreenSizedToFit)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const auto placedFrom = [this](std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
        LayoutSettings settings;
        settings.x = x;
        settings.y = y;
        settings.width = width;
        settings.height = height;
        StoreSettings(settings);
        EXPECT_TRUE(Start());
        ShowAndSettle();
        const QRect placed = Frame().geometry();
        Stop();
        return placed;
    };
    // Partly on the screen: kept as it is.
    EXPECT_EQ(placedFrom(area.right() - 40, area.bottom() - 30, 400, 300),
              QRect(area.right() - 40, area.bottom() - 30, 400, 300));

    // Where a second monitor to the right used to be, and wider than this one: centred (give
    // or take the frame the offscreen system adds at a screen's edge) and no wider.
    QRect placed = placedFrom(area.right() + 500, area.top() + 10, area.width() + 300, area.height() / 2);
    EXPECT_EQ(placed.size(), QSize(area.width(), area.height() / 2));
    EXPECT_LE((placed.center() - area.center()).manhattanLength(), 4);

    // Values no screen could hold.
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    placed = placedFrom(kMax, std::numeric_limits<std::int32_t>::min(), kMax, kMax);
    EXPECT_EQ(placed.size(), area.size());
    EXPECT_LE((placed.center() - area.center()).manhattanLength(), 4);
}

TEST_F(MainFrameTest, AZeroWidthMeansNoPlacementAndTheMaximisedFlagIsIgnored)
{
    LayoutSettings settings;
    settings.x = 300;
    settings.y = 300;
    settings.width = 0;
    settings.height = 450;
    settings.bMax = 1;
    StoreSettings(settings);
    ASSERT_TRUE(Start());
    ShowAndSettle();
    QTest::qWait(30);
    EXPECT_FALSE(Frame().isMaximized());
    EXPECT_NE(Frame().geometry().topLeft(), QPoint(300, 300));
}

TEST_F(MainFrameTest, ToolbarSitsMovableAtTheTopWithFlatButtonsAndTips)
{
    ASSERT_TRUE(Start());
    CMainFrame &frame = Frame();
    QToolBar *toolBar = frame.ToolBar();
    ASSERT_NE(toolBar, nullptr);
    EXPECT_EQ(frame.toolBarArea(toolBar), Qt::TopToolBarArea);
    EXPECT_TRUE(toolBar->isMovable()); // shows its grip
    auto *about = qobject_cast<QToolButton *>(toolBar->widgetForAction(frame.Actions().Action(cmd::kAppAbout)));
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->autoRaise());
    EXPECT_EQ(about->toolTip(), QStringLiteral("About"));
    EXPECT_EQ(about->statusTip(), QStringLiteral("Displays program information, version number and copyright"));
    int buttons = 0;
    for (QAction *action : toolBar->actions())
        buttons += action->isSeparator() ? 0 : 1;
    EXPECT_EQ(buttons, 10);
}

TEST_F(MainFrameTest, FileCommandsAreDisabledWithoutASelectionAndFrameCommandsEnabled)
{
    ASSERT_TRUE(Start());
    ShowAndSettle();
    Frame().UpdateCommandUi();
    CommandActions &actions = Frame().Actions();
    for (const CommandId id : {cmd::kHexView, cmd::kDelete, cmd::kOpen, cmd::kEditCopy, cmd::kEditCut, cmd::kRename,
                               cmd::kProperties, cmd::kOpenContainingFolder, cmd::kCopyToFolder, cmd::kMoveToFolder})
        EXPECT_FALSE(actions.Action(id)->isEnabled()) << "command " << id;
    for (const CommandId id : {cmd::kFileNew, cmd::kFileOpen, cmd::kFileSave, cmd::kFileSaveAs, cmd::kAppAbout,
                               cmd::kAppExit, cmd::kHelpIndex, cmd::kWebSite, cmd::kViewToolbar,
                               cmd::kViewStatusBar, cmd::kWindowSplit, cmd::kNextPane, cmd::kPrevPane})
        EXPECT_TRUE(actions.Action(id)->isEnabled()) << "command " << id;
    EXPECT_TRUE(actions.Action(cmd::kViewToolbar)->isChecked());
    EXPECT_TRUE(actions.Action(cmd::kViewStatusBar)->isChecked());
}

TEST_F(MainFrameTest, StatusBarHasAStretchingMessagePaneAndABannerAsWideAsItsTitle)
{
    ASSERT_TRUE(Start());
    ShowAndSettle();
    BannerStatusBar *bar = Frame().StatusBarPanes();
    const QFontMetrics metrics(bar->Banner()->font());
    EXPECT_EQ(bar->Banner()->ItemRect().width(), metrics.horizontalAdvance(QStringLiteral("Norvane Search")));
    const int before = bar->MessagePane()->width();
    Frame().resize(Frame().width() + 100, Frame().height());
    QTest::qWait(20);
    EXPECT_EQ(bar->MessagePane()->width(), before + 100);
    // A long prompt never widens the window.
    const int width = Frame().width();
    const QString longText(500, QLatin1Char('x'));
    Frame().SetMessageString(0, &longText);
    QTest::qWait(20);
    EXPECT_EQ(Frame().width(), width);
}

TEST_F(MainFrameTest, IdleTextCountsRowsAndSelection)
{
    const QString file = ResultFile(25);
    ASSERT_TRUE(Start());
    QTest::qWait(10); // the posted idle request after creation
    EXPECT_EQ(StatusText(), QStringLiteral("0 objects"));

    ASSERT_NE(app->OpenDocumentFile(file), nullptr);
    EXPECT_EQ(Frame().GetResultsView()->ItemCount(), 25);
    EXPECT_EQ(StatusText(), QStringLiteral("25 objects"));

    CSifterView *list = Frame().GetResultsView();
    list->SelectionModel()->select(list->Model().index(2, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    const QString modified = QString::fromStdString(FormatFileTime(kSomeFileTime, true));
    EXPECT_FALSE(modified.isEmpty());
    EXPECT_EQ(StatusText(), QStringLiteral("In Folder: /data/d2 Type: plain text document Date Modified: ") + modified +
                                QStringLiteral(" Size: 102 bytes"));
    for (int row : {4, 7})
        list->SelectionModel()->select(list->Model().index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(StatusText(), QStringLiteral("3 objects selected"));
    EXPECT_EQ(Frame().BuildIdleStatusText(), QStringLiteral("3 objects selected"));

    // During a run selection changes leave the status line to the run.
    list->SetRunInProgress(true);
    list->SelectionModel()->clearSelection();
    EXPECT_EQ(StatusText(), QStringLiteral("3 objects selected"));
    list->SetRunInProgress(false);
}

TEST_F(MainFrameTest, IdleTextOfOneSelectedProgramHasItsVersionStringsOnOneLine)
{
    const std::vector<std::uint8_t> bytes = BuildPeImage({});
    tree.WriteFile("bin/tool.exe", std::string_view(reinterpret_cast<const char *>(bytes.data()), bytes.size()));
    FileSearch search;
    auto record = std::make_unique<FoundFile>();
    record->SetName("tool.exe");
    record->SetFolder(tree.Path("bin"));
    record->size = bytes.size();
    record->creationTime = kSomeFileTime;
    record->SetTypeName("program");
    search.AppendFoundFile(std::move(record));
    ASSERT_TRUE(Start());
    ASSERT_NO_FATAL_FAILURE(OpenSearch(search, "program.sifter"));

    CSifterView *list = Frame().GetResultsView();
    list->SelectionModel()->select(list->Model().index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(StatusText(), QStringLiteral("In Folder: ") + QString::fromStdString(tree.Path("bin")) +
                                QStringLiteral(" Description: Sample Tool Company: Norvane Test Works File Version: "
                                               "1.2.3.4 Date Created: ") +
                                QString::fromStdString(FormatFileTime(kSomeFileTime, true)) +
                                QStringLiteral(" Size: ") + QString::fromStdString(FormatFileSize(bytes.size(), false)));
}

TEST_F(MainFrameTest, WithoutAResultsListTheIdleTextIsReady)
{
    ASSERT_TRUE(Start());
    CMainFrame bare(*app, Doc(), app->Settings()); // never created: no splitter, no panes
    EXPECT_EQ(bare.GetResultsView(), nullptr);
    EXPECT_EQ(bare.BuildIdleStatusText(), QStringLiteral("Ready"));
}

TEST_F(MainFrameTest, PromptsOfMenusAndToolbarShowInPaneZeroAndTheIdleTextReturns)
{
    ASSERT_TRUE(Start());
    ShowAndSettle();
    QMenu *file = Frame().menuBar()->actions().front()->menu();
    emit file->hovered(Frame().Actions().Action(cmd::kDelete));
    EXPECT_EQ(StatusText(), QStringLiteral("Deletes the selected items"));
    emit file->aboutToHide();
    EXPECT_EQ(StatusText(), QStringLiteral("0 objects"));
    const QString folder = QStringLiteral("/home/me/Work");
    Frame().SetMessageString(0, &folder);
    EXPECT_EQ(StatusText(), folder);
    Frame().SetMessageString(cmd::kFileNew);
    EXPECT_EQ(StatusText(), QStringLiteral("Starts a new search"));
    Frame().SetMessageString(0);
    EXPECT_EQ(StatusText(), QStringLiteral("Starts a new search")); // nothing to put there
    EXPECT_EQ(Frame().LastMessageId(), 0u);
}

TEST_F(MainFrameTest, NextAndPreviousPaneMoveTheFocusBetweenThePanes)
{
    ASSERT_TRUE(Start());
    ShowAndSettle();
    Frame().activateWindow();
    CLeftView *left = Frame().GetLeftView();
    CSifterView *list = Frame().GetResultsView();
    // The window opens with the keyboard in the criteria pane.
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_TRUE(left->isAncestorOf(QApplication::focusWidget()));
    Frame().SendCommand(cmd::kNextPane);
    EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget *>(list->CurrentView()));
    Frame().SendCommand(cmd::kNextPane);
    EXPECT_TRUE(left->isAncestorOf(QApplication::focusWidget()));
    Frame().SendCommand(cmd::kPrevPane);
    EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget *>(list->CurrentView()));
    Frame().SendCommand(cmd::kPrevPane);
    EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget *>(left->NameBox())); // its first control
}

TEST_F(MainFrameTest, SplitMovesTheBarWithTheKeyboardAndEscapeGoesBack)
{
    ASSERT_TRUE(Start());
    ShowAndSettle();
    StaticSplitter *splitter = Frame().Splitter();
    const int start = splitter->FirstColumnWidth();
    Frame().SendCommand(cmd::kWindowSplit);
    ASSERT_TRUE(splitter->KeyboardTracking());
    QTest::keyClick(splitter, Qt::Key_Right);
    EXPECT_EQ(splitter->FirstColumnWidth(), start + 16);
    QTest::keyClick(splitter, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(splitter->FirstColumnWidth(), start + 15);
    QTest::keyClick(splitter, Qt::Key_Escape);
    EXPECT_FALSE(splitter->KeyboardTracking());
    EXPECT_EQ(splitter->FirstColumnWidth(), start);

    Frame().SendCommand(cmd::kWindowSplit);
    QTest::keyClick(splitter, Qt::Key_Right);
    QTest::keyClick(splitter, Qt::Key_Return);
    EXPECT_FALSE(splitter->KeyboardTracking());
    EXPECT_EQ(splitter->FirstColumnWidth(), start + 16);
    EXPECT_EQ(app->Settings().widthLeftPanel, start + 16);
}

TEST_F(MainFrameTest, RightToLeftTheArrowKeysMoveTheBarTheWayTheyPoint)
{
    struct Direction {
        Direction() { QGuiApplication::setLayoutDirection(Qt::RightToLeft); }
        ~Direction() { QGuiApplication::setLayoutDirection(Qt::LeftToRight); }
    } direction;
    ASSERT_TRUE(Start());
    ShowAndSettle();
    StaticSplitter *splitter = Frame().Splitter();
    const int start = splitter->FirstColumnWidth();
    const int barX = splitter->handle(1)->x();
    Frame().SendCommand(cmd::kWindowSplit);
    // The criteria pane is the right column: the bar going left widens it.
    QTest::keyClick(splitter, Qt::Key_Left);
    EXPECT_EQ(splitter->FirstColumnWidth(), start + 16);
    EXPECT_EQ(splitter->handle(1)->x(), barX - 16);
    QTest::keyClick(splitter, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(splitter->FirstColumnWidth(), start + 15);
    QTest::keyClick(splitter, Qt::Key_Return);
}

TEST_F(MainFrameTest, ADroppedResultFileBecomesTheDocument)
{
    const QString file = ResultFile(4);
    ASSERT_TRUE(Start());
    ShowAndSettle();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Frame(), &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Frame(), &drop);
    EXPECT_TRUE(QTest::qWaitFor([this] { return Doc().Search().CountFoundFiles() == 4; }, 1000));
    EXPECT_EQ(Doc().Title(), QStringLiteral("r4.sifter"));
    EXPECT_EQ(Frame().GetResultsView()->ItemCount(), 4);
}

// Closes the window from inside the run, the way a click on its close box would arrive.
class ClosingPump final : public EventPump {
public:
    explicit ClosingPump(CMainFrame &frame) : frame_(frame) {}
    void DispatchPendingEvents() override
    {
        ++pumps;
        if (pumps == 1) {
            frame_.close();
            visibleAfterClose = frame_.isVisible();
        }
        QCoreApplication::processEvents();
    }
    int pumps = 0;
    bool visibleAfterClose = false;

private:
    CMainFrame &frame_;
};

TEST_F(MainFrameTest, ClosingDuringASearchStopsTheRunAndClosesOnceItHasReturned)
{
    ASSERT_NO_FATAL_FAILURE(PrepareALongSearch());
    CSifterDoc &doc = Doc();
    ClosingPump pump(Frame());
    doc.RunSearch({Frame().GetResultsView(), nullptr, &pump});

    EXPECT_TRUE(pump.visibleAfterClose);      // the close waited
    EXPECT_TRUE(Frame().ClosePending());
    EXPECT_FALSE(doc.Search().Running());     // the close stopped the run
    const std::size_t found = doc.Search().CountFoundFiles();
    EXPECT_LT(found, 300u);
    EXPECT_EQ(static_cast<std::size_t>(Frame().GetResultsView()->ItemCount()), found);
    // Every row's record is still alive after the run returned.
    for (int row = 0; row < Frame().GetResultsView()->ItemCount(); ++row)
        EXPECT_NE(Frame().GetResultsView()->Model().Record(row), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !Frame().isVisible(); }, 2000));
}

// Raises SIGTERM from inside the run, as a logout in the middle of a search would.
class SignallingPump final : public EventPump {
public:
    void DispatchPendingEvents() override
    {
        if (++pumps == 1)
            std::raise(SIGTERM);
        QCoreApplication::processEvents();
    }
    int pumps = 0;
};

TEST_F(MainFrameTest, SigtermDuringASearchStopsTheRunAndClosesOnceItHasReturned)
{
    ASSERT_NO_FATAL_FAILURE(PrepareALongSearch());
    CSifterDoc &doc = Doc();
    SignallingPump pump;
    doc.RunSearch({Frame().GetResultsView(), nullptr, &pump});

    EXPECT_FALSE(doc.Search().Running());
    EXPECT_LT(doc.Search().CountFoundFiles(), 300u);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !Frame().isVisible(); }, 2000));
    EXPECT_TRUE(prompts->questions.isEmpty());
}

} // namespace
} // namespace sifter::test
