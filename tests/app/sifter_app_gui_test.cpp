// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and exit of the program: settings and histories loaded before the window
// exists, the result file and the folder option of the command line, the About box and
// the web links.
#include "frame/about_dialog.h"
#include "frame/static_splitter.h"
#include "framework/command_actions.h"
#include "framework/dialog_units.h"
#include "framework/link_button.h"
#include "framework/recent_file_list.h"
#include "pane/left_view.h"
#include "registry/registry_store.h"
#include "res/links.h"
#include "results/sifter_view.h"
#include "search/text_field.h"
#include "stores/result_file.h"
#include "support/qt_printers.h"
#include "support/sifter_app_fixture.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace sifter::test {
namespace {

class SifterAppTest : public SifterAppFixture {
protected:
    QString ResultFile(const char *name, int count)
    {
        FileSearch search;
        SetTextField(search.criteria.folders, "/srv/data");
        for (int i = 0; i < count; ++i) {
            auto record = std::make_unique<FoundFile>();
            record->SetName("f" + std::to_string(i));
            record->SetFolder("/srv/data");
            search.AppendFoundFile(std::move(record));
        }
        const std::string path = tree.Path(name);
        EXPECT_TRUE(SaveResultFile(search, path));
        return QString::fromStdString(path);
    }

    QString FolderBoxText() const { return Frame().GetLeftView()->FolderBox()->currentText(); }
};

TEST_F(SifterAppTest, StartsWithANewDocumentAndAVisibleWindow)
{
    ASSERT_TRUE(Start());
    EXPECT_TRUE(Frame().isVisible());
    EXPECT_EQ(Doc().Title(), QStringLiteral("NewSearch"));
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("NewSearch - Sifter"));
    EXPECT_EQ(Frame().GetResultsView()->ItemCount(), 0);
    EXPECT_FALSE(Frame().windowIcon().isNull());
}

TEST_F(SifterAppTest, SettingsAndHistoriesAreLoadedBeforeTheWindowIsMade)
{
    {
        RegistryStore store = SettingsStore();
        LayoutSettings settings;
        settings.widthLeftPanel = 222;
        ASSERT_TRUE(settings.SaveLayoutSettings(store));
        CSearchHistory words("Words");
        words.AddEntry("invoice");
        ASSERT_TRUE(words.Save(store));
        CSearchHistory folders("Folders");
        folders.AddEntry("/srv");
        ASSERT_TRUE(folders.Save(store));
    }
    ASSERT_TRUE(Start());
    EXPECT_EQ(app->WordsHistory().Entries(), std::vector<std::string>{"invoice"});
    EXPECT_EQ(app->FoldersHistory().Entries(), std::vector<std::string>{"/srv"});
    EXPECT_TRUE(app->NamesHistory().Entries().empty());
    EXPECT_EQ(app->WordsHistory().Name(), "Words");
    QTest::qWait(20);
    EXPECT_EQ(Frame().Splitter()->FirstColumnWidth(), 222);
}

TEST_F(SifterAppTest, AResultFileOnTheCommandLineOpensAsTheDocument)
{
    const QString file = ResultFile("given.sifter", 3);
    ASSERT_TRUE(Start({file}));
    EXPECT_EQ(Doc().PathName(), file);
    EXPECT_EQ(Doc().Title(), QStringLiteral("given.sifter"));
    EXPECT_EQ(Frame().GetResultsView()->ItemCount(), 3);
    EXPECT_EQ(FolderBoxText(), QStringLiteral("/srv/data"));
    EXPECT_EQ(app->RecentFiles().Paths(), QStringList{file});
}

TEST_F(SifterAppTest, AFileThatIsNotAResultFileLeavesANewDocumentAndSaysWhy)
{
    const QString text = QString::fromStdString(tree.WriteFile("notes.txt", "just text"));
    ASSERT_TRUE(Start({text}));
    EXPECT_TRUE(Frame().isVisible());
    EXPECT_EQ(Doc().Title(), QStringLiteral("NewSearch"));
    EXPECT_TRUE(Doc().PathName().isEmpty());
    ASSERT_EQ(prompts->errors.size(), 1);
    EXPECT_EQ(prompts->errors.front(), QStringLiteral("Could not open %1: it is not a Sifter result file.").arg(text));
    EXPECT_TRUE(prompts->questions.isEmpty());
    EXPECT_TRUE(app->RecentFiles().Paths().isEmpty());

    app.reset();
    const QString missing = QString::fromStdString(tree.Path("missing.sifter"));
    ASSERT_TRUE(Start({missing}));
    EXPECT_EQ(Doc().Title(), QStringLiteral("NewSearch"));
    ASSERT_EQ(prompts->errors.size(), 1);
    EXPECT_EQ(prompts->errors.front(), QStringLiteral("Could not open %1: No such file or directory.").arg(missing));
}

