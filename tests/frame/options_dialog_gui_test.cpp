// SPDX-License-Identifier: GPL-3.0-or-later
// Tools > Options: the dialog's buttons write the registry keys, then do the desktop's side,
// then give the one message, then read again what is in place; the two lines say what the
// desktop reports, failures included; Close, Escape and Enter end it.
#include "frame/options_desktop.h"
#include "frame/options_dialog.h"
#include "framework/command_actions.h"
#include "framework/string_resources.h"
#include "registry/registry_store.h"
#include "support/fake_prompts.h"
#include "support/sifter_app_fixture.h"
#include "support/temp_tree.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace sifter {
namespace {

using test::FakePrompts;
using test::TempTree;

constexpr const char *kProgram = "/opt/sifter/bin/sifter";

bool HasKey(RegistryStore &store, std::string_view path)
{
    RegistryKey key;
    return store.OpenKey(RegistryRoot::ClassesRoot, path, key);
}

// Reports the state it is given and records each call as "name", plus, for the actions, what
// the store and the prompts held at that moment.
class FakeDesktop final : public OptionsDesktop {
public:
    FakeDesktop(RegistryStore &store, FakePrompts &prompts) : store_(store), prompts_(prompts) {}

    std::string ProgramPath() override { return kProgram; }
    bool RegisterFileType(std::string &error) override { return Act("register", error); }
    bool UnregisterFileType(std::string &error) override { return Act("unregister", error); }
    FileTypeState ReadFileTypeState() override
    {
        calls.push_back("read type after " + std::to_string(prompts_.informations.size()) + " messages");
        return typeState;
    }
    bool AddFolderActions(std::vector<std::string> &errors) override { return Act("add", errors); }
    bool RemoveFolderActions(std::vector<std::string> &errors) override { return Act("remove", errors); }
    FolderActionState ReadFolderActionState() override
    {
        calls.push_back("read actions");
        return actionState;
    }
    std::string FileManagerName(FileManagerKind kind) override
    {
        static constexpr const char *kNames[] = {"Dolphin", "Nautilus", "Nemo", "Thunar"};
        return kNames[static_cast<int>(kind)];
    }

    FileTypeState typeState;
    FolderActionState actionState;
    std::string failure;  // what the next action fails with; empty: it succeeds
    std::vector<std::string> calls;

private:
    template <typename Errors>
    bool Act(const std::string &name, Errors &errors)
    {
        calls.push_back(name + (HasKey(store_, "Sifter.Document") ? " type key" : " no type key") +
                        (HasKey(store_, "Folder\\Shell\\Sifter") ? " verb key" : " no verb key") + " after " +
                        std::to_string(prompts_.informations.size()) + " messages");
        if (failure.empty())
            return true;
        if constexpr (std::is_same_v<Errors, std::string>)
            errors = failure;
        else
            errors.push_back(failure);
        return false;
    }

    RegistryStore &store_;
    FakePrompts &prompts_;
};

class OptionsDialogTest : public ::testing::Test {
protected:
    // Shows the dialog with the state the desktop reports now.
    void Open()
    {
        dialog = std::make_unique<COptionsDialog>(store, &desktop, prompts);
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }

    void Click(int id) { QTest::mouseClick(dialog->Button(id), Qt::LeftButton); }

