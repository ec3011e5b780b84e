// SPDX-License-Identifier: GPL-3.0-or-later
// The results list's "Exclude This Folder" and the Exclude section: the row's folder goes
// into the Exclude box, its rows leave the list at once, the next search skips it, and the
// box's text is kept in the "Excludes" history.
#include "framework/command_actions.h"
#include "framework/link_button.h"
#include "pane/left_view.h"
#include "res/resource_ids.h"
#include "results/results_model.h"
#include "results/sifter_view.h"
#include "search/text_field.h"
#include "support/sifter_app_fixture.h"

#include <QComboBox>
#include <QItemSelectionModel>
#include <QPushButton>

#include <algorithm>
#include <QTest>

namespace sifter::test {
namespace {

class ExcludeFolderTest : public SifterAppFixture {
protected:
    CLeftView &Pane() const { return *Frame().GetLeftView(); }
    void SearchTree()
    {
        Pane().NameBox()->setEditText(QStringLiteral("*.txt"));
        Pane().FolderBox()->setEditText(QString::fromStdString(tree.Path("files")));
        QTest::mouseClick(Pane().SearchButton(), Qt::LeftButton);
    }
    std::vector<std::string> Rows() const
    {
        std::vector<std::string> paths;
        for (const FoundFile *record = Doc().Search().Head(); record; record = record->next)
            paths.push_back(record->Path().substr(tree.Path("files").size() + 1));
        std::sort(paths.begin(), paths.end());
        return paths;
    }
    void SelectRowOf(const std::string &relative)
    {
        for (int row = 0; row < List().ItemCount(); ++row) {
            if (List().Model().Record(row)->Path() == tree.Path("files/" + relative)) {
                List().SelectionModel()->select(List().Model().index(row, 0),
                                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
                return;
            }
        }
        FAIL() << relative;
    }
    void Choose(CommandId id)
    {
        QAction *action = Frame().Actions().Action(id);
        ASSERT_NE(action, nullptr);
        Frame().UpdateCommandUi();
        ASSERT_TRUE(action->isEnabled());
        action->trigger();
    }
};

TEST_F(ExcludeFolderTest, ExcludeThisFolderFillsTheBoxDropsTheRowsBelowAndTheNextSearchSkipsIt)
{
    tree.WriteFile("files/a/x.txt", "");
    tree.WriteFile("files/a/deep/y.txt", "");
    tree.WriteFile("files/ab/w.txt", "");
    tree.WriteFile("files/b/z.txt", "");
    ASSERT_NO_FATAL_FAILURE(StartShown());
    SearchTree();
    ASSERT_EQ(Rows(), (std::vector<std::string>{"a/deep/y.txt", "a/x.txt", "ab/w.txt", "b/z.txt"}));

    ASSERT_NO_FATAL_FAILURE(SelectRowOf("a/x.txt"));
    ASSERT_NO_FATAL_FAILURE(Choose(cmd::kExcludeFolder));
    EXPECT_EQ(Rows(), (std::vector<std::string>{"ab/w.txt", "b/z.txt"}));
    EXPECT_EQ(List().ItemCount(), 2);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(Pane().ExcludeBox()->currentText(), QString::fromStdString(tree.Path("files/a")));
    EXPECT_TRUE(Pane().SectionButton(CLeftView::kExclude)->Expanded());
    EXPECT_TRUE(Pane().SectionPanel(CLeftView::kExclude)->isVisible());

    // A second folder joins the first as one more entry; the same one again changes nothing.
    ASSERT_NO_FATAL_FAILURE(SelectRowOf("b/z.txt"));
    ASSERT_NO_FATAL_FAILURE(Choose(cmd::kExcludeFolder));
    const QString both = QString::fromStdString(tree.Path("files/a") + ";" + tree.Path("files/b"));
    EXPECT_EQ(Pane().ExcludeBox()->currentText(), both);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"ab/w.txt"}));

    SearchTree();
    EXPECT_EQ(Rows(), (std::vector<std::string>{"ab/w.txt"}));
    EXPECT_EQ(Doc().Search().extras.excludes, both.toStdString());
    EXPECT_TRUE(app->ExcludesHistory().Contains(both.toStdString()));
}

TEST_F(ExcludeFolderTest, ExcludeTextComesBackWithTheOpenedResultFile)
{
    FileSearch search;
    SetTextField(search.criteria.folders, tree.Root());
    search.extras.excludes = "*.bak;~/cache";
    ASSERT_TRUE(Start());
    ASSERT_NO_FATAL_FAILURE(OpenSearch(search, "saved.sifter"));
    EXPECT_EQ(Pane().ExcludeBox()->currentText(), QStringLiteral("*.bak;~/cache"));
}

} // namespace
} // namespace sifter::test
