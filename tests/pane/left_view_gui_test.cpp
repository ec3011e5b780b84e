// SPDX-License-Identifier: GPL-3.0-or-later
// The criteria pane in the real window: sections that open, close and restack, stretching,
// the wheel, the focus at start, the histories in the boxes and their suggestions, and
// Tools > Clear Search Histories.
#include "frame/static_splitter.h"
#include "framework/dialog_units.h"
#include "framework/link_button.h"
#include "framework/string_resources.h"
#include "pane/criteria_panel.h"
#include "pane/left_view.h"
#include "pane/word_options_panel.h"
#include "res/dialogs.h"
#include "stores/layout_settings.h"
#include "support/qt_printers.h"
#include "support/sifter_app_fixture.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QRadioButton>
#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

namespace sifter::test {
namespace {

class LeftViewTest : public SifterAppFixture {
protected:
    CLeftView &Pane() const { return *Frame().GetLeftView(); }

    void Toggle(CLeftView::Section section)
    {
        QTest::mouseClick(Pane().SectionButton(section), Qt::LeftButton);
    }

    static int Bottom(const QWidget *widget) { return widget->geometry().bottom() + 1; }

    void Wheel(int delta)
    {
        const QPoint at = Pane().viewport()->rect().center();
        QWheelEvent event(at, Pane().viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Pane().viewport(), &event);
    }

    // The suggestions the name box's completer offers for the typed text.
    QStringList Suggestions(QComboBox *box, const QString &typed)
    {
        box->setFocus();
        box->lineEdit()->clear();
        QTest::keyClicks(box->lineEdit(), typed);
        QStringList shown;
        QCompleter *completer = box->completer();
        if (!completer)
            return shown;
        for (int row = 0; completer->setCurrentRow(row); ++row)
            shown.append(completer->currentCompletion());
        return shown;
    }

    // Types into the name box of the active window until its suggestions pop up; the list.
    QWidget *ShowNameSuggestions(const QString &typed)
    {
        Frame().activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&Frame()));
        Pane().NameBox()->setFocus();
        Pane().NameBox()->lineEdit()->clear();
        QTest::keyClicks(Pane().NameBox()->lineEdit(), typed);
        QWidget *suggestions = Pane().NameBox()->completer()->popup();
        EXPECT_TRUE(suggestions->isVisible());
        // The user looks at the list before clicking: the window system has handed it the keys.
        EXPECT_TRUE(QTest::qWaitFor([&] { return QGuiApplication::focusWindow() == suggestions->windowHandle(); }));
        return suggestions;
    }

    // A click at the widget's centre that comes through the window, as the user's do, so that
    // an open pop-up list sees it first.
    void ClickThroughTheWindow(QWidget *target)
    {
        QTest::mouseClick(Frame().windowHandle(), Qt::LeftButton, {}, target->mapTo(&Frame(), target->rect().center()));
        QCoreApplication::processEvents();
        // No window manager gives the window back its focus when the list closes.
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    }

    void Search(const QString &names, const QString &folder)
    {
        Pane().NameBox()->setEditText(names);
        Pane().FolderBox()->setEditText(folder);
        QTest::mouseClick(Pane().SearchButton(), Qt::LeftButton);
    }
};

TEST_F(LeftViewTest, StartsWithTheTemplateLayoutCollapsedPanelsAndTheFocusInTheNameBox)
{
    ASSERT_NO_FATAL_FAILURE(StartShown());
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    EXPECT_TRUE(Pane().NameBox()->isAncestorOf(QApplication::focusWidget()) ||
                QApplication::focusWidget() == Pane().NameBox());
    const DialogUnits units(Pane().Form()->font());
    for (int i = 0; i < CLeftView::kSectionCount; ++i) {
        EXPECT_FALSE(Pane().SectionPanel(CLeftView::Section(i))->isVisible());
        EXPECT_FALSE(Pane().SectionButton(CLeftView::Section(i))->Expanded());
    }
    // The template's gaps are still there: Search at its template place.
    EXPECT_EQ(Pane().SearchButton()->y(), units.ToPixelsY(198));
    EXPECT_EQ(Pane().Form()->height(), units.ToPixelsY(217));
}

