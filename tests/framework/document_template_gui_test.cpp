// SPDX-License-Identifier: GPL-3.0-or-later
// The document commands: new, open, save, save as, the save-changes question, recent
// files, refusals while the document is busy, dropped files, closing the window.
#include "framework_fixture.h"

#include "support/qt_printers.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace sifter::test {
namespace {

class DocumentCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QApplication::setQuitOnLastWindowClosed(false);
        ASSERT_TRUE(app.InitInstance());
    }

    QString WriteText(const char *name, const char *text)
    {
        return QString::fromStdString(tree.WriteFile(name, text));
    }

    TempTree tree;
    TestApp app{tree.Path("config")};
};

TEST_F(DocumentCommandsTest, NewDocumentTakesTheBaseNameOfTheDocumentString)
{
    EXPECT_EQ(app.Doc().Title(), QStringLiteral("NewSearch"));
    EXPECT_TRUE(app.Doc().PathName().isEmpty());
    EXPECT_FALSE(app.Doc().IsModified());
    EXPECT_EQ(app.DocTemplate()->FileDialogFilter(), QStringLiteral("Sifter Result (*.sifter);;All Files (*)"));
}

TEST_F(DocumentCommandsTest, NewSearchAsksAboutAModifiedDocumentAndCancelKeepsIt)
{
    app.Doc().text = QStringLiteral("found");
    app.Doc().SetModifiedFlag(true);
    app.prompts->saveAnswer = UserPrompts::SaveChoice::kCancel;
    app.Frame().SendCommand(cmd::kFileNew);
    EXPECT_EQ(app.prompts->questions, QStringList{QStringLiteral("Save changes to NewSearch?")});
    EXPECT_EQ(app.Doc().text, QStringLiteral("found"));
    EXPECT_TRUE(app.Doc().IsModified());

    app.prompts->saveAnswer = UserPrompts::SaveChoice::kDiscard;
    app.Frame().SendCommand(cmd::kFileNew);
    EXPECT_TRUE(app.Doc().text.isEmpty());
    EXPECT_FALSE(app.Doc().IsModified());
    EXPECT_EQ(app.Doc().Title(), QStringLiteral("NewSearch"));
}

TEST_F(DocumentCommandsTest, AnsweringYesSavesUnderANewNameFirst)
{
    app.Doc().text = QStringLiteral("kept");
    app.Doc().SetModifiedFlag(true);
    app.prompts->saveAnswer = UserPrompts::SaveChoice::kSave;
    const QString target = QString::fromStdString(tree.Path("saved.sifter"));
    app.prompts->saveAnswerPath = target;
    app.Frame().SendCommand(cmd::kFileNew);
    EXPECT_EQ(app.prompts->proposedNames, QStringList{QStringLiteral("NewSearch.sifter")});
    EXPECT_EQ(app.prompts->saveSuffixes, QStringList{QStringLiteral("sifter")});
    QFile saved(target);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), QByteArray("kept"));
    EXPECT_TRUE(app.Doc().text.isEmpty()); // then the new document
    EXPECT_EQ(app.RecentFiles().Paths(), QStringList{QFileInfo(target).absoluteFilePath()});
}

TEST_F(DocumentCommandsTest, CancellingTheSaveDialogCancelsTheNewSearch)
{
    app.Doc().text = QStringLiteral("kept");
    app.Doc().SetModifiedFlag(true);
    app.prompts->saveAnswer = UserPrompts::SaveChoice::kSave;
    app.prompts->saveAnswerPath.reset();
    app.Frame().SendCommand(cmd::kFileNew);
    EXPECT_EQ(app.Doc().text, QStringLiteral("kept"));
    EXPECT_EQ(app.DocTemplate()->LastOutcome(), SingleDocTemplate::OpenOutcome::kCancelled);
}

TEST_F(DocumentCommandsTest, OpenSetsPathTitleAndRecentFile)
{
    const QString path = WriteText("sub/a.sifter", "alpha");
    app.prompts->openAnswer = path;
    app.Frame().SendCommand(cmd::kFileOpen);
    EXPECT_EQ(app.prompts->openFilters, QStringList{QStringLiteral("Sifter Result (*.sifter);;All Files (*)")});
    EXPECT_EQ(app.Doc().text, QStringLiteral("alpha"));
    EXPECT_EQ(app.Doc().PathName(), path);
    EXPECT_EQ(app.Doc().Title(), QStringLiteral("a.sifter"));
    EXPECT_EQ(app.RecentFiles().Paths(), QStringList{path});
}

TEST_F(DocumentCommandsTest, FailedOpenLeavesTheDocumentAsItWas)
{
    app.Doc().text = QStringLiteral("mine");
    app.Doc().SetTitle(QStringLiteral("Mine"));
    const int resets = app.Doc().resets;
    EXPECT_EQ(app.OpenDocumentFile(QString::fromStdString(tree.Path("missing.sifter"))), nullptr);
    EXPECT_EQ(app.DocTemplate()->LastOutcome(), SingleDocTemplate::OpenOutcome::kFailed);
    // The contents were reset before reading failed: the document starts over as a new one.
    EXPECT_GT(app.Doc().resets, resets);
    EXPECT_EQ(app.Doc().Title(), QStringLiteral("NewSearch"));
    EXPECT_TRUE(app.RecentFiles().Paths().isEmpty());
    EXPECT_TRUE(app.prompts->errors.isEmpty());
}

