// SPDX-License-Identifier: GPL-3.0-or-later
// The progress window of Copy to Folder and Move To Folder as the transfer's sink: it stays
// hidden for quick work, shows the entry and the count once the work lasts, and its Cancel,
// clicked while the transfer keeps calling Progress, stops the transfer promptly.
#include "fileops/transfer_progress_dialog.h"

#include "framework/string_resources.h"
#include "support/fake_prompts.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

namespace sifter::test {
namespace {

using namespace std::chrono_literals;

class TransferProgressDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner.resize(300, 200);
        owner.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    }

    // Calls Progress every millisecond, as a transfer does at each entry, for at most limit;
    // once the window is up, onShown runs (once). Returns how long after onShown Progress said
    // to stop; -1 when it never did.
    qint64 DriveUntilStopped(TransferProgressDialog &dialog, std::chrono::milliseconds limit,
                             const std::function<void()> &onShown)
    {
        QElapsedTimer clock;
        clock.start();
        qint64 shownAt = -1;
        TransferProgress progress{"/data/big file.bin", 2, 5, 300, 1000};
        while (clock.elapsed() < limit.count()) {
            if (!dialog.Progress(progress))
                return shownAt < 0 ? -1 : clock.elapsed() - shownAt;
            if (shownAt < 0 && dialog.isVisible()) {
                shownAt = clock.elapsed();
                onShown();
            }
            QThread::msleep(1);
        }
        return -1;
    }

    QWidget owner;
    FakePrompts prompts;
};

TEST_F(TransferProgressDialogTest, QuickWorkNeverShowsTheWindow)
{
    TransferProgressDialog dialog(TransferKind::kCopy, QStringLiteral("/dest"), prompts, &owner);
    TransferProgress progress;
    progress.filesTotal = 100;
    for (; progress.filesDone < 100; ++progress.filesDone)
        ASSERT_TRUE(dialog.Progress(progress));
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(TransferProgressDialogTest, LastingWorkShowsTheEntryAndTheCountModally)
{
    TransferProgressDialog dialog(TransferKind::kMove, QStringLiteral("/dest"), prompts, &owner);
    dialog.SetShowDelay(30ms);
    bool seen = false;
    DriveUntilStopped(dialog, 2s, [&] {
        seen = true;
        EXPECT_EQ(dialog.windowTitle(), LoadResString(str::kMovingTitle));
        EXPECT_EQ(dialog.CurrentText(), QStringLiteral("/data/big file.bin"));
        EXPECT_EQ(dialog.CountText(), QStringLiteral("File 3 of 5"));
        EXPECT_TRUE(dialog.isModal());
        dialog.CancelButton()->click();
    });
    EXPECT_TRUE(seen);
}

TEST_F(TransferProgressDialogTest, CancelClickedDuringTheWorkStopsItWithin100Milliseconds)
{
    TransferProgressDialog dialog(TransferKind::kCopy, QStringLiteral("/dest"), prompts, &owner);
    dialog.SetShowDelay(30ms);
    // The click comes from the event loop, as a user's would, while Progress keeps being called.
    const qint64 answeredAfter = DriveUntilStopped(dialog, 3s, [&] {
        QTimer::singleShot(0, &dialog, [&] { QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton); });
    });
    ASSERT_GE(answeredAfter, 0);
    EXPECT_LT(answeredAfter, 100);
    EXPECT_TRUE(dialog.Cancelled());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.Progress(TransferProgress{}));
}

TEST_F(TransferProgressDialogTest, EscapeCancelsToo)
{
    TransferProgressDialog dialog(TransferKind::kCopy, QStringLiteral("/dest"), prompts, &owner);
    dialog.SetShowDelay(0ms);
    const qint64 answeredAfter = DriveUntilStopped(dialog, 3s, [&] {
        QTimer::singleShot(0, &dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); });
    });
    EXPECT_GE(answeredAfter, 0);
    EXPECT_TRUE(dialog.Cancelled());
}

TEST_F(TransferProgressDialogTest, AConflictAsksWithTheNameAndTheFolderOfTheTarget)
{
    TransferProgressDialog dialog(TransferKind::kCopy, QStringLiteral("/dest"), prompts, &owner);
    prompts.conflictAnswers = {ConflictAnswer::kRename, ConflictAnswer::kReplace};
    prompts.conflictApplyToAll = {false, true};
    bool applyToAll = true;
    EXPECT_EQ(dialog.AskConflict("/src/report.txt", "/dest/report.txt", false, applyToAll), ConflictAnswer::kRename);
    EXPECT_FALSE(applyToAll);
    EXPECT_EQ(dialog.AskConflict("/src/photos", "/dest/sub/photos", true, applyToAll), ConflictAnswer::kReplace);
    EXPECT_TRUE(applyToAll);
    EXPECT_EQ(prompts.conflictQuestions, (QStringList{QStringLiteral("report.txt|/dest|file"),
                                                      QStringLiteral("photos|/dest/sub|folder")}));
}

} // namespace
} // namespace sifter::test