TEST_F(SifterAppTest, FolderOptionFillsSearchInAndTitlesTheDocumentWithoutSearching)
{
    ASSERT_TRUE(Start({"/f:/home/me/Work"}));
    EXPECT_EQ(FolderBoxText(), QStringLiteral("/home/me/Work"));
    EXPECT_EQ(Frame().GetLeftView()->FolderText(), QStringLiteral("/home/me/Work"));
    EXPECT_EQ(Doc().Title(), QStringLiteral("In Work"));
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(Frame().GetResultsView()->ItemCount(), 0);
    EXPECT_FALSE(Doc().Search().Running());
}

TEST_F(SifterAppTest, TheLowerCaseOptionWinsOverAnEarlierUpperCaseOne)
{
    ASSERT_TRUE(Start({"/F:/first", "/f:/second/Place"}));
    EXPECT_EQ(FolderBoxText(), QStringLiteral("/second/Place"));
    EXPECT_EQ(Doc().Title(), QStringLiteral("In Place"));

    app.reset();
    ASSERT_TRUE(Start({"/F:/only/Upper"}));
    EXPECT_EQ(FolderBoxText(), QStringLiteral("/only/Upper"));
}

TEST_F(SifterAppTest, AnEmptyFolderOptionChangesNothing)
{
    ASSERT_TRUE(Start({"/f:"}));
    EXPECT_TRUE(FolderBoxText().isEmpty());
    EXPECT_EQ(Doc().Title(), QStringLiteral("NewSearch"));

    app.reset();
    ASSERT_TRUE(Start({"/f:\"\""}));
    EXPECT_TRUE(FolderBoxText().isEmpty());
    EXPECT_EQ(Doc().Title(), QStringLiteral("NewSearch"));
}

TEST_F(SifterAppTest, AResultFileKeepsItsTitleWhenTheFolderOptionFollows)
{
    const QString file = ResultFile("kept.sifter", 1);
    ASSERT_TRUE(Start({file, "/f:/elsewhere/Dir"}));
    EXPECT_EQ(FolderBoxText(), QStringLiteral("/elsewhere/Dir"));
    EXPECT_EQ(Doc().Title(), QStringLiteral("kept.sifter"));
    EXPECT_EQ(Doc().PathName(), file);
}

TEST_F(SifterAppTest, TextAfterTheFolderBelongsToTheFolder)
{
    ASSERT_TRUE(Start({"/f:/data/My", "Work"}));
    EXPECT_EQ(FolderBoxText(), QStringLiteral("/data/My Work"));
    EXPECT_EQ(Doc().Title(), QStringLiteral("In My Work"));
    EXPECT_TRUE(Doc().PathName().isEmpty());
}

TEST_F(SifterAppTest, AFilePathHoldingTheOptionsLettersOpensAndLeavesSearchInAlone)
{
    tree.MakeFolder("data/F:old");
    const QString file = ResultFile("data/F:old/r.sifter", 2);
    ASSERT_TRUE(Start({file}));
    EXPECT_EQ(Doc().PathName(), file);
    EXPECT_EQ(Frame().GetResultsView()->ItemCount(), 2);
    EXPECT_EQ(FolderBoxText(), QStringLiteral("/srv/data"));
    EXPECT_EQ(Doc().Title(), QStringLiteral("r.sifter"));
}

TEST_F(SifterAppTest, TheRootFolderAndQuotedFolders)
{
    ASSERT_TRUE(Start({"/f:/"}));
    EXPECT_EQ(FolderBoxText(), QStringLiteral("/"));
    EXPECT_EQ(Doc().Title(), QStringLiteral("In"));

    app.reset();
    ASSERT_TRUE(Start({"/f:\"/srv/two words\""}));
    EXPECT_EQ(FolderBoxText(), QStringLiteral("/srv/two words"));
    EXPECT_EQ(Doc().Title(), QStringLiteral("In two words"));
}

TEST_F(SifterAppTest, ExitSavesTheLayoutSettings)
{
    ASSERT_TRUE(Start());
    app->Settings().widthLeftPanel = 301;
    app->Settings().style = 3;
    Stop();
    RegistryStore store = SettingsStore();
    LayoutSettings saved;
    EXPECT_TRUE(saved.LoadLayoutSettings(store));
    EXPECT_EQ(saved.style, 3u);
}

