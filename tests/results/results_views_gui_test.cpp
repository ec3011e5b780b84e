// SPDX-License-Identifier: GPL-3.0-or-later
// The results list's views as the user reads them: what the cells and tips show of long
// folders and names, in every view mode, of megabyte-long ones and of control characters.
#include "doc/sifter_doc.h"
#include "framework/shown_text.h"
#include "res/resource_ids.h"
#include "results/results_model.h"
#include "results/results_views.h"
#include "results/sifter_view.h"
#include "search/found_file.h"
#include "search/text_field.h"
#include "stores/file_texts.h"
#include "stores/layout_settings.h"
#include "support/drawn_texts.h"
#include "support/qt_printers.h"
#include "support/temp_tree.h"
#include "support/tool_tips.h"
#include "text/file_time.h"

#include <QApplication>
#include <QHeaderView>
#include <QProxyStyle>
#include <QScreen>
#include <QTest>
#include <QStyleOptionViewItem>
#include <QToolTip>
#include <gtest/gtest.h>

#include <string>

namespace sifter {
namespace {

constexpr QChar kEllipsis(0x2026);

class ResultsViewsTest : public ::testing::Test {
protected:
    // Shows the list with one row per name, all in folder.
    void ShowRows(const std::string &folder, std::initializer_list<std::string> names)
    {
        for (const std::string &name : names) {
            auto record = std::make_unique<FoundFile>();
            record->SetName(name);
            record->SetFolder(folder);
            record->SetTypeName("plain text document");
            document_.Search().AppendFoundFile(std::move(record));
        }
        view_.FillResultsView();
        view_.resize(900, 400);
        view_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view_));
    }

    // The texts the current view draws.
    QStringList Drawn() { return test::DrawnTexts::Of(*view_.CurrentView()->viewport()); }

    // The tip asked for over the row's name, as the view answers a hover.
    QString TipOver(int row) { return test::TipOver(view_.CurrentView(), row); }

    // The tip window on the screen, if one is shown.
    static const QWidget *ShownTip()
    {
        for (const QWidget *top : QApplication::topLevelWidgets()) {
            if (top->isVisible() && top->inherits("QTipLabel"))
                return top;
        }
        return nullptr;
    }

    CSifterDoc document_;
    LayoutSettings settings_;
    CSifterView view_{document_, settings_};
};

// Keeps the length of the longest text that a cell hands to Qt to measure or draw.
class CellTextLengths final : public QProxyStyle {
public:
    qsizetype longest = 0;

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        Note(element == CE_ItemViewItem, option);
        QProxyStyle::drawControl(element, option, painter, widget);
    }

    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget) const override
    {
        Note(type == CT_ItemViewItem, option);
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }

private:
    void Note(bool cell, const QStyleOption *option) const
    {
        if (const auto *item = qstyleoption_cast<const QStyleOptionViewItem *>(option); cell && item)
            const_cast<CellTextLengths *>(this)->longest = std::max(longest, item->text.size());
    }
};

// The drawn texts that start with start.
QStringList StartingWith(const QStringList &texts, const QString &start)
{
    QStringList found;
    for (const QString &text : texts) {
        if (text.startsWith(start))
            found.append(text);
    }
    return found;
}

TEST_F(ResultsViewsTest, ALongFolderCellShowsTheFolderStartAndItsLastFolders)
{
    const std::string folder = "/home/ann/projects/client-alpha/src/modules/reports/quarterly";
    ASSERT_NO_FATAL_FAILURE(ShowRows(folder, {"a.txt"}));
    const QStringList cells = StartingWith(Drawn(), QStringLiteral("/home"));
    ASSERT_EQ(cells.size(), 1) << cells.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(cells[0].contains(kEllipsis)) << cells[0].toStdString();
    EXPECT_TRUE(cells[0].endsWith(QStringLiteral("quarterly"))) << cells[0].toStdString();
}

TEST_F(ResultsViewsTest, TipLinesThatCannotWrapKeepTheirStartAndEndWithinTheScreenInEveryMode)
{
    const QString last = QStringLiteral("/the-folder-that-tells");
    const std::string folder = "/home/ann" + std::string(600, 'x') + last.toStdString();
    const std::string name = std::string(600, 'n') + "-end.txt";
    ASSERT_NO_FATAL_FAILURE(ShowRows(folder, {name}));
    const int screenWidth = view_.screen()->availableGeometry().width();
    for (ViewMode mode : {ViewMode::Details, ViewMode::List, ViewMode::SmallIcons, ViewMode::LargeIcons}) {
        view_.SetViewMode(mode);
        const QStringList lines = TipOver(0).split(QLatin1Char('\n'));
        ASSERT_GE(lines.size(), 2) << int(mode);
        // The name, cut off in every mode, comes first, then the folder.
        EXPECT_TRUE(lines[0].startsWith(QStringLiteral("nnn")) && lines[0].endsWith(QStringLiteral("-end.txt")))
            << lines[0].toStdString();
        EXPECT_TRUE(lines[1].startsWith(QStringLiteral("In Folder: /home/ann")) && lines[1].endsWith(last))
            << lines[1].toStdString();
        EXPECT_TRUE(lines[1].contains(kEllipsis));
        const QWidget *tip = ShownTip();
        ASSERT_NE(tip, nullptr);
        EXPECT_LE(tip->width(), screenWidth);
        QToolTip::hideText();
    }
}

