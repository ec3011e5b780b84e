// Open on files no default application takes: the desktop portal's chooser on a private
// session bus the test starts, else our own dialog of the type's applications, which starts
// the chosen one (a real script recording its arguments) or, cancelled, nothing.
#include "doc/result_file.h"
#include "framework/command_actions.h"
#include "platform/file_attributes.h"
#include "results/open_with_dialog.h"
#include "results/sifter_view.h"
#include "support/found_records.h"
#include "support/private_bus.h"
#include "support/sifter_app_fixture.h"
#include "support/temp_xdg_folders.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QDialogButtonBox>
#include <QItemSelectionModel>
#include <QListWidget>
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

const std::string kPngStart = std::string("\x89PNG\r\n\x1a\n", 8) + std::string(24, '\0');

class OpenWithTest : public SifterAppFixture {
protected:
    void SetUp() override
    {
        SifterAppFixture::SetUp();
        UseTempXdgFolders(tree);
        script_ = tree.WriteFile("bin/record args.sh", "#!/bin/sh\n"
                                                       "out=$1\nshift\n"
                                                       "for a in \"$@\"; do printf '%s\\000' \"$a\"; done > \"$out.part\"\n"
                                                       "mv \"$out.part\" \"$out\"\n");
        ASSERT_EQ(chmod(script_.c_str(), 0700), 0);
    }

    void TearDown() override
    {
        SifterAppFixture::TearDown();
        if (fake_) {
            QDBusConnection fakeBus(QStringLiteral("fake-portal"));
            fakeBus.unregisterObject(QStringLiteral("/org/freedesktop/portal/desktop"));
            fakeBus.unregisterService(QStringLiteral("org.freedesktop.portal.Desktop"));
            QDBusConnection::disconnectFromBus(QStringLiteral("fake-portal"));
            QDBusConnection::disconnectFromBus(QStringLiteral("portal-caller"));
        }
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

    // Saves the files (made in the tree's "files" folder) as rows, opens them and selects all.
    void StartWithFiles(const std::vector<std::pair<std::string, std::string>> &files)
    {
        tree.MakeFolder("files");
        FileSearch search;
        SetSearchedFolders(search, tree.Path("files"));
        for (const auto &[name, content] : files) {
            tree.WriteFile("files/" + name, content);
            auto record = std::make_unique<FoundFile>();
            record->SetName(name);
            record->SetFolder(tree.Path("files"));
            record->attributes = kAttributeNormal;
            search.AppendFoundFile(std::move(record));
        }
        const std::string file = tree.Path("rows.sifter");
        ASSERT_TRUE(SaveResultFile(search, file));
        ASSERT_TRUE(Start());
        ASSERT_NE(app->OpenDocumentFile(QString::fromStdString(file)), nullptr);
        Frame().GetResultsView()->SelectAll();
        // No desktop bus unless a test gives the fake portal's.
        Frame().SetDesktopBus(QDBusConnection(QStringLiteral("no-bus")));
    }

    // Registers a fake portal on the private bus and points the frame at that bus; false
    // when no dbus-daemon could be started.
    bool UseFakePortal()
    {
        const QString address = PrivateBus::Get().Address();
        if (address.isEmpty())
            return false;
        QDBusConnection fakeBus = QDBusConnection::connectToBus(address, QStringLiteral("fake-portal"));
        fake_ = std::make_unique<FakePortal>();
        if (!fakeBus.registerService(QStringLiteral("org.freedesktop.portal.Desktop")) ||
            !fakeBus.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), fake_.get(),
                                    QDBusConnection::ExportAllSlots))
            return false;
        Frame().SetDesktopBus(QDBusConnection::connectToBus(address, QStringLiteral("portal-caller")));
        return true;
    }

    // Answers each chooser shown from now on: its rows are recorded, then row is picked (OK),
    // or Cancel is pressed when row is negative.
    void AnswerChoosers(int row)
    {
        auto *timer = new QTimer(app->Frame());
        QObject::connect(timer, &QTimer::timeout, timer, [this, row] {
            auto *dialog = qobject_cast<OpenWithDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            QStringList rows;
            for (int i = 0; i < dialog->List()->count(); ++i)
                rows.append(dialog->List()->item(i)->text());
            choosers.append(rows);
            auto *buttons = dialog->findChild<QDialogButtonBox *>();
            if (row >= 0)
                dialog->List()->setCurrentRow(row);
            QTest::mouseClick(buttons->button(row >= 0 ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel),
                              Qt::LeftButton);
        });
        timer->start(10);
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
    EXPECT_EQ(choosers[0], (QStringList{QStringLiteral("Byte Viewer"), QStringLiteral("Hex Editor")}));
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
    tree.WriteFile("data/applications/gone.desktop", "[Desktop Entry]\nType=Application\nName=Gone\n"
                                                     "Exec=/no/such/program %f\nMimeType=application/octet-stream;\n");
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
    EXPECT_EQ(choosers[0], QStringList{QStringLiteral("Text Editor")});
    EXPECT_EQ(WaitForFile(Out("Text Editor")), tree.Path("files/notes.txt") + '\0');
}

TEST_F(OpenWithTest, AFileNothingCanOpenIsNamedInOneError)
{
    WriteEntry("text.desktop", "Text Editor", "text/plain;");
    StartWithFiles({{"a.png", kPngStart}, {"b.png", kPngStart}});
    AnswerChoosers(-1);
    ASSERT_TRUE(Frame().SendCommand(cmd::kOpen));
    EXPECT_TRUE(choosers.isEmpty());
    ASSERT_EQ(prompts->errors.size(), 1);
    EXPECT_TRUE(prompts->errors[0].contains(QString::fromStdString(tree.Path("files/a.png"))));
    EXPECT_TRUE(prompts->errors[0].contains(QString::fromStdString(tree.Path("files/b.png"))));
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
    QTRY_COMPARE(fake_->calls.size(), std::size_t{1});
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
    QTRY_COMPARE(choosers.size(), 1);
    EXPECT_EQ(choosers[0], QStringList{QStringLiteral("Hex Editor")});
    EXPECT_EQ(WaitForFile(Out("Hex Editor")), tree.Path("files/picture.png") + '\0');
}

} // namespace
} // namespace sifter::test

#include "open_with_gui_test.moc"
