// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sifter_app.h"

#include "app/command_line.h"
#include "doc/document_title.h"
#include "doc/sifter_doc.h"
#include "frame/about_dialog.h"
#include "frame/main_frame.h"
#include "framework/string_resources.h"
#include "pane/left_view.h"
#include "registry/registry_store.h"
#include "res/links.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>

namespace sifter {
namespace {

constexpr const char *kCompanyName = "Norvane";

} // namespace

CSifterApp::CSifterApp(QStringList arguments)
    : Application(LoadResString(str::kAppName).toStdString()), arguments_(std::move(arguments)),
      wordsHistory_(std::string(kWordsHistoryName)), namesHistory_(std::string(kNamesHistoryName)),
      foldersHistory_(std::string(kFoldersHistoryName)), excludesHistory_(std::string(kExcludesHistoryName))
{
    OnCommand(cmd::kAppAbout, [this] { OnAppAbout(); });
    OnCommand(cmd::kWebSite, [this] { OpenWebSite(); });
}

CSifterApp::~CSifterApp()
{
    // The frame and its panes hold the settings and histories of this object: they go first.
    if (SingleDocTemplate *documentTemplate = DocTemplate())
        documentTemplate->CloseAll();
}

CMainFrame *CSifterApp::Frame() const
{
    return static_cast<CMainFrame *>(MainWindow());
}

CSifterDoc *CSifterApp::Doc() const
{
    return static_cast<CSifterDoc *>(TheDocument());
}

bool CSifterApp::InitInstance()
{
    // The hosting of controls, object-linking initialisation and the 3-D control look that
    // come first on other systems have nothing to do here: Qt gives all of it.
    SetRegistryKey(kCompanyName);
    LoadStdProfileSettings(res::kRecentFileCount);
    settings_.LoadLayoutSettings(Store());
    wordsHistory_.Load(Store());
    namesHistory_.Load(Store());
    foldersHistory_.Load(Store());
    excludesHistory_.Load(Store());
    const std::vector<std::string> setAside = Store().SetAsideFiles();
    const std::vector<std::string> tooLarge = Store().TooLargeFiles();

    AddDocTemplate(std::make_unique<SingleDocTemplate>(
        *this, str::kDocString, [] { return std::make_unique<CSifterDoc>(); },
        [this](Document &document) {
            return std::make_unique<CMainFrame>(*this, static_cast<CSifterDoc &>(document), settings_,
                                                SearchHistories{&namesHistory_, &wordsHistory_, &foldersHistory_, &excludesHistory_,
                                                                [this] { return &Store(); }});
        }));

    const QString file = FileArgument(arguments_);
    // A file that cannot be opened leaves the program with a new document (the document
    // has said why).
    if (file.isEmpty() || !OpenDocumentFile(file)) {
        if (!OpenDocumentFile(QString()))
            return false;
    }
    ApplyFolderOption();

    if (showMainWindow_)
        Frame()->show();
    TellSettingsFiles(str::kSettingsSetAside, setAside);
    TellSettingsFiles(str::kSettingsTooLarge, tooLarge);
    WatchTerminationSignals();
    return true;
}

int CSifterApp::ExitInstance(int code)
{
    // The clipboard keeps our last Cut or Copy, so it can still be pasted after the program
    // is gone: Qt hands it to the desktop's clipboard manager when one runs. Only our
    // pointer to it goes.
    SetClipboardSource(nullptr);
    settings_.SaveLayoutSettings(Store());
    return Application::ExitInstance(code);
}

void CSifterApp::ApplyFolderOption()
{
    const std::optional<QString> folder = FolderOptionText(arguments_);
    if (!folder)
        return;
    CMainFrame *frame = Frame();
    CLeftView *pane = frame ? frame->GetLeftView() : nullptr;
    if (!pane)
        return;
    pane->SetFolderText(*folder);
    pane->ExchangeValues(false);
    CSifterDoc *document = Doc();
    if (!document || !document->PathName().isEmpty() || folder->isEmpty())
        return;
    document->SetTitle(BuildSearchTitle(QString(), QString(), *folder));
}

void CSifterApp::TellSettingsFiles(StringId id, const std::vector<std::string> &files)
{
    if (files.empty())
        return;
    QStringList names;
    for (const std::string &file : files)
        names.append(QFile::decodeName(QByteArray::fromStdString(file)));
    const QString text = FormatResString(id, names.join(QLatin1Char('\n')));
    // Once the window is up, which the message then belongs to.
    QMetaObject::invokeMethod(Frame(), [this, text] { Prompts().ShowError(text); }, Qt::QueuedConnection);
}

QString FindUserGuide(const QString &programFolder)
{
    const QDir folder(programFolder);
    const QString installed = QDir::cleanPath(folder.absoluteFilePath(QString::fromUtf8(UserGuideRelativeToProgram())));
    const QString beside = QDir::cleanPath(folder.absoluteFilePath(QString::fromUtf8(UserGuideFileName())));
    if (!QFileInfo::exists(installed) && QFileInfo::exists(beside))
        return beside;
    return installed;
}

QString CSifterApp::OnlineHelpAddress() const
{
    return QUrl::fromLocalFile(FindUserGuide(QCoreApplication::applicationDirPath())).toString();
}

QString CSifterApp::WebSiteAddress() const
{
    return QString::fromUtf8(kWebSiteAddress);
}

void CSifterApp::OnHelp()
{
    OpenAddress(OnlineHelpAddress());
}

void CSifterApp::OpenWebSite()
{
    OpenAddress(WebSiteAddress());
}

void CSifterApp::OpenAddress(const QString &address)
{
    if (OpenUrl(QUrl(address)))
        return;
    // Nothing could take the address: say where it is, so the user can open it elsewhere.
    QMessageBox box(QMessageBox::Information, LoadResString(str::kAppName),
                    FormatResString(str::kNoProgramForAddress, address), QMessageBox::Ok, MainWindow());
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.exec();
}

void CSifterApp::OnAppAbout()
{
    CMainFrame *frame = Frame();
    CAboutDialog dialog(OnlineHelpAddress(), WebSiteAddress(),
                        [frame](CommandId id) {
                            if (frame)
                                frame->SendCommand(id);
                        },
                        MainWindow());
    dialog.exec();
}

} // namespace sifter