TEST_F(LeftViewTest, OpeningOnlyExcludeStacksItsPanelUnderItsButtonAndSearchUnderThePanel)
{
    ASSERT_NO_FATAL_FAILURE(StartShown());
    Toggle(CLeftView::kExclude);
    QWidget *panel = Pane().SectionPanel(CLeftView::kExclude);
    CLinkButton *button = Pane().SectionButton(CLeftView::kExclude);
    EXPECT_TRUE(button->Expanded());
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->y(), Bottom(button));
    EXPECT_EQ(Pane().SearchButton()->y(), Bottom(panel));
    // No gaps from the Word Options button down.
    EXPECT_EQ(Pane().FolderBox()->y(), Bottom(Pane().SectionButton(CLeftView::kWordOptions)) +
                                           Pane().findChildren<QLabel *>().at(2)->height());
    EXPECT_EQ(Pane().BrowseButton()->y(), Bottom(Pane().FolderBox()));
    EXPECT_EQ(Pane().SectionButton(CLeftView::kFileSize)->y(), Bottom(Pane().BrowseButton()));
    const int searchOpen = Pane().SearchButton()->y();
    const QLabel *nameLabel = Pane().findChildren<QLabel *>().at(0);
    EXPECT_EQ(Pane().Form()->height(), Bottom(Pane().SearchButton()) - nameLabel->y() + 10);

    Toggle(CLeftView::kExclude);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(searchOpen - Pane().SearchButton()->y(), panel->height());
    EXPECT_EQ(Pane().SearchButton()->y(), Bottom(button)); // stacked, not the template's place
}

TEST_F(LeftViewTest, SectionsAreIndependentAndClosingAllGivesTheStackWithoutGaps)
{
    ASSERT_NO_FATAL_FAILURE(StartShown());
    const int top = Bottom(Pane().SectionButton(CLeftView::kWordOptions));
    for (int i = 0; i < CLeftView::kSectionCount; ++i)
        Toggle(CLeftView::Section(i));
    QWidget *wordOptions = Pane().SectionPanel(CLeftView::kWordOptions);
    EXPECT_EQ(wordOptions->y(), top);
    int panels = 0;
    for (int i = 0; i < CLeftView::kSectionCount; ++i) {
        EXPECT_TRUE(Pane().SectionPanel(CLeftView::Section(i))->isVisible());
        panels += Pane().SectionPanel(CLeftView::Section(i))->height();
    }
    const int searchAllOpen = Pane().SearchButton()->y();
    for (int i = 0; i < CLeftView::kSectionCount; ++i)
        Toggle(CLeftView::Section(i));
    EXPECT_EQ(searchAllOpen - Pane().SearchButton()->y(), panels);
    EXPECT_EQ(Pane().SearchButton()->y(), Bottom(Pane().SectionButton(CLeftView::kExclude)));
    EXPECT_EQ(Pane().SectionButton(CLeftView::kExclude)->y(), Bottom(Pane().SectionButton(CLeftView::kAttributes)));
    EXPECT_EQ(Pane().SectionButton(CLeftView::kAttributes)->y(),
              Bottom(Pane().SectionButton(CLeftView::kDateTime)));
}

TEST_F(LeftViewTest, ResizingStretchesBoxesButtonsAndPanelsToFivePixelsShortOfTheEdge)
{
    ASSERT_NO_FATAL_FAILURE(StartShown());
    Toggle(CLeftView::kFileSize);
    const int browseWidth = Pane().BrowseButton()->width();
    for (const int width : {300, 120}) {
        Frame().Splitter()->SetFirstColumnWidth(width);
        QCoreApplication::processEvents();
        const int right = Pane().viewport()->width() - 5;
        for (QWidget *widget : {static_cast<QWidget *>(Pane().NameBox()), static_cast<QWidget *>(Pane().FolderBox()),
                                static_cast<QWidget *>(Pane().SectionButton(CLeftView::kDateTime)),
                                Pane().SectionPanel(CLeftView::kFileSize),
                                Pane().SectionPanel(CLeftView::kAttributes)})
            EXPECT_EQ(widget->x() + widget->width(), right) << width;
        EXPECT_EQ(Pane().BrowseButton()->geometry().right() + 1, right);
        EXPECT_EQ(Pane().BrowseButton()->width(), browseWidth);
        EXPECT_EQ(Pane().SearchButton()->geometry().right() + 1, right);
        EXPECT_EQ(app->Settings().widthLeftPanel, Pane().width());
    }
}