TEST_F(DocumentCommandsTest, OpeningTheDocumentsOwnFileAgainDoesNotReadItAgain)
{
    const QString path = WriteText("b.sifter", "first");
    ASSERT_NE(app.OpenDocumentFile(path), nullptr);
    app.Doc().text = QStringLiteral("changed in memory");
    EXPECT_EQ(app.OpenDocumentFile(path), &app.Doc());
    EXPECT_EQ(app.Doc().text, QStringLiteral("changed in memory"));
}

TEST_F(DocumentCommandsTest, SaveWritesTheDocumentsFileAndSaveAsProposesItsPath)
{
    const QString path = WriteText("c.sifter", "old");
    ASSERT_NE(app.OpenDocumentFile(path), nullptr);
    app.Doc().text = QStringLiteral("new");
    app.Doc().SetModifiedFlag(true);
    app.Frame().SendCommand(cmd::kFileSave);
    EXPECT_FALSE(app.Doc().IsModified());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("new"));
    EXPECT_TRUE(app.prompts->proposedNames.isEmpty());

    app.prompts->saveAnswerPath.reset();
    app.Frame().SendCommand(cmd::kFileSaveAs);
    EXPECT_EQ(app.prompts->proposedNames, QStringList{path});
}

TEST_F(DocumentCommandsTest, SaveToAReadOnlyFileAsksForANewName)
{
    const QString path = WriteText("ro.sifter", "old");
    ASSERT_NE(app.OpenDocumentFile(path), nullptr);
    QFile::setPermissions(path, QFile::ReadOwner);
    if (QFileInfo(path).isWritable())
        GTEST_SKIP() << "running with rights that ignore file permissions";
    app.prompts->saveAnswerPath.reset();
    app.Frame().SendCommand(cmd::kFileSave);
    EXPECT_EQ(app.prompts->proposedNames, QStringList{path});
}

TEST_F(DocumentCommandsTest, AFailedSaveIsReportedAndChangesNothing)
{
    app.Doc().text = QStringLiteral("x");
    app.Doc().SetModifiedFlag(true);
    const QString target = QString::fromStdString(tree.Path("no/such/folder/x.sifter"));
    app.prompts->saveAnswerPath = target;
    app.Frame().SendCommand(cmd::kFileSaveAs);
    ASSERT_EQ(app.prompts->errors.size(), 1);
    EXPECT_TRUE(app.prompts->errors.front().contains(target));
    EXPECT_TRUE(app.Doc().PathName().isEmpty());
    EXPECT_TRUE(app.Doc().IsModified());
    EXPECT_FALSE(QFileInfo::exists(target));
}

// The File menu as it opens (its update handlers run), from after "Properties": the texts
// of the shown items, "-" for separators, "(grey)" after a disabled item.
QStringList ShownRecentPart(TestFrame &frame, QList<QAction *> &items)
{
    QMenu *file = frame.menuBar()->actions().constFirst()->menu();
    file->popup(frame.mapToGlobal(QPoint(0, 0)));
    QStringList shown;
    items = file->actions().mid(file->actions().indexOf(frame.Actions().Action(cmd::kProperties)) + 1);
    items.removeIf([](const QAction *item) { return !item->isVisible(); });
    for (const QAction *item : items)
        shown.append(item->isSeparator() ? QStringLiteral("-") : item->text() + (item->isEnabled() ? "" : "(grey)"));
    file->hide();
    return shown;
}

TEST_F(DocumentCommandsTest, TheFileMenuShowsEveryRecentFileNewestFirstOrAGreyedPlaceholder)
{
    TestFrame &frame = app.Frame();
    frame.show();
    QList<QAction *> items;
    EXPECT_EQ(ShownRecentPart(frame, items), (QStringList{"-", "Recent File(grey)", "-", "E&xit\tCtrl+Q"}));

    for (const char *name : {"one.sifter", "two.sifter", "three.sifter"})
        app.OpenDocumentFile(WriteText(name, name));
    const QStringList shown = ShownRecentPart(frame, items);
    ASSERT_EQ(shown.size(), 6) << shown.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(shown[1].startsWith(QStringLiteral("&1 ")) && shown[1].endsWith(QStringLiteral("/three.sifter")));
    EXPECT_TRUE(shown[2].startsWith(QStringLiteral("&2 ")) && shown[2].endsWith(QStringLiteral("/two.sifter")));
    EXPECT_TRUE(shown[3].startsWith(QStringLiteral("&3 ")) && shown[3].endsWith(QStringLiteral("/one.sifter")));
    items[3]->trigger();
    EXPECT_EQ(app.Doc().PathName(), QString::fromStdString(tree.Path("one.sifter")));
}