TEST_F(ResultsViewsTest, ATipShowsALongFolderItCanWrapWhole)
{
    QString folder;
    for (int level = 0; folder.size() < 1000; ++level)
        folder += QStringLiteral("/level-%1-of-the-archive").arg(level);
    ASSERT_NO_FATAL_FAILURE(ShowRows(folder.toStdString(), {"a.txt"}));
    EXPECT_TRUE(TipOver(0).startsWith(QStringLiteral("In Folder: ") + folder + QLatin1Char('\n')));
    const QWidget *tip = ShownTip();
    ASSERT_NE(tip, nullptr);
    EXPECT_LE(tip->width(), view_.screen()->availableGeometry().width());
}

TEST_F(ResultsViewsTest, AMegabyteNameAndFolderReachQtBoundedWhenPaintedAndTipped)
{
    const std::string megabyte(1 << 20, 'x');
    ASSERT_NO_FATAL_FAILURE(ShowRows("/start" + megabyte + "/end", {"begin" + megabyte + ".txt"}));
    CellTextLengths lengths;
    view_.Details()->setStyle(&lengths);
    view_.Items()->setStyle(&lengths);
    for (ViewMode mode : {ViewMode::Details, ViewMode::List, ViewMode::SmallIcons, ViewMode::LargeIcons}) {
        view_.SetViewMode(mode);
        view_.CurrentView()->viewport()->grab();
        const QString tip = TipOver(0);
        ASSERT_FALSE(tip.isEmpty()) << int(mode);
        for (const QString &line : tip.split(QLatin1Char('\n')))
            EXPECT_LE(line.size(), kShownTextLimit) << int(mode);
        QToolTip::hideText();
    }
    // Seconds of layout for the megabyte, milliseconds for this.
    EXPECT_GT(lengths.longest, 0);
    EXPECT_LE(lengths.longest, kShownTextLimit);
    view_.Details()->setStyle(nullptr);
    view_.Items()->setStyle(nullptr);
}

TEST_F(ResultsViewsTest, ControlCharactersInANameShowAsMarksAndTheEditorGetsTheName)
{
    const std::string name = "two\nlines\r\x7f.txt";
    ASSERT_NO_FATAL_FAILURE(ShowRows("/data\tfolder", {name}));
    const QStringList drawn = Drawn();
    EXPECT_TRUE(drawn.contains(QStringLiteral("two?lines??.txt"))) << drawn.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(drawn.contains(QStringLiteral("/data?folder"))) << drawn.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(view_.Model().index(0, 0).data(Qt::EditRole).toString(), QString::fromStdString(name));
}

// The list learns of a run from its document alone: it is the run's row sink, starts it
// unsorted, and counts as filling during it only.
TEST_F(ResultsViewsTest, TheListTakesTheRowsOfARunAndKnowsWhileItFills)
{
    test::TempTree tree;
    tree.WriteFile("b.txt", "b");
    tree.WriteFile("a.txt", "a");
    ShowRows("/old", {"z.txt", "y.txt"});
    view_.ArrangeBy(cmd::kArrangeByName);
    ASSERT_EQ(view_.SortColumnId(), cmd::kArrangeByName);
    ASSERT_EQ(document_.RowSink(), &view_);

    struct FillingPump final : EventPump {
        explicit FillingPump(const CSifterView &list) : view(list) {}
        void DispatchPendingEvents() override { sawFilling = sawFilling || view.RunInProgress(); }
        const CSifterView &view;
        bool sawFilling = false;
    } pump(view_);
    SetTextField(document_.Search().criteria.names, "*.txt");
    SetTextField(document_.Search().criteria.folders, tree.Root());
    ASSERT_EQ(document_.RunSearch({document_.RowSink(), nullptr, &pump}), 0);
    EXPECT_TRUE(pump.sawFilling);
    EXPECT_FALSE(view_.RunInProgress());
    EXPECT_EQ(view_.SortColumnId(), 0);
    EXPECT_EQ(view_.ItemCount(), 2);
}

TEST(ResultsViewsListSink, AListNoLongerAliveIsNoRowSink)
{
    CSifterDoc document;
    LayoutSettings settings;
    {
        CSifterView view(document, settings);
        EXPECT_EQ(document.RowSink(), &view);
    }
    EXPECT_EQ(document.RowSink(), nullptr);
}

TEST(ResultsViewsDefaults, DefaultDateColumnsShowEveryMonthsDateAndTimeWhole)
{
    CSifterDoc document;
    LayoutSettings settings;
    for (std::uint32_t id : {cmd::kArrangeByCreated, cmd::kArrangeByVisited})
        settings.FindColumnSetting(id)->visible = 1;
    QStringList dates;
    for (std::uint16_t month = 1; month <= 12; ++month) {
        SystemTime late{};
        late.year = 2026;
        late.month = month;
        late.day = 28;
        late.hour = 22;
        late.minute = 58;
        FileTime time = 0;
        ASSERT_TRUE(LocalFieldsToFileTime(late, time));
        auto record = std::make_unique<FoundFile>();
        record->SetName("f" + std::to_string(month) + ".txt");
        record->lastWriteTime = record->creationTime = record->lastAccessTime = time;
        document.Search().AppendFoundFile(std::move(record));
        dates.append(QString::fromStdString(FormatFileTime(time, true)));
    }
    CSifterView view(document, settings);
    view.FillResultsView();
    view.resize(1400, 500);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    const QStringList drawn = test::DrawnTexts::Of(*view.Details()->viewport());
    for (const QString &date : dates)
        EXPECT_EQ(drawn.count(date), 3) << date.toStdString() << " in " << drawn.join(QLatin1Char('|')).toStdString();
}

} // namespace
} // namespace sifter