    TempTree tree;
    RegistryStore store{tree.Path("config")};
    FakePrompts prompts;
    FakeDesktop desktop{store, prompts};
    std::unique_ptr<COptionsDialog> dialog;
};

TEST_F(OptionsDialogTest, OpensWithTheFocusOnRegisterAndTheStateOfBothGroups)
{
    desktop.typeState.registered = true;
    desktop.typeState.isDefault = true;
    desktop.actionState.installed = {FileManagerKind::kDolphin, FileManagerKind::kThunar};
    Open();

    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Options"));
    EXPECT_FALSE(dialog->windowIcon().isNull());
    EXPECT_EQ(dialog->focusWidget(), dialog->Button(ctl::options::kRegister));
    EXPECT_FALSE(dialog->Button(ctl::kIdOk)->isVisible());
    EXPECT_EQ(dialog->FileTypeLine()->text(), QStringLiteral("Registered: .sifter opens in Sifter"));
    EXPECT_EQ(dialog->FolderActionLine()->text(), QStringLiteral("Folder action installed for: Dolphin, Thunar"));
    EXPECT_TRUE(prompts.informations.isEmpty());
}

TEST_F(OptionsDialogTest, EachButtonDoesTheKeysThenTheDesktopThenTheMessageThenReadsTheStateAgain)
{
    Open();
    const QString done = LoadResString(str::kOperationDone);
    struct Case {
        int button;
        std::string action;
    };
    const Case cases[] = {
        {ctl::options::kRegister, "register type key no verb key after 0 messages"},
        {ctl::options::kAddVerb, "add type key verb key after 1 messages"},
        {ctl::options::kUnregister, "unregister no type key verb key after 2 messages"},
        {ctl::options::kRemoveVerb, "remove no type key no verb key after 3 messages"},
        // Remove again, with nothing to remove, still says the same.
        {ctl::options::kRemoveVerb, "remove no type key no verb key after 4 messages"},
    };
    int messages = 0;
    for (const Case &step : cases) {
        desktop.calls.clear();
        Click(step.button);
        ++messages;
        EXPECT_EQ(desktop.calls, (std::vector<std::string>{step.action, "read type after " + std::to_string(messages) +
                                                                            " messages",
                                                           "read actions"}));
        ASSERT_EQ(prompts.informations.size(), messages);
        EXPECT_EQ(prompts.informations.back(), done);
    }
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(OptionsDialogTest, RegisterWritesTheKeysWithTheDesktopsProgramPath)
{
    Open();
    Click(ctl::options::kRegister);
    Click(ctl::options::kAddVerb);

    RegistryStore fresh(tree.Path("config"));
    RegistryKey key;
    RegistryType type{};
    std::string data;
    ASSERT_TRUE(fresh.OpenKey(RegistryRoot::ClassesRoot, "Sifter.Document\\shell\\open\\command", key));
    ASSERT_TRUE(key.ReadValue({}, type, data));
    EXPECT_STREQ(data.c_str(), "/opt/sifter/bin/sifter \"%1\"");
    ASSERT_TRUE(fresh.OpenKey(RegistryRoot::ClassesRoot, "Drive\\Shell\\Sifter\\command", key));
    ASSERT_TRUE(key.ReadValue({}, type, data));
    EXPECT_STREQ(data.c_str(), "/opt/sifter/bin/sifter /f:\"%1\"");
}

TEST_F(OptionsDialogTest, TheLinesShowWhatFailedBesideWhatIsInPlace)
{
    desktop.typeState.failure = "mimeapps.list cannot be read: Permission denied";
    desktop.actionState.installed = {FileManagerKind::kNemo};
    desktop.actionState.failures = {"uca.xml cannot be parsed: line 3"};
    Open();
    EXPECT_EQ(dialog->FileTypeLine()->text(),
              QStringLiteral("Failed: mimeapps.list cannot be read: Permission denied"));
    EXPECT_EQ(dialog->FolderActionLine()->text(),
              QStringLiteral("Folder action installed for: Nemo. Failed: uca.xml cannot be parsed: line 3"));

    desktop.typeState = {};
    desktop.failure = "update-mime-database was not found";
    Click(ctl::options::kRegister);
    EXPECT_EQ(dialog->FileTypeLine()->text(), QStringLiteral("Not registered. Failed: update-mime-database was not found"));
    // Still the one message, whatever failed.
    EXPECT_EQ(prompts.informations, QStringList{LoadResString(str::kOperationDone)});

    // The same reason from the action and from reading the file is said once.
    desktop.failure = "uca.xml cannot be parsed: line 3";
    Click(ctl::options::kAddVerb);
    EXPECT_EQ(dialog->FolderActionLine()->text(),
              QStringLiteral("Folder action installed for: Nemo. Failed: uca.xml cannot be parsed: line 3"));
    // A later action clears the earlier one's failure.
    EXPECT_EQ(dialog->FileTypeLine()->text(), QStringLiteral("Not registered"));
}

TEST_F(OptionsDialogTest, ALongReasonIsShownWholeWithTheDialogGrownAndShrunkAgain)
{
    Open();
    const QSize templateSize = dialog->size();
    QPushButton *close = dialog->Button(ctl::kIdCancel);
    const int closeAt = close->y();
    std::string reason;
    for (int i = 0; i < 12; ++i)
        reason += "/a/rather/long/folder" + std::to_string(i) + "/uca.xml cannot be read; ";
    desktop.failure = reason;
    Click(ctl::options::kAddVerb);
    QLabel *line = dialog->FolderActionLine();
    EXPECT_LE(line->heightForWidth(line->width()), line->height());
    EXPECT_GT(dialog->height(), templateSize.height());
    EXPECT_GT(close->y(), closeAt);
    EXPECT_GE(close->y(), line->geometry().bottom());

    desktop.failure.clear();
    Click(ctl::options::kRemoveVerb);
    EXPECT_EQ(dialog->size(), templateSize);
    EXPECT_EQ(close->y(), closeAt);
}

TEST_F(OptionsDialogTest, AnotherDefaultApplicationIsNamed)
{
    desktop.typeState.registered = true;
    desktop.typeState.otherDefault = "org.example.Viewer.desktop";
    Open();
    EXPECT_EQ(dialog->FileTypeLine()->text(),
              QStringLiteral("Registered: .sifter opens in org.example.Viewer.desktop, its default application"));
    EXPECT_EQ(dialog->FolderActionLine()->text(), QStringLiteral("Folder action not installed"));
}

TEST_F(OptionsDialogTest, CloseAndEscapeEndIt)
{
    Open();
    Click(ctl::kIdCancel);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);

    Open();
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(prompts.informations.isEmpty());
}

TEST_F(OptionsDialogTest, EnterPressesTheFocusedButtonOrElseTheHiddenOk)
{
    Open();
    dialog->activateWindow();
    QTest::keyClick(dialog->Button(ctl::options::kRegister), Qt::Key_Return);
    EXPECT_EQ(prompts.informations.size(), 1);
    EXPECT_TRUE(dialog->isVisible());

    dialog->Button(ctl::options::kRegister)->clearFocus();
    QTest::keyClick(dialog.get(), Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(prompts.informations.size(), 1);
}

class OptionsCommandTest : public test::SifterAppFixture {};

TEST_F(OptionsCommandTest, ToolsOptionsOpensTheDialogOverTheFrameWithTheDesktopItIsGiven)
{
    StartShown();
    FakeDesktop *given = nullptr;
    Frame().SetOptionsDesktop([&] {
        auto made = std::make_unique<FakeDesktop>(app->Store(), *prompts);
        made->actionState.installed = {FileManagerKind::kNautilus};
        given = made.get();
        return made;
    });
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<COptionsDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        seen = true;
        EXPECT_EQ(dialog->parentWidget(), &Frame());
        EXPECT_EQ(dialog->FolderActionLine()->text(), QStringLiteral("Folder action installed for: Nautilus"));
        QTest::mouseClick(dialog->Button(ctl::options::kRegister), Qt::LeftButton);
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    Frame().UpdateCommandUi();
    ASSERT_TRUE(Frame().Actions().Action(cmd::kOptions)->isEnabled());
    Frame().SendCommand(cmd::kOptions);
    EXPECT_TRUE(seen);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(prompts->informations, QStringList{LoadResString(str::kOperationDone)});
    EXPECT_TRUE(HasKey(app->Store(), "Sifter.Document\\shell\\open\\command"));
}

TEST_F(OptionsCommandTest, WithoutADesktopSideTheDialogWritesTheKeysAloneAndHidesTheLines)
{
    StartShown();
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<COptionsDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_FALSE(dialog->FileTypeLine()->isVisible());
        QTest::mouseClick(dialog->Button(ctl::options::kAddVerb), Qt::LeftButton);
        dialog->Button(ctl::kIdCancel)->click();
    });
    Frame().SendCommand(cmd::kOptions);
    EXPECT_TRUE(HasKey(app->Store(), "Folder\\Shell\\Sifter\\command"));
    EXPECT_EQ(prompts->informations.size(), 1);
}

} // namespace
} // namespace sifter
