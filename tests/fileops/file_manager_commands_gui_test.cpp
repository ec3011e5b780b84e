// SPDX-License-Identifier: GPL-3.0-or-later
// Open Containing Folder and Properties: through a file manager's FileManager1 interface
// on a private session bus the test starts, and their fallbacks without one.
#include "fileops/properties_dialog.h"
#include "framework/command_actions.h"
#include "fs/file_attributes.h"
#include "results/results_model.h"
#include "results/sifter_view.h"
#include "support/fake_desktop_service.h"
#include "support/found_records.h"
#include "support/sifter_app_fixture.h"

#include <QAction>
#include <QDBusConnection>
#include <QItemSelectionModel>

#include <sys/stat.h>
#include <unistd.h>

namespace sifter::test {
namespace {

// Records the calls a file manager would get.
class FakeFileManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")

public:
    struct Call {
        QString method;
        QStringList uris;
        QString startupId;
    };
    std::vector<Call> calls;

public slots:
    void ShowItems(const QStringList &uris, const QString &startupId)
    {
        calls.push_back({QStringLiteral("ShowItems"), uris, startupId});
    }
    void ShowItemProperties(const QStringList &uris, const QString &startupId)
    {
        calls.push_back({QStringLiteral("ShowItemProperties"), uris, startupId});
    }
    void ShowFolders(const QStringList &uris, const QString &startupId)
    {
        calls.push_back({QStringLiteral("ShowFolders"), uris, startupId});
    }
};

// The rows' records hold their names alone, as plain text files.
class FileManagerCommandsTest : public SifterAppFixture {
protected:
    void SetUp() override
    {
        SifterAppFixture::SetUp();
        rowRecords = RowRecords::kNamed;
        rowTypeName = "Plain Text";
    }

    // Registers a fake file manager on the private bus and points the frame at that bus;
    // false when no dbus-daemon could be started.
    bool UseFakeFileManager()
    {
        fake_ = std::make_unique<FakeFileManager>();
        if (!service_.Register(QStringLiteral("org.freedesktop.FileManager1"),
                               QStringLiteral("/org/freedesktop/FileManager1"), fake_.get()))
            return false;
        Frame().SetDesktopBus(service_.Caller());
        return true;
    }

    // The URI of a file in the tree's "files" folder, its name given already encoded.
    QString Uri(const char *encodedName)
    {
        return QString::fromLatin1(QUrl::toPercentEncoding(QString::fromStdString(tree.Path("files")), "/")) +
               QLatin1Char('/') + QLatin1String(encodedName);
    }

    std::unique_ptr<FakeFileManager> fake_;
    FakeDesktopService service_{QStringLiteral("fake-file-manager")};  // goes before fake_ does
};

// Names that a shell or a careless URI would break.
const std::vector<FileRow> kHostileNames = {"with blank.txt", "quote\"and'apostrophe", "new\nline",
                                                "-leading-dash", "bad\xff\xfeutf8", "100%.txt"};

TEST_F(FileManagerCommandsTest, RevealNeedsASelectionAndPropertiesExactlyOne)
{
    StartWithFiles({"a.txt", "b.txt"});
    Select({});
    EXPECT_FALSE(Enabled(cmd::kOpenContainingFolder));
    EXPECT_FALSE(Enabled(cmd::kProperties));
    Select({0});
    EXPECT_TRUE(Enabled(cmd::kOpenContainingFolder));
    EXPECT_TRUE(Enabled(cmd::kProperties));
    Select({0, 1});
    EXPECT_TRUE(Enabled(cmd::kOpenContainingFolder));
    EXPECT_FALSE(Enabled(cmd::kProperties));
}

TEST_F(FileManagerCommandsTest, RevealSendsEverySelectedFileInOneCall)
{
    StartWithFiles(kHostileNames);
    if (!UseFakeFileManager())
        GTEST_SKIP() << "no dbus-daemon";
    Select({0, 1, 2, 3, 4, 5});
    ASSERT_TRUE(Frame().SendCommand(cmd::kOpenContainingFolder));
    ASSERT_TRUE(QTest::qWaitFor([&] { return fake_->calls.size() == std::size_t{1}; }));
    const FakeFileManager::Call &call = fake_->calls[0];
    EXPECT_EQ(call.method, QStringLiteral("ShowItems"));
    EXPECT_EQ(call.startupId, QString());
    const QString prefix = QStringLiteral("file://");
    EXPECT_EQ(call.uris, (QStringList{prefix + Uri("with%20blank.txt"), prefix + Uri("quote%22and%27apostrophe"),
                                      prefix + Uri("new%0Aline"), prefix + Uri("-leading-dash"),
                                      prefix + Uri("bad%FF%FEutf8"), prefix + Uri("100%25.txt")}));
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(prompts->errors.isEmpty());
}

TEST_F(FileManagerCommandsTest, PropertiesSendsTheFirstSelectedFile)
{
    StartWithFiles({"first file.txt", "second.txt"});
    if (!UseFakeFileManager())
        GTEST_SKIP() << "no dbus-daemon";
    Select({0});
    ASSERT_TRUE(Frame().SendCommand(cmd::kProperties));
    ASSERT_TRUE(QTest::qWaitFor([&] { return fake_->calls.size() == std::size_t{1}; }));
    EXPECT_EQ(fake_->calls[0].method, QStringLiteral("ShowItemProperties"));
    EXPECT_EQ(fake_->calls[0].uris, QStringList{QStringLiteral("file://") + Uri("first%20file.txt")});
    EXPECT_EQ(fake_->calls[0].startupId, QString());
    EXPECT_EQ(Frame().findChild<PropertiesDialog *>(), nullptr);
}

TEST_F(FileManagerCommandsTest, WithoutAFileManagerRevealOpensEachContainingFolderOnce)
{
    StartWithFiles({"a.txt", "b.txt"});
    tree.MakeFolder("other");
    Frame().SetDesktopBus(QDBusConnection(QStringLiteral("no-such-bus")));
    Select({0, 1});
    ASSERT_TRUE(Frame().SendCommand(cmd::kOpenContainingFolder));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].toLocalFile(), QString::fromStdString(tree.Path("files")));
}