TEST_F(LeftViewTest, RightToLeftThePaneIsOnTheRightAndItsControlsAreMirrored)
{
    // As "-reverse" or a right-to-left language sets it, for this test only.
    struct Direction {
        Direction() { QGuiApplication::setLayoutDirection(Qt::RightToLeft); }
        ~Direction() { QGuiApplication::setLayoutDirection(Qt::LeftToRight); }
    } direction;
    ASSERT_NO_FATAL_FAILURE(StartShown());
    ASSERT_TRUE(Pane().isRightToLeft());
    EXPECT_GT(Pane().mapTo(&Frame(), QPoint()).x(), Frame().width() / 2);
    Toggle(CLeftView::kFileSize);
    Toggle(CLeftView::kWordOptions);
    const DialogUnits units(Pane().Form()->font());
    for (const int width : {300, 160}) {
        Frame().Splitter()->SetFirstColumnWidth(width);
        QCoreApplication::processEvents();
        const int formWidth = Pane().Form()->width();
        ASSERT_EQ(formWidth, Pane().viewport()->width());
        // Five pixels short of the edge left to right are five pixels from the left edge here.
        for (QWidget *widget : {static_cast<QWidget *>(Pane().NameBox()), static_cast<QWidget *>(Pane().FolderBox()),
                                static_cast<QWidget *>(Pane().SectionButton(CLeftView::kDateTime)),
                                static_cast<QWidget *>(Pane().BrowseButton()),
                                static_cast<QWidget *>(Pane().SearchButton()), Pane().SectionPanel(CLeftView::kFileSize)})
            EXPECT_EQ(widget->x(), 5) << width;
        EXPECT_EQ(Pane().NameBox()->geometry().right() + 1, formWidth - units.ToPixelsX(5)) << width;
        EXPECT_EQ(Pane().SectionPanel(CLeftView::kFileSize)->geometry().right() + 1, formWidth) << width;
        // The label above the name box starts where the box does: at its right.
        const QWidget *label = Pane().Form()->findChild<QLabel *>();
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->geometry().right(), Pane().NameBox()->geometry().right()) << width;
        // Inside a panel too: its options start at its right edge, less the template's margin.
        const auto *panel = static_cast<CCriteriaPanel *>(Pane().SectionPanel(CLeftView::kWordOptions));
        const QWidget *option = panel->Controls().Find(ctl::wordopt::kAnyWords);
        EXPECT_EQ(option->geometry().right() + 1, panel->width() - panel->contentsMargins().right() - units.ToPixelsX(5))
            << width;
        // The section's arrow is at the button's left end.
        const CLinkButton *button = Pane().SectionButton(CLeftView::kDateTime);
        EXPECT_LT(button->IconRect().x(), button->TextRect().x());
    }
}

TEST_F(LeftViewTest, OneWheelNotchScrollsOnePage)
{
    ASSERT_NO_FATAL_FAILURE(StartShown());
    Frame().resize(Frame().width(), 300);
    for (int i = 0; i < CLeftView::kSectionCount; ++i)
        Toggle(CLeftView::Section(i));
    QCoreApplication::processEvents();
    QScrollBar *bar = Pane().verticalScrollBar();
    ASSERT_GT(bar->maximum(), bar->pageStep());
    Wheel(-120); // toward the user
    EXPECT_EQ(bar->value(), bar->pageStep());
    Wheel(-60); // half a notch does not move
    EXPECT_EQ(bar->value(), bar->pageStep());
    Wheel(60);
    Wheel(120);
    EXPECT_EQ(bar->value(), 0);
    // Over a box the wheel scrolls the pane, never the box's text.
    Pane().NameBox()->addItem(QStringLiteral("first"));
    Pane().NameBox()->setEditText(QStringLiteral("typed"));
    QWheelEvent overBox(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                        Qt::NoScrollPhase, false);
    QApplication::sendEvent(Pane().NameBox(), &overBox);
    EXPECT_EQ(Pane().NameBox()->currentText(), QStringLiteral("typed"));
    EXPECT_EQ(bar->value(), bar->pageStep());
}

