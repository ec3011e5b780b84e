// SPDX-License-Identifier: GPL-3.0-or-later
// The Search and Browse buttons of the criteria pane, driven through the real window:
// texts typed into the boxes, clicks and keys, runs that are stopped in the middle, titles,
// histories, and bad input.
#include "frame/banner_status_bar.h"
#include "framework/link_button.h"
#include "framework/local_text.h"
#include "framework/string_resources.h"
#include "pane/file_size_panel.h"
#include "pane/left_view.h"
#include "pane/word_options_panel.h"
#include "results/sifter_view.h"
#include "search/text_field.h"
#include "stores/result_file.h"
#include "support/private_bus.h"
#include "support/qt_printers.h"
#include "support/sifter_app_fixture.h"

#include <QCheckBox>
#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <atomic>
#include <thread>

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sifter::test {
namespace {

// Turns the event loop as the window's own pump does, and runs an action at the first
// pump where when() holds (once).
class WatchingPump final : public EventPump {
public:
    std::function<bool()> when = [] { return true; };
    std::function<void()> action;
    int pumps = 0;
    bool acted = false;

    void DispatchPendingEvents() override
    {
        ++pumps;
        if (!acted && action && when()) {
            acted = true;
            action();
        }
        QCoreApplication::processEvents();
    }
};

class SearchCommandTest : public SifterAppFixture {
protected:
    CLeftView &Pane() const { return *Frame().GetLeftView(); }
    CSifterView &List() const { return *Frame().GetResultsView(); }

    // Replaces a box's text as the user would: select all, type.
    static void Type(QComboBox *box, const QString &text)
    {
        box->lineEdit()->selectAll();
        QTest::keyClick(box->lineEdit(), Qt::Key_Delete);
        QTest::keyClicks(box->lineEdit(), text);
    }

    void TypeCriteria(const QString &names, const QString &words, const QString &folders)
    {
        Type(Pane().NameBox(), names);
        Type(Pane().WordsBox(), words);
        Type(Pane().FolderBox(), folders);
    }

    void PressSearch() { QTest::mouseClick(Pane().SearchButton(), Qt::LeftButton); }

    static std::vector<std::string> Entries(const CSearchHistory &history) { return history.Entries(); }

    // 40 folders of 100 files, each holding the word "needle".
    std::string ManyFiles()
    {
        for (int folder = 0; folder < 40; ++folder) {
            for (int file = 0; file < 100; ++file)
                tree.WriteFile("many/d" + std::to_string(folder) + "/f" + std::to_string(file) + ".txt",
                               "hay needle hay");
        }
        return tree.Path("many");
    }
};

TEST_F(SearchCommandTest, ATypedSearchFillsTheListTheHistoriesAndTheTitle)
{
    tree.WriteFile("work/invoice.txt", "total invoice 12");
    tree.WriteFile("work/notes.txt", "nothing here");
    tree.WriteFile("work/sub/old-invoice.txt", "an invoice");
    ASSERT_NO_FATAL_FAILURE(StartShown());
    TypeCriteria(QStringLiteral("*.txt"), QStringLiteral("invoice"), QString::fromStdString(tree.Path("work")));
    PressSearch();

    EXPECT_EQ(List().ItemCount(), 2);
    EXPECT_EQ(TextField(Doc().Search().criteria.names), "*.txt");
    EXPECT_EQ(TextField(Doc().Search().criteria.words), "invoice");
    EXPECT_EQ(TextField(Doc().Search().criteria.folders), tree.Path("work"));
    EXPECT_EQ(Entries(app->NamesHistory()), std::vector<std::string>{"*.txt"});
    EXPECT_EQ(Entries(app->WordsHistory()), std::vector<std::string>{"invoice"});
    EXPECT_EQ(Entries(app->FoldersHistory()), std::vector<std::string>{tree.Path("work")});
    // Saved before the run: a second program reads them.
    CSearchHistory stored{std::string(kNamesHistoryName)};
    ASSERT_TRUE(stored.Load(app->Store()));
    EXPECT_EQ(stored.Entries(), std::vector<std::string>{"*.txt"});
    EXPECT_EQ(Pane().NameBox()->count(), 1);
    EXPECT_EQ(Pane().NameBox()->currentText(), QStringLiteral("*.txt"));

    EXPECT_EQ(Doc().Title(), QStringLiteral("[.txt]  {invoice}  In work *"));
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(Pane().SearchButton()->text(), LoadResString(str::kSearch));
    EXPECT_TRUE(Pane().SearchButton()->isEnabled());
    EXPECT_EQ(Frame().StatusBarPanes()->MessageText(), QStringLiteral("2 objects"));
}

// The histories' file is replaced (renamed into place) once per search, not once per
// history: each replace is synced, and the search waited for all of them.
TEST_F(SearchCommandTest, ASearchWritesTheHistoriesFileOnce)
{
    tree.WriteFile("work/a.txt", "x");
    ASSERT_NO_FATAL_FAILURE(StartShown());
    const std::string file = app->Store().FilePath(RegistryRoot::CurrentUser);
    const std::string folder = file.substr(0, file.rfind('/'));
    const std::string fileName = file.substr(folder.size() + 1);
    for (int search = 0; search < 2; ++search) {
        const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        ASSERT_GE(watch, 0);
        // The temporary names moved away come between: identical events in a row are told once.
        ASSERT_GE(inotify_add_watch(watch, folder.c_str(), IN_MOVED_FROM | IN_MOVED_TO), 0) << folder;
        // New texts in all three boxes: every history changes.
        const QString number = QString::number(search);
        TypeCriteria(QStringLiteral("*.txt;") + number, QStringLiteral("x") + number,
                     QString::fromStdString(tree.Path("work")) + QStringLiteral(";/nowhere") + number);
        PressSearch();
        int replaced = 0;
        alignas(inotify_event) char events[4096];
        for (ssize_t size; (size = read(watch, events, sizeof events)) > 0;) {
            for (char *at = events; at < events + size;) {
                const auto *event = reinterpret_cast<const inotify_event *>(at);
                if ((event->mask & IN_MOVED_TO) && event->len > 0 && fileName == event->name)
                    ++replaced;
                at += sizeof(inotify_event) + event->len;
            }
        }
        close(watch);
        EXPECT_EQ(replaced, 1) << "search " << search;
        CSearchHistory stored{std::string(kWordsHistoryName)};
        ASSERT_TRUE(stored.Load(app->Store()));
        const std::vector<std::string> words = stored.Entries();
        EXPECT_NE(std::find(words.begin(), words.end(), "x" + number.toStdString()), words.end());
    }
}

TEST_F(SearchCommandTest, EnterInAnyBoxStartsTheSearch)
{
    tree.WriteFile("work/a.txt", "x");
    ASSERT_NO_FATAL_FAILURE(StartShown());
    TypeCriteria(QStringLiteral("a.txt"), QString(), QString::fromStdString(tree.Path("work")));
    for (QComboBox *box : {Pane().NameBox(), Pane().WordsBox(), Pane().FolderBox()}) {
        List().ClearResultRows();
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        EXPECT_EQ(List().ItemCount(), 1);
    }
}

TEST_F(SearchCommandTest, APickedSuggestionIsSearchedAndStaysInItsBox)
{
    const QString alpha = QString::fromStdString(tree.MakeFolder("alpha"));
    const QString beta = QString::fromStdString(tree.MakeFolder("beta"));
    ASSERT_NO_FATAL_FAILURE(StartShown());
    TypeCriteria(QStringLiteral("alpha*"), QStringLiteral("alpha"), alpha);
    PressSearch();
    TypeCriteria(QStringLiteral("beta*"), QStringLiteral("beta"), beta);
    PressSearch();
    const struct {
        QComboBox *box;
        QString typed, picked;
    } boxes[] = {{Pane().NameBox(), QStringLiteral("b"), QStringLiteral("beta*")},
                 {Pane().WordsBox(), QStringLiteral("b"), QStringLiteral("beta")},
                 {Pane().FolderBox(), beta.left(beta.size() - 3), beta}};
    for (const auto &[box, typed, picked] : boxes) {
        Pane().NameBox()->setEditText(QStringLiteral("alpha*"));
        Pane().WordsBox()->setEditText(QStringLiteral("alpha"));
        Pane().FolderBox()->setEditText(alpha);
        // The user picks the suggestion with the keys, in the list that pops up.
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
        box->setFocus();
        Type(box, typed);
        QAbstractItemView *suggestions = box->completer()->popup();
        ASSERT_TRUE(suggestions->isVisible());
        QTest::keyClick(suggestions, Qt::Key_Down);
        QTest::keyClick(suggestions, Qt::Key_Return);
        QCoreApplication::processEvents();
        const SearchCriteria &searched = Doc().Search().criteria;
        const QString texts[] = {FromLocalText(TextField(searched.names)), FromLocalText(TextField(searched.words)),
                                 FromLocalText(TextField(searched.folders))};
        const QComboBox *shown[] = {Pane().NameBox(), Pane().WordsBox(), Pane().FolderBox()};
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(shown[i]->currentText(), texts[i]) << "after picking " << picked.toStdString();
        EXPECT_EQ(box->currentText(), picked);
        // Search again searches the same.
        PressSearch();
        EXPECT_EQ(box->currentText(), picked);
    }
}

TEST_F(SearchCommandTest, TheTitleTakesTheNamePartTheWordsPartAndTheLastFolder)
{
    tree.MakeFolder("Work");
    tree.MakeFolder("xy");
    ASSERT_NO_FATAL_FAILURE(StartShown());
    TypeCriteria(QStringLiteral("*.txt"), QStringLiteral("invoice"), QString::fromStdString(tree.Path("Work")));
    PressSearch();
    EXPECT_EQ(Doc().Title(), QStringLiteral("[.txt]  {invoice}  In Work"));

    TypeCriteria(QString(), QString(), QString::fromStdString(tree.Path("Work")));
    PressSearch();
    EXPECT_EQ(Doc().Title(), QStringLiteral("In Work"));

    TypeCriteria(QStringLiteral("a:b"), QString(), QString::fromStdString(tree.Path("x?y")));
    PressSearch();
    EXPECT_EQ(Doc().Title(), QStringLiteral("[ab]   In xy"));
    EXPECT_FALSE(Doc().IsModified()); // nothing was found
}

TEST_F(SearchCommandTest, AllThreeTextsEmptyRunAndKeepTheTitleAndTheHistories)
{
    ASSERT_NO_FATAL_FAILURE(StartShown());
    const QString title = Doc().Title();
    TypeCriteria(QString(), QString(), QString());
    PressSearch();
    EXPECT_EQ(Doc().Title(), title);
    EXPECT_TRUE(app->NamesHistory().Entries().empty());
    EXPECT_TRUE(app->WordsHistory().Entries().empty());
    EXPECT_TRUE(app->FoldersHistory().Entries().empty());
    EXPECT_EQ(Pane().SearchButton()->text(), LoadResString(str::kSearch));
}

TEST_F(SearchCommandTest, ADocumentOpenedFromAFileKeepsItsTitle)
{
    tree.WriteFile("work/a.txt", "x");
    const std::string file = tree.Path("saved.sifter");
    {
        FileSearch search;
        ASSERT_TRUE(SaveResultFile(search, file));
    }
    ASSERT_NO_FATAL_FAILURE(StartShown({QString::fromStdString(file)}));
    ASSERT_EQ(Doc().Title(), QStringLiteral("saved.sifter"));
    TypeCriteria(QStringLiteral("*.txt"), QString(), QString::fromStdString(tree.Path("work")));
    PressSearch();
    EXPECT_EQ(List().ItemCount(), 1);
    EXPECT_EQ(Doc().Title(), QStringLiteral("saved.sifter *"));
}

TEST_F(SearchCommandTest, PanelsShowAnOpenedFilesCriteriaAndTheirChoicesReachTheRun)
{
    tree.WriteFile("work/small.txt", "x");
    tree.WriteFile("work/large.txt", std::string(3000, 'x'));
    const std::string file = tree.Path("saved.sifter");
    {
        FileSearch search;
        search.criteria.wordMode = 2;
        search.criteria.sizeUnit = 1;
        search.criteria.sizeCompare1 = 2;
        search.criteria.sizeValue1 = 2048;
        ASSERT_TRUE(SaveResultFile(search, file));
    }
    ASSERT_NO_FATAL_FAILURE(StartShown({QString::fromStdString(file)}));
    const CriteriaPanels &panels = Pane().Panels();
    EXPECT_TRUE(panels.wordOptions->Controls().Find<QRadioButton>(ctl::wordopt::kExactPhrase)->isChecked());
    auto *value = panels.fileSize->Controls().Find<QLineEdit>(ctl::filesize::kValue1);
    EXPECT_EQ(value->text(), QStringLiteral("2048"));
    EXPECT_TRUE(value->isEnabled()); // the refresh ran the enabling rule

    // ">= 2048 bytes" as the file said finds the large file only; typing "1" instead of the
    // number finds both.
    TypeCriteria(QStringLiteral("*.txt"), QString(), QString::fromStdString(tree.Path("work")));
    PressSearch();
    ASSERT_EQ(List().ItemCount(), 1);
    EXPECT_EQ(Doc().Search().Head()->Name(), "large.txt");
    value->setText(QStringLiteral("1"));
    PressSearch();
    EXPECT_EQ(List().ItemCount(), 2);
    EXPECT_EQ(Doc().Search().criteria.sizeValue1, 1u);
    EXPECT_EQ(Doc().Search().criteria.wordMode, 2);
}

TEST_F(SearchCommandTest, StopInTheMiddleKeepsTheRowsFoundAndMarksTheDocument)
{
    const std::string folder = ManyFiles();
    ASSERT_NO_FATAL_FAILURE(StartShown());
    WatchingPump pump;
    QStringList captions;
    pump.when = [this] { return Doc().Search().CountFoundFiles() > 0; };
    pump.action = [&] {
        captions.append(Pane().SearchButton()->text());
        PressSearch();
        captions.append(Pane().SearchButton()->text());
        EXPECT_FALSE(Pane().SearchButton()->isEnabled()); // greyed while stopping
        // A third press while stopping changes nothing.
        QTest::keyClick(Pane().NameBox()->lineEdit(), Qt::Key_Return);
    };
    Pane().SetEventPump(&pump);
    TypeCriteria(QStringLiteral("*.txt"), QStringLiteral("needle"), QString::fromStdString(folder));
    PressSearch();

    ASSERT_TRUE(pump.acted);
    EXPECT_EQ(captions, QStringList({LoadResString(str::kStop), LoadResString(str::kStop)}));
    const std::size_t found = Doc().Search().CountFoundFiles();
    EXPECT_GT(found, 0u);
    EXPECT_LT(found, 4000u);
    EXPECT_EQ(static_cast<std::size_t>(List().ItemCount()), found);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(Pane().SearchButton()->text(), LoadResString(str::kSearch));
    EXPECT_TRUE(Pane().SearchButton()->isEnabled());
    EXPECT_EQ(Entries(app->WordsHistory()), std::vector<std::string>{"needle"});
}

// Answers every call with whether the document was in a run when it came.
class RunWitness final : public QDBusVirtualObject {
public:
    explicit RunWitness(const CSifterDoc &document) : document_(document) {}
    QString introspect(const QString &) const override { return {}; }
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        return connection.send(message.createReply(document_.Search().InRun()));
    }

private:
    const CSifterDoc &document_;
};

TEST_F(SearchCommandTest, TheRunsPumpAnswersDBusCalls)
{
    if (PrivateBus::Get().Address().isEmpty())
        GTEST_SKIP() << "no dbus-daemon";
    // A long run: every byte of a sparse file is read for the word.
    const std::string big = tree.Path("big/sparse.bin");
    tree.WriteFile("big/sparse.bin", "");
    ASSERT_EQ(truncate(big.c_str(), 1LL << 29), 0);
    ASSERT_NO_FATAL_FAILURE(StartShown());
    QDBusConnection service = QDBusConnection::connectToBus(PrivateBus::Get().Address(), QStringLiteral("witness"));
    RunWitness witness(Doc());
    ASSERT_TRUE(service.registerVirtualObject(QStringLiteral("/witness"), &witness));
    const QString serviceName = service.baseService();
    std::atomic<bool> answeredInRun{false};
    std::atomic<bool> done{false};
    std::thread caller([&] {
        QDBusConnection bus = QDBusConnection::connectToBus(PrivateBus::Get().Address(), QStringLiteral("asking"));
        const QDBusMessage ask =
            QDBusMessage::createMethodCall(serviceName, QStringLiteral("/witness"), QStringLiteral("w.W"), QStringLiteral("InRun"));
        while (!done && !answeredInRun) {
            const QDBusMessage reply = bus.call(ask, QDBus::Block, 20000);
            answeredInRun = reply.type() == QDBusMessage::ReplyMessage && reply.arguments().value(0).toBool();
        }
    });
    TypeCriteria(QString(), QStringLiteral("absentword"), QString::fromStdString(tree.Path("big")));
    PressSearch();
    done = true;
    caller.join();
    QDBusConnection::disconnectFromBus(QStringLiteral("asking"));
    service.unregisterObject(QStringLiteral("/witness"));
    QDBusConnection::disconnectFromBus(QStringLiteral("witness"));
    EXPECT_TRUE(answeredInRun);
}

TEST_F(SearchCommandTest, EscapeStopsARunningSearch)
{
    const std::string folder = ManyFiles();
    ASSERT_NO_FATAL_FAILURE(StartShown());
    WatchingPump pump;
    pump.action = [this] { QTest::keyClick(Pane().WordsBox()->lineEdit(), Qt::Key_Escape); };
    Pane().SetEventPump(&pump);
    TypeCriteria(QStringLiteral("*.txt"), QStringLiteral("needle"), QString::fromStdString(folder));
    PressSearch();
    ASSERT_TRUE(pump.acted);
    EXPECT_LT(Doc().Search().CountFoundFiles(), 4000u);
    // Without a run Escape stops nothing and starts nothing.
    QTest::keyClick(Pane().WordsBox()->lineEdit(), Qt::Key_Escape);
    EXPECT_EQ(Pane().SearchButton()->text(), LoadResString(str::kSearch));
}

TEST_F(SearchCommandTest, DuringARunTheStatusNamesTheFolderAndNewSearchIsRefused)
{
    const std::string folder = ManyFiles();
    ASSERT_NO_FATAL_FAILURE(StartShown());
    WatchingPump pump;
    QString status;
    std::size_t foundThen = 0;
    pump.when = [this] { return Doc().Search().CountFoundFiles() > 0; };
    pump.action = [&] {
        status = Frame().StatusBarPanes()->MessageText();
        foundThen = Doc().Search().CountFoundFiles();
        Frame().SendCommand(cmd::kFileNew);
        PressSearch();
    };
    Pane().SetEventPump(&pump);
    TypeCriteria(QStringLiteral("*.txt"), QStringLiteral("needle"), QString::fromStdString(folder));
    PressSearch();
    ASSERT_TRUE(pump.acted);
    EXPECT_TRUE(status.startsWith(QString::fromStdString(folder))) << status.toStdString();
    EXPECT_GE(Doc().Search().CountFoundFiles(), foundThen); // nothing was freed
    EXPECT_EQ(TextField(Doc().Search().criteria.words), "needle");
}

TEST_F(SearchCommandTest, SectionsOpenAndCloseDuringARun)
{
    const std::string folder = ManyFiles();
    ASSERT_NO_FATAL_FAILURE(StartShown());
    WatchingPump pump;
    bool shown = false;
    pump.action = [&] {
        QTest::mouseClick(Pane().SectionButton(CLeftView::kAttributes), Qt::LeftButton);
        shown = Pane().SectionPanel(CLeftView::kAttributes)->isVisible();
        PressSearch();
    };
    Pane().SetEventPump(&pump);
    TypeCriteria(QStringLiteral("*.txt"), QStringLiteral("needle"), QString::fromStdString(folder));
    PressSearch();
    EXPECT_TRUE(shown);
}

TEST_F(SearchCommandTest, BadInputGivesAFinishedRunWithNoRowsAndKeepsTheTexts)
{
    tree.WriteFile("work/a.txt", "abc");
    tree.WriteFile("work/g.txt", "ghij"); // found as text, but no hexadecimal
    const std::string file = tree.WriteFile("plain.txt", "abc");
    const std::string locked = tree.MakeFolder("locked");
    tree.WriteFile("locked/a.txt", "abc");
    ASSERT_NO_FATAL_FAILURE(StartShown());
    const struct {
        QString names, words, folders;
        bool hexadecimal;
    } cases[] = {
        {QStringLiteral("*.txt"), QString(), QString::fromStdString(file), false},
        {QStringLiteral("work/a.txt"), QString(), QString::fromStdString(tree.Root()), false},
        {QStringLiteral("*.txt"), QStringLiteral("ghij"), QString::fromStdString(tree.Path("work")), true},
        {QStringLiteral("*.txt"), QString(), QString::fromStdString(locked), false},
    };
    ASSERT_EQ(chmod(locked.c_str(), 0), 0);
    for (const auto &bad : cases) {
        if (&bad == &cases[3] && geteuid() == 0)
            continue; // root reads every folder
        Pane().Panels().wordOptions->Controls().Find<QCheckBox>(ctl::wordopt::kHexadecimal)->setChecked(bad.hexadecimal);
        TypeCriteria(bad.names, bad.words, bad.folders);
        PressSearch();
        EXPECT_EQ(List().ItemCount(), 0) << bad.names.toStdString() << " " << bad.folders.toStdString();
        EXPECT_EQ(Pane().SearchButton()->text(), LoadResString(str::kSearch));
        EXPECT_TRUE(app->NamesHistory().Contains(ToLocalText(bad.names)));
        EXPECT_TRUE(app->WordsHistory().Contains(ToLocalText(bad.words)));
        EXPECT_TRUE(app->FoldersHistory().Contains(ToLocalText(bad.folders)));
    }
    chmod(locked.c_str(), 0700); // for the tree's removal, which restores it anyway
}

TEST_F(SearchCommandTest, BoxesHoldNoMoreBytesThanTheirFieldsWithoutSplittingACharacter)
{
    ASSERT_NO_FATAL_FAILURE(StartShown());
    // Two bytes each in UTF-8: 511 bytes take 255 of them.
    const QString accents(400, QChar(0xE9));
    Pane().NameBox()->lineEdit()->setText(accents);
    EXPECT_EQ(Pane().NameBox()->currentText(), QString(255, QChar(0xE9)));
    Pane().WordsBox()->lineEdit()->setText(QString(509, QLatin1Char('w')));
    QTest::keyClicks(Pane().WordsBox()->lineEdit(), QStringLiteral("wwwww"));
    EXPECT_EQ(Pane().WordsBox()->currentText().size(), 511);
    Pane().FolderBox()->lineEdit()->setText(QString(2000, QLatin1Char('/')));
    EXPECT_EQ(Pane().FolderBox()->currentText().size(), 1023);
    PressSearch();
    EXPECT_EQ(FromLocalText(TextField(Doc().Search().criteria.names)), QString(255, QChar(0xE9)));
    EXPECT_EQ(TextField(Doc().Search().criteria.words).size(), 511u);
}

TEST_F(SearchCommandTest, BrowseOpensAtTheFolderTextAndFillsTheBox)
{
    ASSERT_NO_FATAL_FAILURE(StartShown());
    QStringList starts;
    QString answer = QStringLiteral("/chosen/folder");
    Pane().SetFolderPicker([&](QWidget *, const QString &title, const QString &start) {
        EXPECT_EQ(title, LoadResString(str::kChooseSearchFolder));
        starts.append(start);
        return answer;
    });
    Type(Pane().FolderBox(), QStringLiteral("~/Work"));
    QTest::mouseClick(Pane().BrowseButton(), Qt::LeftButton);
    EXPECT_EQ(Pane().FolderBox()->currentText(), answer);

    answer.clear(); // cancelled: the text stays
    QTest::mouseClick(Pane().BrowseButton(), Qt::LeftButton);
    EXPECT_EQ(Pane().FolderBox()->currentText(), QStringLiteral("/chosen/folder"));
    ASSERT_EQ(starts.size(), 2);
    EXPECT_EQ(starts[0], QDir::homePath() + QStringLiteral("/Work"));
    EXPECT_EQ(starts[1], QStringLiteral("/chosen/folder"));
}

TEST_F(SearchCommandTest, InvalidExpressionIsShownAndNothingRuns)
{
    tree.WriteFile("work/a.txt", "a");
    ASSERT_NO_FATAL_FAILURE(StartShown());
    Pane().NameExpressionBox()->setChecked(true);
    TypeCriteria(QStringLiteral("a(b"), QString(), QString::fromStdString(tree.Path("work")));
    PressSearch();
    ASSERT_EQ(prompts->errors.size(), 1);
    EXPECT_TRUE(prompts->errors.front().contains(QStringLiteral("missing ): a(b at position 2"))) << prompts->errors.front().toStdString();
    EXPECT_EQ(List().ItemCount(), 0);
    EXPECT_TRUE(Entries(app->NamesHistory()).empty()); // refused before the histories record it

    Type(Pane().NameBox(), QStringLiteral("^a\\.TXT$"));
    PressSearch();
    EXPECT_EQ(List().ItemCount(), 1);
}

} // namespace
} // namespace sifter::test