TEST_F(FileManagerCommandsTest, RevealLeavesRowsOutsideTheirFolder)
{
    StartWithFiles({"a.txt"});
    Frame().SetDesktopBus(QDBusConnection(QStringLiteral("no-such-bus")));
    // A second document with a crafted record: its folder would be opened otherwise.
    FileSearch search;
    SetSearchedFolders(search, tree.Path("files"));
    auto record = std::make_unique<FoundFile>();
    record->SetName("../../etc/passwd");
    record->SetFolder(tree.Path("files"));
    search.AppendFoundFile(std::move(record));
    ASSERT_NO_FATAL_FAILURE(OpenSearch(search, "crafted.sifter"));
    Select({0});
    ASSERT_TRUE(Frame().SendCommand(cmd::kOpenContainingFolder));
    EXPECT_TRUE(opened.empty());
    ASSERT_EQ(prompts->errors.size(), 1);
    EXPECT_TRUE(prompts->errors[0].contains(QStringLiteral("../../etc/passwd")));
}

TEST_F(FileManagerCommandsTest, WithoutAFileManagerPropertiesShowsItsOwnDialog)
{
    StartWithFiles({{"odd name\xff.txt", "x"}});
    const std::string path = tree.Path("files") + "/odd name\xff.txt";
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    Frame().SetDesktopBus(QDBusConnection(QStringLiteral("no-such-bus")));
    Select({0});
    ASSERT_TRUE(Frame().SendCommand(cmd::kProperties));
    auto *dialog = Frame().findChild<PropertiesDialog *>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->FieldText(str::kPropertyPath), QString::fromLocal8Bit(path.c_str()));
    EXPECT_EQ(dialog->FieldText(str::kPropertyType), QStringLiteral("Plain Text"));
    EXPECT_EQ(dialog->FieldText(str::kPropertySize), QStringLiteral("1 byte"));
    EXPECT_EQ(dialog->FieldText(str::kPropertyPermissions), QStringLiteral("rw-r-----"));
    EXPECT_FALSE(dialog->FieldText(str::kPropertyModified).isEmpty());
    EXPECT_EQ(dialog->FieldText(str::kPropertyLinkTarget), QString());
}

TEST_F(FileManagerCommandsTest, APropertiesDialogOfALinkNamesItsTarget)
{
    StartWithFiles({"real.txt"});
    const std::string link = tree.Path("files") + "/link";
    ASSERT_EQ(symlink("real.txt", link.c_str()), 0);
    FileSearch search;
    SetSearchedFolders(search, tree.Path("files"));
    auto record = std::make_unique<FoundFile>();
    record->SetName("link");
    record->SetFolder(tree.Path("files"));
    record->attributes = kAttributeReparsePoint;
    search.AppendFoundFile(std::move(record));
    ASSERT_NO_FATAL_FAILURE(OpenSearch(search, "link.sifter"));
    Frame().SetDesktopBus(QDBusConnection(QStringLiteral("no-such-bus")));
    Select({0});
    ASSERT_TRUE(Frame().SendCommand(cmd::kProperties));
    auto *dialog = Frame().findChild<PropertiesDialog *>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->FieldText(str::kPropertyLinkTarget), QStringLiteral("real.txt"));
}

TEST_F(FileManagerCommandsTest, PropertiesOfAFileThatIsGoneAreReported)
{
    StartWithFiles({"gone.txt"});
    ASSERT_EQ(unlink((tree.Path("files") + "/gone.txt").c_str()), 0);
    Frame().SetDesktopBus(QDBusConnection(QStringLiteral("no-such-bus")));
    Select({0});
    ASSERT_TRUE(Frame().SendCommand(cmd::kProperties));
    EXPECT_EQ(Frame().findChild<PropertiesDialog *>(), nullptr);
    ASSERT_EQ(prompts->errors.size(), 1);
    EXPECT_TRUE(prompts->errors[0].contains(QStringLiteral("gone.txt")));
}

} // namespace
} // namespace sifter::test

#include "file_manager_commands_gui_test.moc"