TEST_F(DocumentCommandsTest, ARecentFileThatCannotBeOpenedLeavesTheList)
{
    const QString a = WriteText("gone.sifter", "1");
    const QString b = WriteText("stays.sifter", "2");
    app.OpenDocumentFile(a);
    app.OpenDocumentFile(b);
    QFile::remove(a);
    app.Frame().UpdateCommandUi();
    app.Frame().SendCommand(cmd::kFileMruFirst + 1);
    EXPECT_EQ(app.RecentFiles().Paths(), QStringList{b});
}

TEST_F(DocumentCommandsTest, ARecentFileWhoseOpeningWasCancelledStays)
{
    const QString a = WriteText("a.sifter", "1");
    const QString b = WriteText("b.sifter", "2");
    app.OpenDocumentFile(a);
    app.OpenDocumentFile(b);
    app.Doc().SetModifiedFlag(true);
    app.prompts->saveAnswer = UserPrompts::SaveChoice::kCancel;
    app.Frame().UpdateCommandUi();
    app.Frame().SendCommand(cmd::kFileMruFirst + 1);
    EXPECT_EQ(app.RecentFiles().Paths().size(), 2);
    EXPECT_EQ(app.Doc().PathName(), b);
}

TEST_F(DocumentCommandsTest, RecentFilesAreWrittenAtExitAndReadAtStart)
{
    const QString a = WriteText("kept.sifter", "1");
    app.OpenDocumentFile(a);
    app.ExitInstance(0);
    TestApp again(tree.Path("config"));
    ASSERT_TRUE(again.InitInstance());
    EXPECT_EQ(again.RecentFiles().Paths(), QStringList{a});
}

TEST_F(DocumentCommandsTest, ABusyDocumentRefusesNewAndOpen)
{
    app.Doc().text = QStringLiteral("in use");
    app.Doc().busy = true;
    TestFrame &frame = app.Frame();
    frame.UpdateCommandUi();
    EXPECT_FALSE(frame.Actions().Action(cmd::kFileNew)->isEnabled());
    EXPECT_FALSE(frame.Actions().Action(cmd::kFileOpen)->isEnabled());
    EXPECT_FALSE(frame.SendCommand(cmd::kFileNew));
    EXPECT_EQ(app.OpenDocumentFile(WriteText("x.sifter", "x")), nullptr);
    EXPECT_EQ(app.DocTemplate()->LastOutcome(), SingleDocTemplate::OpenOutcome::kRefused);
    EXPECT_EQ(app.Doc().text, QStringLiteral("in use"));
    app.OnFileOpen();
    EXPECT_TRUE(app.prompts->openFilters.isEmpty());
}

TEST_F(DocumentCommandsTest, ClosingWhileBusyWaitsUntilTheDocumentIsFree)
{
    TestFrame &frame = app.Frame();
    frame.show();
    app.Doc().busy = true;
    EXPECT_FALSE(frame.close());
    EXPECT_TRUE(frame.isVisible());
    EXPECT_TRUE(frame.ClosePending());
    EXPECT_EQ(frame.busyCloses, 1);
    QTest::qWait(60);
    EXPECT_TRUE(frame.isVisible()); // still busy
    app.Doc().busy = false;
    EXPECT_TRUE(QTest::qWaitFor([&frame] { return !frame.isVisible(); }, 2000));
    EXPECT_EQ(frame.closings, 1);
}

TEST_F(DocumentCommandsTest, ClosingAsksToSaveAndCancelKeepsTheWindow)
{
    TestFrame &frame = app.Frame();
    frame.show();
    app.Doc().SetModifiedFlag(true);
    app.prompts->saveAnswer = UserPrompts::SaveChoice::kCancel;
    app.Frame().SendCommand(cmd::kAppExit);
    EXPECT_TRUE(frame.isVisible());
    EXPECT_EQ(frame.closings, 0);
    app.prompts->saveAnswer = UserPrompts::SaveChoice::kDiscard;
    app.Frame().SendCommand(cmd::kAppExit);
    EXPECT_FALSE(frame.isVisible());
    EXPECT_EQ(frame.closings, 1);
}

TEST_F(DocumentCommandsTest, DroppedFilesAreOpenedInTurnAndTheLastGoodOneStays)
{
    const QString a = WriteText("d1.sifter", "one");
    const QString b = WriteText("d2.sifter", "two");
    TestFrame &frame = app.Frame();
    frame.show();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b),
                  QUrl::fromLocalFile(QString::fromStdString(tree.Path("none.sifter")))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &drop);
    EXPECT_TRUE(drop.isAccepted());
    QTest::qWait(20);
    // The missing third file reset the contents, so the document starts over (as the
    // document's own refusal rules decide); the recent list has the two that opened.
    EXPECT_EQ(app.RecentFiles().Paths(), (QStringList{b, a}));
}

} // namespace
} // namespace sifter::test