TEST_F(LeftViewTest, BoxesListTheHistoriesOldestFirstAndSuggestTheLastSearchAtOnce)
{
    tree.MakeFolder("work");
    ASSERT_NO_FATAL_FAILURE(StartShown());
    const QString work = QString::fromStdString(tree.Path("work"));
    Search(QStringLiteral("Report*.txt"), work);
    Search(QStringLiteral("*.md"), work);
    Search(QStringLiteral("report*.TXT"), work); // the same entry without regard to case
    QComboBox *names = Pane().NameBox();
    ASSERT_EQ(names->count(), 2);
    EXPECT_EQ(names->itemText(0), QStringLiteral("Report*.txt"));
    EXPECT_EQ(names->itemText(1), QStringLiteral("*.md"));
    EXPECT_EQ(names->currentText(), QStringLiteral("report*.TXT")); // the box keeps its text

    EXPECT_EQ(Suggestions(names, QStringLiteral("rep")), QStringList{QStringLiteral("Report*.txt")});
    Search(QStringLiteral("repair.log"), work);
    EXPECT_EQ(Suggestions(names, QStringLiteral("REP")),
              QStringList({QStringLiteral("Report*.txt"), QStringLiteral("repair.log")}));
    EXPECT_TRUE(Suggestions(names, QStringLiteral("x")).isEmpty());
    // Suggestions pop up; nothing is completed inside the field.
    EXPECT_EQ(names->completer()->completionMode(), QCompleter::PopupCompletion);
    EXPECT_EQ(names->currentText(), QStringLiteral("x"));
    EXPECT_EQ(Suggestions(Pane().FolderBox(), work.left(3)), QStringList{work});
}

TEST_F(LeftViewTest, AClickIntoAnotherBoxThatClosesTheSuggestionsAlsoMovesTheFocusThere)
{
    const QString work = QString::fromStdString(tree.MakeFolder("work"));
    ASSERT_NO_FATAL_FAILURE(StartShown());
    Search(QStringLiteral("report.txt"), work);
    QWidget *suggestions = nullptr;
    ASSERT_NO_FATAL_FAILURE(suggestions = ShowNameSuggestions(QStringLiteral("rep")));
    ASSERT_NO_FATAL_FAILURE(ClickThroughTheWindow(Pane().FolderBox()));
    EXPECT_FALSE(suggestions->isVisible());
    EXPECT_TRUE(Pane().FolderBox()->hasFocus());
    QTest::keyClick(Frame().windowHandle(), Qt::Key_End);
    QTest::keyClick(Frame().windowHandle(), Qt::Key_Z);
    EXPECT_EQ(Pane().FolderBox()->currentText(), work + QLatin1Char('z'));
    EXPECT_EQ(Pane().NameBox()->currentText(), QStringLiteral("rep"));
}

TEST_F(LeftViewTest, AClickOnAButtonThatClosesTheSuggestionsAlsoPressesIt)
{
    const QString work = QString::fromStdString(tree.MakeFolder("work"));
    ASSERT_NO_FATAL_FAILURE(StartShown());
    Search(QStringLiteral("report.txt"), work);
    QStringList browsedFrom;
    Pane().SetFolderPicker([&](QWidget *, const QString &, const QString &start) {
        browsedFrom.append(start);
        return QString();
    });
    QWidget *suggestions = nullptr;
    ASSERT_NO_FATAL_FAILURE(suggestions = ShowNameSuggestions(QStringLiteral("rep")));
    ASSERT_NO_FATAL_FAILURE(ClickThroughTheWindow(Pane().BrowseButton()));
    EXPECT_FALSE(suggestions->isVisible());
    EXPECT_EQ(browsedFrom, QStringList{work});
}

TEST_F(LeftViewTest, AtFirstStartEveryLabelAndOptionShowsWholeEvenWithTheScrollBar)
{
    ASSERT_NO_FATAL_FAILURE(StartShown());
    Toggle(CLeftView::kWordOptions);
    Toggle(CLeftView::kAttributes);
    Frame().resize(Frame().width(), 600);
    QCoreApplication::processEvents();
    ASSERT_TRUE(Pane().verticalScrollBar()->isVisible());
    const QWidget *viewport = Pane().viewport();
    for (QLabel *label : Pane().Form()->findChildren<QLabel *>()) {
        if (!label->isVisible() || label->text().isEmpty())
            continue;
        EXPECT_FALSE(label->text().contains(QChar(0x2026))) << label->text().toStdString();
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width())
            << label->text().toStdString();
        EXPECT_LE(label->mapTo(viewport, label->rect().topRight()).x(), viewport->width()) << label->text().toStdString();
    }
    for (QAbstractButton *option : Pane().Form()->findChildren<QAbstractButton *>()) {
        if (!option->isVisible() || !(qobject_cast<QCheckBox *>(option) || qobject_cast<QRadioButton *>(option)))
            continue;
        EXPECT_LE(option->sizeHint().width(), option->width()) << option->text().toStdString();
        EXPECT_LE(option->mapTo(viewport, option->rect().topRight()).x(), viewport->width()) << option->text().toStdString();
    }
}

