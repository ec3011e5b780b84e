// SPDX-License-Identifier: GPL-3.0-or-later
// The program's message boxes with texts far longer than a screen holds: they stay within
// the screen and show the text's start and end.
#include "framework/user_prompts.h"
#include "support/qt_printers.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace sifter {
namespace {

struct ShownBox {
    QString text;
    QSize size;
    QSize screen;
};

// Runs ask, which opens a message box, and answers the box with its first button once it
// is shown; what the box showed.
ShownBox Shown(const std::function<void()> &ask)
{
    ShownBox shown;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shown = {box->text(), box->frameGeometry().size(), box->screen()->availableGeometry().size()};
        box->buttons().constFirst()->click();
    });
    ask();
    return shown;
}

// "Cannot delete /start/folder-0/folder-1/.../end." with a path of 44 KB.
QString LongMessage()
{
    QString path = QStringLiteral("/start");
    for (int i = 0; path.size() < 44 * 1024; ++i)
        path += QStringLiteral("/folder-%1").arg(i);
    return QStringLiteral("Cannot delete ") + path + QStringLiteral("/end.");
}

TEST(UserPrompts, EveryMessageBoxWithAHugePathStaysWithinTheScreenAndKeepsItsStartAndEnd)
{
    DialogPrompts prompts;
    bool forAll = false;
    const std::function<void()> boxes[] = {
        [&] { prompts.ShowError(LongMessage()); },
        [&] { prompts.ShowInformation(LongMessage()); },
        [&] { prompts.AskYesNo(LongMessage()); },
        [&] { prompts.AskWarningYesNo(LongMessage()); },
        [&] { prompts.AskWarningYesNoForAll(LongMessage(), forAll); },
        [&] { prompts.AskSaveChanges(LongMessage()); },
    };
    for (const auto &open : boxes) {
        const ShownBox box = Shown(open);
        EXPECT_TRUE(box.text.startsWith(QStringLiteral("Cannot delete /start/folder-0/")));
        EXPECT_TRUE(box.text.endsWith(QStringLiteral("/end.")));
        EXPECT_LE(box.size.height(), box.screen.height());
    }
}

} // namespace
} // namespace sifter