TEST_F(SifterAppTest, SigtermClosesAsExitDoesAndEverythingIsWritten)
{
    const QString one = ResultFile("one.sifter", 1);
    const QString two = ResultFile("two.sifter", 2);
    ASSERT_TRUE(Start({one}));
    app->OpenDocumentFile(two);
    Frame().setGeometry(40, 50, 620, 430);
    Doc().SetModifiedFlag(true);
    // As the program's main runs: the event loop until it ends (or 5 s pass), then the exit.
    QTimer::singleShot(0, [] { std::raise(SIGTERM); });
    QTimer guard;
    guard.callOnTimeout([] { QCoreApplication::exit(99); });
    guard.start(5000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(prompts->questions.isEmpty());
    app->ExitInstance(0);
    app.reset();
    struct sigaction handler {};
    sigaction(SIGTERM, nullptr, &handler);
    EXPECT_EQ(handler.sa_handler, SIG_DFL);

    RegistryStore store = SettingsStore();
    LayoutSettings saved;
    saved.LoadLayoutSettings(store);
    EXPECT_EQ(QRect(saved.x, saved.y, saved.width, saved.height), QRect(40, 50, 620, 430));
    RecentFileList recent(res::kRecentFileCount);
    recent.ReadList(store, std::string(kProgramRegistryKey));
    EXPECT_EQ(recent.Paths(), (QStringList{two, one}));
}

TEST_F(SifterAppTest, ASignalCancelsAnOpenDialogFirst)
{
    ASSERT_TRUE(Start());
    QTimer::singleShot(0, [] { std::raise(SIGHUP); });
    QTimer guard; // closes the box should the signal not
    guard.callOnTimeout([] {
        if (QWidget *box = QApplication::activeModalWidget())
            box->close();
    });
    guard.start(3000);
    Frame().SendCommand(cmd::kAppAbout); // returns once the signal has cancelled the box
    EXPECT_TRUE(QTest::qWaitFor([this] { return !Frame().isVisible(); }, 2000));
}

TEST_F(SifterAppTest, ASettingsFileTooLargeToBeOneIsNamedAtStartAndLeftAsItIs)
{
    const std::string path = tree.WriteFile("config/Norvane/Sifter/HKEY_CURRENT_USER.reg", "REGEDIT4\n");
    ASSERT_EQ(truncate(path.c_str(), kMaxRegistryFileBytes + 1), 0);
    ASSERT_TRUE(Start());
    EXPECT_TRUE(QTest::qWaitFor([this] { return !prompts->errors.isEmpty(); }, 1000));
    QTest::qWait(20);
    ASSERT_EQ(prompts->errors.size(), 1);
    EXPECT_EQ(prompts->errors.front(),
              QStringLiteral("Some of your settings are in a file larger than a settings file can be (64 MB), so "
                             "Sifter did not read it and leaves it as it is; settings changed now are not saved:\n") +
                  QString::fromStdString(path));
    Stop();
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_size, kMaxRegistryFileBytes + 1);
}

TEST_F(SifterAppTest, ASettingsFileSetAsideAtStartIsNamedOnce)
{
    const QString folder = QString::fromStdString(tree.Path("config/Norvane/Sifter/"));
    tree.WriteFile("config/Norvane/Sifter/HKEY_CURRENT_USER.reg", "not a settings file\n");
    ASSERT_TRUE(Start());
    EXPECT_TRUE(QTest::qWaitFor([this] { return !prompts->errors.isEmpty(); }, 1000));
    QTest::qWait(20);
    ASSERT_EQ(prompts->errors.size(), 1);
    const QString message = prompts->errors.front();
    QFile kept(message.mid(message.indexOf(folder + QStringLiteral("HKEY_CURRENT_USER.reg.broken-"))));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly)) << message.toStdString();
    EXPECT_EQ(kept.readAll(), QByteArray("not a settings file\n"));
    Stop();

    // A good file says nothing; one with lines that cannot be read is copied when the start
    // writes it (here: the layout key it lacks), and that copy is named.
    ASSERT_TRUE(Start());
    QTest::qWait(20);
    EXPECT_TRUE(prompts->errors.isEmpty());
    Stop();
    tree.WriteFile("config/Norvane/Sifter/HKEY_CURRENT_USER.reg", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Other]\r\ngarbage\r\n");
    ASSERT_TRUE(Start());
    EXPECT_TRUE(QTest::qWaitFor([this] { return !prompts->errors.isEmpty(); }, 1000));
    EXPECT_TRUE(prompts->errors.front().contains(folder + QStringLiteral("HKEY_CURRENT_USER.reg.kept-")));
}

TEST_F(SifterAppTest, HelpAndWebSiteOpenTheirAddresses)
{
    ASSERT_TRUE(Start());
    Frame().SendCommand(cmd::kHelpIndex);
    Frame().SendCommand(cmd::kWebSite);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_TRUE(opened[0].isLocalFile());
    EXPECT_TRUE(opened[0].toLocalFile().endsWith(QStringLiteral("user-guide.html")));
    EXPECT_EQ(opened[0].toLocalFile(), FindUserGuide(QCoreApplication::applicationDirPath()));
    EXPECT_EQ(opened[1], QUrl(app->WebSiteAddress()));
    EXPECT_EQ(opened[0], QUrl(app->OnlineHelpAddress()));
}