TEST_F(LeftViewTest, AnOptionTooLongForANarrowedPaneShowsElidedWithItsTextAsTip)
{
    ASSERT_NO_FATAL_FAILURE(StartShown());
    Toggle(CLeftView::kWordOptions);
    Frame().Splitter()->SetFirstColumnWidth(110);
    QCoreApplication::processEvents();
    auto *unicode = Pane().Panels().wordOptions->Controls().Find<QCheckBox>(ctl::wordopt::kUnicodeUtf8);
    ASSERT_NE(unicode, nullptr);
    EXPECT_TRUE(unicode->text().contains(QChar(0x2026))) << unicode->text().toStdString();
    EXPECT_LE(unicode->sizeHint().width(), unicode->width());
    EXPECT_EQ(unicode->toolTip(), QStringLiteral("Enable Unicode & UTF8."));
    // Wide again: the whole text, no tip.
    Frame().Splitter()->SetFirstColumnWidth(400);
    QCoreApplication::processEvents();
    EXPECT_EQ(unicode->text(), QStringLiteral("Enable Unicode && UTF8."));
    EXPECT_TRUE(unicode->toolTip().isEmpty());
}

TEST_F(LeftViewTest, HistoriesStoredByAnEarlierRunFillTheBoxesAtStart)
{
    {
        ASSERT_NO_FATAL_FAILURE(StartShown());
        Search(QStringLiteral("a.txt"), QString::fromStdString(tree.Root()));
        Stop();
    }
    ASSERT_NO_FATAL_FAILURE(StartShown());
    ASSERT_EQ(Pane().NameBox()->count(), 1);
    EXPECT_EQ(Pane().NameBox()->itemText(0), QStringLiteral("a.txt"));
    EXPECT_EQ(Pane().FolderBox()->itemText(0), QString::fromStdString(tree.Root()));
    EXPECT_EQ(Suggestions(Pane().NameBox(), QStringLiteral("A")), QStringList{QStringLiteral("a.txt")});
}

TEST_F(LeftViewTest, ClearSearchHistoriesAnsweredNoKeepsEverything)
{
    ASSERT_NO_FATAL_FAILURE(StartShown());
    Search(QStringLiteral("a.txt"), QString::fromStdString(tree.Root()));
    prompts->yesNoAnswer = false;
    Frame().SendCommand(cmd::kClearHistories);
    EXPECT_EQ(prompts->yesNoQuestions, QStringList{LoadResString(str::kAskClearHistories)});
    EXPECT_TRUE(prompts->informations.isEmpty());
    EXPECT_EQ(app->NamesHistory().Entries().size(), 1u);
    EXPECT_EQ(Pane().NameBox()->count(), 1);
    CSearchHistory stored{std::string(kFoldersHistoryName)};
    ASSERT_TRUE(stored.Load(app->Store()));
    EXPECT_EQ(stored.Entries().size(), 1u);
}

TEST_F(LeftViewTest, ClearSearchHistoriesAnsweredYesEmptiesListsStoreAndSuggestions)
{
    ASSERT_NO_FATAL_FAILURE(StartShown());
    Search(QStringLiteral("a.txt"), QString::fromStdString(tree.Root()));
    Pane().WordsBox()->setEditText(QStringLiteral("kept"));
    prompts->yesNoAnswer = true;
    Frame().SendCommand(cmd::kClearHistories);
    EXPECT_EQ(prompts->informations, QStringList{LoadResString(str::kOperationDone)});
    for (CSearchHistory *history : {&app->NamesHistory(), &app->WordsHistory(), &app->FoldersHistory()}) {
        EXPECT_TRUE(history->Entries().empty());
        CSearchHistory stored{history->Name()};
        ASSERT_TRUE(stored.Load(app->Store()));
        EXPECT_TRUE(stored.Entries().empty()) << history->Name();
    }
    EXPECT_EQ(Pane().NameBox()->count(), 0);
    EXPECT_EQ(Pane().FolderBox()->count(), 0);
    EXPECT_EQ(Pane().NameBox()->currentText(), QStringLiteral("a.txt"));
    EXPECT_EQ(Pane().WordsBox()->currentText(), QStringLiteral("kept"));
    EXPECT_TRUE(Suggestions(Pane().NameBox(), QStringLiteral("a")).isEmpty());
}

} // namespace
} // namespace sifter::test
