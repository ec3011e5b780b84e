// SPDX-License-Identifier: GPL-3.0-or-later
// Open on files no default application takes: the desktop portal's chooser on a private
// session bus the test starts, else our own dialog of the type's applications, which starts
// the chosen one (a real script recording its arguments) or, cancelled, nothing.
#include "desktop/desktop_entry.h"
#include "desktop/desktop_exec.h"
#include "fileops/open_with_dialog.h"
#include "framework/command_actions.h"
#include "results/sifter_view.h"
#include "support/fake_desktop_service.h"
#include "support/qt_printers.h"
#include "support/sifter_app_fixture.h"
#include "support/temp_xdg_folders.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <sys/stat.h>
#include <unistd.h>


namespace sifter::test {
namespace {

// Records the OpenFile calls a desktop portal would get, with the path its descriptor names.
class FakePortal : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.OpenURI")

public:
    struct Call {
        QString parentWindow;
        std::string target;
        QVariantMap options;
    };
    std::vector<Call> calls;
    bool refuse = false;

public slots:
    QDBusObjectPath OpenFile(const QString &parentWindow, const QDBusUnixFileDescriptor &fd, const QVariantMap &options)
    {
        std::string link(4096, '\0');
        const ssize_t length = readlink(("/proc/self/fd/" + std::to_string(fd.fileDescriptor())).c_str(), link.data(),
                                        link.size());
        link.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
        calls.push_back({parentWindow, link, options});
        if (refuse)
            sendErrorReply(QDBusError::AccessDenied, QStringLiteral("refused"));
        return QDBusObjectPath(QStringLiteral("/org/freedesktop/portal/desktop/request/1/t"));
    }
};

// Bytes of no type shared-mime-info knows: application/octet-stream.
const std::string kUnknownBytes = std::string("\x01\x02zzqx\x00\xfe", 8);
const std::string kPngStart = std::string("\x89PNG\r\n\x1a\n", 8) + std::string(24, '\0');

class OpenWithTest : public SifterAppFixture {
protected:
    void SetUp() override
    {
        SifterAppFixture::SetUp();
        UseTempXdgFolders(tree);
        rowRecords = RowRecords::kNamed;
        script_ = tree.WriteFile("bin/record args.sh", "#!/bin/sh\n"
                                                       "out=$1\nshift\n"
                                                       "for a in \"$@\"; do printf '%s\\000' \"$a\"; done > \"$out.part\"\n"
                                                       "mv \"$out.part\" \"$out\"\n");
        ASSERT_EQ(chmod(script_.c_str(), 0700), 0);
    }

    // An application entry whose Exec records its file argument into the file "out-<id>".
    void WriteEntry(const std::string &relative, const std::string &name, const std::string &mimeTypes,
                    const std::string &extra = {})
    {
        tree.WriteFile("data/applications/" + relative,
                       "[Desktop Entry]\nType=Application\nName=" + name + "\nExec=\"" + script_ + "\" \"" +
                           Out(name) + "\" %f\nMimeType=" + mimeTypes + "\n" + extra);
    }
    std::string Out(const std::string &name) const { return tree.Path("out-" + name); }

    // Every row is selected; no desktop bus unless a test gives the fake portal's.
    void RowsOpened() override
    {
        Frame().GetResultsView()->SelectAll();
        Frame().SetDesktopBus(QDBusConnection(QStringLiteral("no-bus")));
    }

    // Registers a fake portal on the private bus and points the frame at that bus; false
    // when no dbus-daemon could be started.
    bool UseFakePortal()
    {
        fake_ = std::make_unique<FakePortal>();
        if (!service_.Register(QStringLiteral("org.freedesktop.portal.Desktop"),
                               QStringLiteral("/org/freedesktop/portal/desktop"), fake_.get()))
            return false;
        Frame().SetDesktopBus(service_.Caller());
        return true;
    }