TEST_F(SifterAppTest, F1OpensTheUserGuideAndLeavesTheWindowAsItWas)
{
    ASSERT_TRUE(Start());
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    Frame().UpdateCommandUi();
    const QString title = Frame().windowTitle();
    QTest::keyClick(Frame().GetResultsView(), Qt::Key_F1);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl(app->OnlineHelpAddress()));
    EXPECT_TRUE(Frame().isVisible());
    EXPECT_EQ(Frame().windowTitle(), title);
}

TEST_F(SifterAppTest, TheGuideIsLookedForWhereInstallingPutsItThenBesideTheProgram)
{
    const std::string installed = tree.Path("prefix/bin/") + UserGuideRelativeToProgram();
    const QString bin = QString::fromStdString(tree.MakeFolder("prefix/bin"));
    const QString installedGuide = QDir::cleanPath(QString::fromStdString(installed));
    EXPECT_EQ(FindUserGuide(bin), installedGuide);
    tree.WriteFile("prefix/bin/user-guide.html", "beside");
    EXPECT_EQ(FindUserGuide(bin), bin + QStringLiteral("/user-guide.html"));
    tree.WriteFile(installed.substr(tree.Root().size() + 1), "installed");
    EXPECT_EQ(FindUserGuide(bin), installedGuide);
}

TEST_F(SifterAppTest, AboutBoxShortensALongAddressInItsMiddle)
{
    ASSERT_TRUE(Start());
    CAboutDialog dialog(QStringLiteral("file:///") + QString(300, QLatin1Char('d')) + QStringLiteral("/user-guide.html"),
                        app->WebSiteAddress(), {}, &Frame());
    dialog.show();
    const QString shown = dialog.OnlineHelpLink()->ShownText();
    EXPECT_LT(shown.size(), 300);
    EXPECT_TRUE(shown.startsWith(QStringLiteral("file:///d")));
    EXPECT_TRUE(shown.endsWith(QStringLiteral("/user-guide.html")));
    EXPECT_EQ(dialog.WebSiteLink()->ShownText(), app->WebSiteAddress());
}

TEST_F(SifterAppTest, AboutBoxShowsItsTextAndItsLinksRunTheCommandsWithoutClosingIt)
{
    ASSERT_TRUE(Start());
    bool inspected = false;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<CAboutDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        inspected = true;
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("About Sifter"));
        EXPECT_TRUE(dialog->TextBox()->toPlainText().startsWith(QStringLiteral("Sifter version ")));
        EXPECT_TRUE(dialog->TextBox()->isReadOnly());
        EXPECT_EQ(dialog->WebSiteLink()->text(), app->WebSiteAddress());
        EXPECT_EQ(dialog->OnlineHelpLink()->text(), app->OnlineHelpAddress());
        EXPECT_TRUE(dialog->WebSiteLink()->Underline());
        EXPECT_FALSE(dialog->WebSiteLink()->Bold());
        EXPECT_EQ(dialog->WebSiteLink()->TextAlignment(), CLinkButton::kLeft);
        EXPECT_TRUE(dialog->OkButton()->isDefault());
        EXPECT_EQ(dialog->focusWidget(), static_cast<QWidget *>(dialog->OkButton()));
        dialog->WebSiteLink()->click();
        dialog->OnlineHelpLink()->click();
        EXPECT_TRUE(dialog->isVisible());
        dialog->OkButton()->click();
    });
    Frame().SendCommand(cmd::kAppAbout);
    EXPECT_TRUE(inspected);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], QUrl(app->WebSiteAddress()));
    EXPECT_EQ(opened[1], QUrl(app->OnlineHelpAddress()));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(SifterAppTest, AboutBoxIsLaidOutInDialogUnitsOfItsFont)
{
    ASSERT_TRUE(Start());
    CAboutDialog dialog(QStringLiteral("file:///guide.html"), QStringLiteral("https://example.org/"), {});
    const DialogUnits units(dialog.font());
    EXPECT_EQ(dialog.size(), units.ToPixels(199, 138));
    EXPECT_EQ(dialog.OkButton()->geometry(), units.ToPixels(144, 119, 50, 14));
    EXPECT_EQ(dialog.TextBox()->geometry(), units.ToPixels(5, 27, 189, 63));
    EXPECT_EQ(dialog.WebSiteLink()->geometry(), units.ToPixels(64, 104, 130, 11));
    EXPECT_EQ(dialog.AboutText(), dialog.TextBox()->toPlainText());
}

} // namespace
} // namespace sifter::test
