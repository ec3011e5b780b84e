// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small program on the framework for its tests: a document holding one text (read from
// and written to its file), a frame with a toolbar and a status bar, and an application
// with its registry store in a temporary folder.
#include "framework/application.h"
#include "framework/document.h"
#include "framework/frame_window.h"
#include "support/fake_prompts.h"
#include "support/temp_tree.h"

#include <QFile>
#include <QSaveFile>
#include <QStatusBar>
#include <QToolBar>

namespace sifter::test {

class TextDocument final : public Document {
public:
    QString text;
    bool busy = false;
    int resets = 0;

    bool IsBusy() const override { return busy; }
    void DeleteContents() override
    {
        text.clear();
        ++resets;
    }

protected:
    bool ReadDocument(const QString &path) override
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        text = QString::fromUtf8(file.readAll());
        return true;
    }
    bool WriteDocument(const QString &path) override
    {
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.write(text.toUtf8());
        return file.commit();
    }
};

class TestFrame final : public FrameWindow {
public:
    TestFrame(Application &app, Document &document) : FrameWindow(app, document) {}

    bool CreateFrame() override
    {
        if (!FrameWindow::CreateFrame())
            return false;
        toolBar = CreateResourceToolBar(QStringLiteral("Toolbar"));
        addToolBar(Qt::TopToolBarArea, toolBar);
        AddControlBar(cmd::kViewToolbar, toolBar);
        AddControlBar(cmd::kViewStatusBar, statusBar());
        return true;
    }

    // Handlers that tests add for commands the framework leaves to the program.
    using CommandTarget::OnCommand;
    using CommandTarget::OnCommandRange;
    using CommandTarget::OnUpdateCommand;
    using CommandTarget::OnUpdateCommandRange;

    QToolBar *toolBar = nullptr;
    int busyCloses = 0;
    int closings = 0;

protected:
    void OnBusyClose() override { ++busyCloses; }
    void OnClosingFrame() override { ++closings; }
};

class TestApp final : public Application {
public:
    explicit TestApp(const std::string &configFolder) : Application("Sifter")
    {
        auto fake = std::make_unique<FakePrompts>();
        prompts = fake.get();
        SetPrompts(std::move(fake));
        SetRegistryFolder(configFolder);
    }

    bool InitInstance() override
    {
        SetRegistryKey("Norvane");
        LoadStdProfileSettings(4);
        AddDocTemplate(std::make_unique<SingleDocTemplate>(
            *this, str::kDocString, [] { return std::make_unique<TextDocument>(); },
            [this](Document &document) { return std::make_unique<TestFrame>(*this, document); }));
        return OpenDocumentFile(QString()) != nullptr;
    }

    TextDocument &Doc() const { return static_cast<TextDocument &>(*TheDocument()); }
    TestFrame &Frame() const { return static_cast<TestFrame &>(*MainWindow()); }

    FakePrompts *prompts = nullptr;
};

} // namespace sifter::test