    // Runs act on each chooser shown from now on, once, after recording its rows that are not
    // hidden; a chooser that act leaves open is cancelled, so that no test waits for ever.
    void OnChoosers(std::function<void(OpenWithDialog &)> act)
    {
        auto *timer = new QTimer(app->Frame());
        auto handled = std::make_shared<QPointer<OpenWithDialog>>();
        QObject::connect(timer, &QTimer::timeout, timer, [this, act, handled] {
            auto *dialog = qobject_cast<OpenWithDialog *>(QApplication::activeModalWidget());
            if (!dialog || *handled == dialog)
                return;
            *handled = dialog;
            QStringList rows;
            for (int i = 0; i < dialog->List()->count(); ++i) {
                if (!dialog->List()->item(i)->isHidden())
                    rows.append(dialog->List()->item(i)->text());
            }
            choosers.append(rows);
            act(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        timer->start(10);
    }

    // Answers each chooser shown from now on: row is picked (OK), or Cancel is pressed when
    // row is negative.
    void AnswerChoosers(int row)
    {
        OnChoosers([row](OpenWithDialog &dialog) {
            auto *buttons = dialog.findChild<QDialogButtonBox *>();
            if (row >= 0)
                dialog.List()->setCurrentRow(row);
            QTest::mouseClick(buttons->button(row >= 0 ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel),
                              Qt::LeftButton);
        });
    }

    // Picks "Other program..." in the chooser, types command and presses OK; alwaysUse ticks
    // the box first.
    static void ChooseCommand(OpenWithDialog &dialog, const std::string &command, bool alwaysUse = false)
    {
        QListWidget *list = dialog.List();
        list->setFocus();
        QTest::keyClick(list, Qt::Key_End);
        QTest::keyClick(list, Qt::Key_Return);
        QWidget *field = dialog.focusWidget();
        if (!qobject_cast<QLineEdit *>(field))
            return;
        QTest::keyClicks(field, QString::fromStdString(command));
        if (alwaysUse)
            ClickAlwaysUse(dialog);
        QTest::keyClick(field, Qt::Key_Return);
    }

    static void ClickAlwaysUse(OpenWithDialog &dialog)
    {
        if (auto *box = dialog.findChild<QCheckBox *>())
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
    }

    // The command that starts the recording script with its output file named for name.
    std::string RecordingCommand(const std::string &name, const std::string &arguments) const
    {
        return QuoteDesktopExecArgument(script_) + " " + QuoteDesktopExecArgument(Out(name)) + arguments;
    }

    // The file's content once it appears; empty when it did not within the wait.
    static std::string WaitForFile(const std::string &path, int milliseconds = 5000)
    {
        for (int waited = 0; waited < milliseconds; waited += 10) {
            if (access(path.c_str(), F_OK) == 0)
                return ReadFileContent(path);
            QTest::qWait(10);
        }
        return {};
    }

    std::string script_;
    std::unique_ptr<FakePortal> fake_;
    FakeDesktopService service_{QStringLiteral("fake-portal")};  // goes before fake_ does
    QList<QStringList> choosers;
};

TEST_F(OpenWithTest, WithoutADefaultApplicationOurChooserListsTheTypesApplicationsAndStartsTheChosenOne)
{
    WriteEntry("hex.desktop", "Hex Editor", "application/octet-stream;");
    WriteEntry("tools/viewer.desktop", "Byte Viewer", "application/octet-stream;");
    WriteEntry("quiet.desktop", "Quiet", "application/octet-stream;", "NoDisplay=true\n");
    WriteEntry("text.desktop", "Text Editor", "text/plain;");
    const std::string name = "odd \"name\"\n-\xff.png";
    StartWithFiles({{name, kPngStart}});
    AnswerChoosers(0);
    ASSERT_TRUE(Frame().SendCommand(cmd::kOpen));
    ASSERT_EQ(choosers.size(), 1);
    EXPECT_EQ(choosers[0], (QStringList{QStringLiteral("Byte Viewer"), QStringLiteral("Hex Editor"),
                                        QStringLiteral("Other applications"), QStringLiteral("Text Editor"),
                                        QStringLiteral("Other program...")}));
    EXPECT_EQ(WaitForFile(Out("Byte Viewer")), tree.Path("files/" + name) + '\0');
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(prompts->errors.isEmpty());
}

TEST_F(OpenWithTest, CancellingTheChooserStartsNothing)
{
    WriteEntry("hex.desktop", "Hex Editor", "application/octet-stream;");
    StartWithFiles({{"picture.png", kPngStart}});
    AnswerChoosers(-1);
    ASSERT_TRUE(Frame().SendCommand(cmd::kOpen));
    ASSERT_EQ(choosers.size(), 1);
    EXPECT_EQ(WaitForFile(Out("Hex Editor"), 500), "");
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(prompts->errors.isEmpty());
}

TEST_F(OpenWithTest, AChosenProgramThatDoesNotStartIsReported)
{
    // Installed as far as the desktop can tell (an executable file), yet it cannot run.
    const std::string broken = tree.WriteFile("bin/broken", "#!/no/such/interpreter\n");
    ASSERT_EQ(chmod(broken.c_str(), 0700), 0);
    tree.WriteFile("data/applications/gone.desktop", "[Desktop Entry]\nType=Application\nName=Gone\nExec=\"" + broken +
                                                         "\" %f\nMimeType=application/octet-stream;\n");
    StartWithFiles({{"picture.png", kPngStart}});
    AnswerChoosers(0);
    ASSERT_TRUE(Frame().SendCommand(cmd::kOpen));
    ASSERT_EQ(choosers.size(), 1);
    ASSERT_EQ(prompts->errors.size(), 1);
    EXPECT_TRUE(prompts->errors[0].startsWith(QStringLiteral("Gone could not be started to open ") +
                                              QString::fromStdString(tree.Path("files/picture.png"))));
}

TEST_F(OpenWithTest, AFileWhoseTypeHasAnApplicationGoesToTheDesktopsOpener)
{
    WriteEntry("text.desktop", "Text Editor", "text/plain;");
    WriteEntry("hex.desktop", "Hex Editor", "application/octet-stream;");
    StartWithFiles({{"notes.txt", "some text\n"}, {"main.c", "int main(void) { return 0; }\n"}});
    AnswerChoosers(-1);
    ASSERT_TRUE(Frame().SendCommand(cmd::kOpen));
    EXPECT_EQ(opened.size(), 2u);
    EXPECT_TRUE(choosers.isEmpty());
}

TEST_F(OpenWithTest, AFileTheOpenerDoesNotTakeGoesToTheChooser)
{
    WriteEntry("text.desktop", "Text Editor", "text/plain;");
    StartWithFiles({{"notes.txt", "some text\n"}});
    app->SetUrlOpener([](const QUrl &) { return false; });
    AnswerChoosers(0);
    ASSERT_TRUE(Frame().SendCommand(cmd::kOpen));
    ASSERT_EQ(choosers.size(), 1);
    EXPECT_EQ(choosers[0], (QStringList{QStringLiteral("Text Editor"), QStringLiteral("Other program...")}));
    EXPECT_EQ(WaitForFile(Out("Text Editor")), tree.Path("files/notes.txt") + '\0');
}

TEST_F(OpenWithTest, AFileOfATypeNoApplicationDeclaresGetsEveryApplicationShownInChoosers)
{
    WriteEntry("text.desktop", "Text Editor", "text/plain;");
    WriteEntry("tools/image.desktop", "image viewer", "image/png;");
    WriteEntry("plain.desktop", "Calculator", "");
    WriteEntry("quiet.desktop", "Quiet", "", "NoDisplay=true\n");
    WriteEntry("removed.desktop", "Removed", "", "Hidden=true\n");
    WriteEntry("console.desktop", "Console", "", "Terminal=true\n");
    StartWithFiles({{"data.zzqx", kUnknownBytes}});
    AnswerChoosers(1);
    ASSERT_TRUE(Frame().SendCommand(cmd::kOpen));
    ASSERT_EQ(choosers.size(), 1);
    EXPECT_EQ(choosers[0], (QStringList{QStringLiteral("Calculator"), QStringLiteral("image viewer"),
                                        QStringLiteral("Text Editor"), QStringLiteral("Other program...")}));
    EXPECT_EQ(WaitForFile(Out("image viewer")), tree.Path("files/data.zzqx") + '\0');
    EXPECT_TRUE(prompts->errors.isEmpty());
}

TEST_F(OpenWithTest, TypingInTheSearchFieldFiltersByNameAndDownEnterStartTheMatch)
{
    WriteEntry("text.desktop", "Text Editor", "text/plain;");
    WriteEntry("image.desktop", "Image Viewer", "image/png;");
    WriteEntry("hex.desktop", "Hex Editor", "");
    StartWithFiles({{"data.zzqx", kUnknownBytes}});
    QStringList filtered;
    QString firstMatch;
    OnChoosers([&](OpenWithDialog &dialog) {
        auto *search = qobject_cast<QLineEdit *>(dialog.focusWidget());
        if (!search)
            return;
        QTest::keyClicks(search, QStringLiteral("eDiT"));
        for (int i = 0; i < dialog.List()->count(); ++i) {
            if (!dialog.List()->item(i)->isHidden())
                filtered.append(dialog.List()->item(i)->text());
        }
        firstMatch = dialog.List()->currentItem() ? dialog.List()->currentItem()->text() : QString();
        QTest::keyClick(search, Qt::Key_Down);
        QWidget *list = dialog.focusWidget();
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
    });
    ASSERT_TRUE(Frame().SendCommand(cmd::kOpen));
    ASSERT_EQ(choosers.size(), 1);
    EXPECT_EQ(filtered, (QStringList{QStringLiteral("Hex Editor"), QStringLiteral("Text Editor"),
                                     QStringLiteral("Other program...")}));
    EXPECT_EQ(firstMatch, QStringLiteral("Hex Editor"));
    EXPECT_EQ(WaitForFile(Out("Text Editor")), tree.Path("files/data.zzqx") + '\0');
}

TEST_F(OpenWithTest, TheTypesApplicationsComeFirstAndTheOthersFollowUnderAHeading)
{
    WriteEntry("writer.desktop", "Writer", "text/plain;");
    WriteEntry("text.desktop", "Text Editor", "text/plain;");
    WriteEntry("image.desktop", "Image Viewer", "image/png;");
    StartWithFiles({{"notes.txt", "some text\n"}});
    app->SetUrlOpener([](const QUrl &) { return false; });
    AnswerChoosers(0);
    ASSERT_TRUE(Frame().SendCommand(cmd::kOpen));
    ASSERT_EQ(choosers.size(), 1);
    EXPECT_EQ(choosers[0], (QStringList{QStringLiteral("Text Editor"), QStringLiteral("Writer"),
                                        QStringLiteral("Other applications"), QStringLiteral("Image Viewer"),
                                        QStringLiteral("Other program...")}));
    EXPECT_EQ(WaitForFile(Out("Text Editor")), tree.Path("files/notes.txt") + '\0');
}

TEST_F(OpenWithTest, AnOtherProgramsCommandGetsTheFileAsItsLastArgumentWhenItNamesNone)
{
    const std::string name = "odd \"name\" 'q' \xff.zzqx";
    StartWithFiles({{name, kUnknownBytes}});
    OnChoosers([this](OpenWithDialog &dialog) {
        ChooseCommand(dialog, RecordingCommand("typed", " --flag 'two words'"));
    });
    ASSERT_TRUE(Frame().SendCommand(cmd::kOpen));
    ASSERT_EQ(choosers.size(), 1);
    EXPECT_EQ(WaitForFile(Out("typed")), std::string("--flag\0'two\0words'\0", 19) + tree.Path("files/" + name) + '\0');
    EXPECT_TRUE(prompts->errors.isEmpty());
}

TEST_F(OpenWithTest, AMalformedCommandIsRefusedInTheChooserWithItsReason)
{
    StartWithFiles({{"data.zzqx", kUnknownBytes}});
    bool stayedOpen = false;
    QString reason;
    OnChoosers([&](OpenWithDialog &dialog) {
        ChooseCommand(dialog, RecordingCommand("typed", " \"unclosed"));
        stayedOpen = dialog.isVisible();
        if (auto *label = dialog.findChild<QLabel *>(QStringLiteral("OpenWithCommandFault")))
            reason = label->isVisible() ? label->text() : QString();
    });
    ASSERT_TRUE(Frame().SendCommand(cmd::kOpen));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(reason, QStringLiteral("A quotation mark is not closed."));
    EXPECT_EQ(WaitForFile(Out("typed"), 300), "");
    EXPECT_TRUE(prompts->errors.isEmpty());
}

TEST_F(OpenWithTest, ACommandWhoseProgramIsMissingIsRefusedInTheChooser)
{
    StartWithFiles({{"data.zzqx", kUnknownBytes}});
    bool stayedOpen = false;
    QString reason;
    OnChoosers([&](OpenWithDialog &dialog) {
        ChooseCommand(dialog, "no-such-program-zzqx --x");
        stayedOpen = dialog.isVisible();
        if (auto *label = dialog.findChild<QLabel *>(QStringLiteral("OpenWithCommandFault")))
            reason = label->isVisible() ? label->text() : QString();
    });
    ASSERT_TRUE(Frame().SendCommand(cmd::kOpen));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(reason, QStringLiteral("No program \"no-such-program-zzqx\" was found."));
    EXPECT_TRUE(prompts->errors.isEmpty());
}

TEST_F(OpenWithTest, AlwaysUseMakesTheApplicationTheTypesDefaultKeepingTheListsOtherBytes)
{
    WriteEntry("image.desktop", "Image Viewer", "image/png;");
    const std::string before = "# mine\n[Default Applications]\ntext/plain=writer.desktop;\r\n\n"
                               "[Added Associations]\nimage/png=viewer.desktop;\nx-odd=\xff\xfe;\n"
                               "[Removed Associations]\napplication/octet-stream=image.desktop;\n";
    const std::string list = tree.WriteFile("config/mimeapps.list", before);
    StartWithFiles({{"data.zzqx", kUnknownBytes}});
    OnChoosers([](OpenWithDialog &dialog) {
        ClickAlwaysUse(dialog);
        dialog.List()->setCurrentRow(0);
        QTest::mouseClick(dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    ASSERT_TRUE(Frame().SendCommand(cmd::kOpen));
    ASSERT_EQ(choosers.size(), 1);
    EXPECT_EQ(WaitForFile(Out("Image Viewer")), tree.Path("files/data.zzqx") + '\0');
    EXPECT_EQ(ReadFileContent(list), "# mine\n[Default Applications]\ntext/plain=writer.desktop;\r\n"
                                     "application/octet-stream=image.desktop;\n\n"
                                     "[Added Associations]\nimage/png=viewer.desktop;\nx-odd=\xff\xfe;\n"
                                     "application/octet-stream=image.desktop;\n"
                                     "[Removed Associations]\n");
    EXPECT_TRUE(prompts->errors.isEmpty());

    ASSERT_TRUE(Frame().SendCommand(cmd::kOpen));
    EXPECT_EQ(choosers.size(), 1);
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(OpenWithTest, WithoutAlwaysUseNothingIsWrittenAndTheNextOpenAsksAgain)
{
    WriteEntry("image.desktop", "Image Viewer", "image/png;");
    StartWithFiles({{"data.zzqx", kUnknownBytes}});
    AnswerChoosers(0);
    ASSERT_TRUE(Frame().SendCommand(cmd::kOpen));
    EXPECT_EQ(WaitForFile(Out("Image Viewer")), tree.Path("files/data.zzqx") + '\0');
    ASSERT_TRUE(Frame().SendCommand(cmd::kOpen));
    EXPECT_EQ(choosers.size(), 2);
    EXPECT_TRUE(opened.empty());
    EXPECT_FALSE(EntryExists(tree.Path("config/mimeapps.list")));
    EXPECT_FALSE(EntryExists(tree.Path("data/applications/sifter-userapp-record-args.sh.desktop")));
}

TEST_F(OpenWithTest, AlwaysUseWithAnOtherProgramWritesAHiddenEntryOfOurOwnAsTheTypesDefault)
{
    StartWithFiles({{"data.zzqx", kUnknownBytes}});
    OnChoosers([this](OpenWithDialog &dialog) { ChooseCommand(dialog, RecordingCommand("typed", " --flag"), true); });
    ASSERT_TRUE(Frame().SendCommand(cmd::kOpen));
    EXPECT_EQ(WaitForFile(Out("typed")), "--flag" + std::string(1, '\0') + tree.Path("files/data.zzqx") + '\0');
    const std::string id = "sifter-userapp-record-args.sh.desktop";
    const std::optional<DesktopEntry> entry =
        ReadDesktopEntry(tree.Path("data/applications/" + id), id, {});
    ASSERT_TRUE(entry);
    EXPECT_TRUE(entry->noDisplay);
    EXPECT_EQ(entry->mimeTypes, std::vector<std::string>{"application/octet-stream"});
    EXPECT_EQ(entry->exec, RecordingCommand("typed", " --flag %f"));
    EXPECT_EQ(ReadFileContent(tree.Path("config/mimeapps.list")),
              "[Default Applications]\napplication/octet-stream=" + id + ";\n\n"
              "[Added Associations]\napplication/octet-stream=" + id + ";\n");
    EXPECT_TRUE(prompts->errors.isEmpty());

    ASSERT_TRUE(Frame().SendCommand(cmd::kOpen));
    EXPECT_EQ(choosers.size(), 1);
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(OpenWithTest, ThePortalsChooserIsAskedWithTheFileAsADescriptor)
{
    WriteEntry("hex.desktop", "Hex Editor", "application/octet-stream;");
    const std::string name = "odd \"name\"\n-\xff.png";
    StartWithFiles({{name, kPngStart}});
    if (!UseFakePortal())
        GTEST_SKIP() << "no dbus-daemon";
    AnswerChoosers(-1);
    ASSERT_TRUE(Frame().SendCommand(cmd::kOpen));
    ASSERT_TRUE(QTest::qWaitFor([&] { return fake_->calls.size() == std::size_t{1}; }));
    const FakePortal::Call &call = fake_->calls[0];
    EXPECT_EQ(call.parentWindow, QString());
    EXPECT_EQ(call.target, tree.Path("files/" + name));
    EXPECT_EQ(call.options, (QVariantMap{{QStringLiteral("ask"), true}}));
    QTest::qWait(100);
    EXPECT_TRUE(choosers.isEmpty());
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(prompts->errors.isEmpty());
}

TEST_F(OpenWithTest, APortalThatRefusesBringsOurChooser)
{
    WriteEntry("hex.desktop", "Hex Editor", "application/octet-stream;");
    StartWithFiles({{"picture.png", kPngStart}});
    if (!UseFakePortal())
        GTEST_SKIP() << "no dbus-daemon";
    fake_->refuse = true;
    AnswerChoosers(0);
    ASSERT_TRUE(Frame().SendCommand(cmd::kOpen));
    ASSERT_TRUE(QTest::qWaitFor([&] { return choosers.size() == 1; }));
    EXPECT_EQ(choosers[0], (QStringList{QStringLiteral("Hex Editor"), QStringLiteral("Other program...")}));
    EXPECT_EQ(WaitForFile(Out("Hex Editor")), tree.Path("files/picture.png") + '\0');
}

} // namespace
} // namespace sifter::test

#include "open_with_gui_test.moc"
