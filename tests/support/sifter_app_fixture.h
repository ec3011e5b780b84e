// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Starts the whole program (CSifterApp) without a display: its registry store in a
// temporary configuration folder (XDG_CONFIG_HOME), questions answered by FakePrompts,
// addresses recorded instead of opened; and with rows of files it writes.
#include "app/sifter_app.h"
#include "doc/sifter_doc.h"
#include "frame/main_frame.h"
#include "framework/command_actions.h"
#include "fs/file_attributes.h"
#include "registry/registry_store.h"
#include "results/results_model.h"
#include "results/sifter_view.h"
#include "stores/layout_settings.h"
#include "stores/result_file.h"
#include "support/fake_prompts.h"
#include "support/found_records.h"
#include "support/temp_tree.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QStringList>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace sifter::test {

// One row of the result file SifterAppFixture::StartWithFiles opens, and what it writes for
// the row in the tree's "files" folder: a file holding content (its name when none is
// given); a folder holding "inner/deep.txt" when the name ends in "/"; nothing when the name
// leaves the folder (it holds any other "/").
struct FileRow {
    FileRow(const char *rowName) : name(rowName) {}
    FileRow(std::string rowName) : name(std::move(rowName)) {}
    FileRow(std::string rowName, std::string rowContent) : name(std::move(rowName)), content(std::move(rowContent)) {}

    std::string name;
    std::optional<std::string> content;
};

// What SifterAppFixture::StartWithFiles records of each row.
enum class RowRecords {
    kAsFound,  // a row whose entry it wrote, all a search would find of it; any other as kNamed
    kNamed,    // every row by its name and folder alone, with a plain file's attributes and rowTypeName
};

class SifterAppFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        QApplication::setQuitOnLastWindowClosed(false);
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(tree.Path("config")));
    }

    void TearDown() override
    {
        if (app) {
            if (CMainFrame *frame = app->Frame())
                frame->close();
            app->ExitInstance(0);
            app.reset();
        }
    }

    // Starts the program with the arguments after its name; false when start-up failed.
    bool Start(const QStringList &arguments = {})
    {
        app = std::make_unique<CSifterApp>(QStringList{QStringLiteral("sifter")} + arguments);
        auto fake = std::make_unique<FakePrompts>();
        prompts = fake.get();
        app->SetPrompts(std::move(fake));
        app->SetUrlOpener([this](const QUrl &url) {
            opened.push_back(url);
            return true;
        });
        return app->InitInstance();
    }

    // Starts the program and waits until its window is shown on the screen.
    void StartShown(const QStringList &arguments = {})
    {
        ASSERT_TRUE(Start(arguments));
        Frame().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Frame()));
    }

    // Shows the window and waits until it is the active one, so that keys reach it.
    void ShowActive()
    {
        Frame().show();
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    }

    // Saves search as the tree's result file of that name and opens it in the started program.
    void OpenSearch(const FileSearch &search, const std::string &name)
    {
        const std::string file = tree.Path(name);
        ASSERT_TRUE(SaveResultFile(search, file));
        ASSERT_NE(app->OpenDocumentFile(QString::fromStdString(file)), nullptr);
    }

    // Writes each row's entry in the tree's "files" folder (the folder searched) and opens a
    // result file listing the rows, in order, recorded as rowRecords says, in a started program;
    // its document is unmodified. RowsOpened runs last.
    void StartWithFiles(const std::vector<FileRow> &rows)
    {
        const std::string folder = tree.MakeFolder("files");
        FileSearch search;
        SetSearchedFolders(search, folder);
        for (const FileRow &row : rows) {
            std::string name = row.name;
            bool written = true;
            if (!name.empty() && name.back() == '/') {
                name.pop_back();
                tree.WriteFile("files/" + name + "/inner/deep.txt", "deep");
            } else if (name.find('/') == std::string::npos) {
                tree.WriteFile("files/" + name, row.content.value_or(name));
            } else {
                written = false;
            }
            search.AppendFoundFile(RowRecord(search, folder, name, written));
        }
        ASSERT_TRUE(Start());
        ASSERT_NO_FATAL_FAILURE(OpenSearch(search, "rows.sifter"));
        ASSERT_FALSE(Doc().IsModified());
        RowsOpened();
    }

    // The record StartWithFiles lists for the row named name in folder, whose entry it wrote
    // or did not write.
    std::unique_ptr<FoundFile> RowRecord(FileSearch &search, const std::string &folder, const std::string &name,
                                         bool written) const
    {
        if (written && rowRecords == RowRecords::kAsFound)
            return RecordOfEntry(search, folder, name);
        auto record = std::make_unique<FoundFile>();
        record->SetName(name);
        record->SetFolder(folder);
        record->attributes = kAttributeNormal;
        if (!rowTypeName.empty())
            record->SetTypeName(rowTypeName);
        return record;
    }

    // What a test's fixture sets up on the window once StartWithFiles has opened the rows.
    virtual void RowsOpened() {}

    // Closes the window and runs the program's exit.
    void Stop()
    {
        app->Frame()->close();
        app->ExitInstance(0);
        app.reset();
    }

    // The program's registry store, in the configuration folder it is given.
    RegistryStore SettingsStore() const { return RegistryStore(tree.Path("config/Norvane/Sifter")); }

    // The layout settings the program's store holds.
    LayoutSettings StoredSettings() const
    {
        RegistryStore store = SettingsStore();
        LayoutSettings settings;
        settings.LoadLayoutSettings(store);
        return settings;
    }

    // Saves settings into the program's store, for its next start to load.
    void StoreSettings(const LayoutSettings &settings) const
    {
        RegistryStore store = SettingsStore();
        ASSERT_TRUE(settings.SaveLayoutSettings(store));
    }

    CMainFrame &Frame() const { return *app->Frame(); }
    CSifterDoc &Doc() const { return *app->Doc(); }
    CSifterView &List() const { return *app->Frame()->GetResultsView(); }

    // Selects exactly the rows given.
    void Select(std::initializer_list<int> rows)
    {
        List().SelectionModel()->clearSelection();
        for (int row : rows)
            List().SelectionModel()->select(List().Model().index(row, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    // The names the rows show, top to bottom.
    QStringList Labels()
    {
        QStringList labels;
        for (int row = 0; row < List().ItemCount(); ++row)
            labels.append(List().Model().index(row, 0).data().toString());
        return labels;
    }

    // Whether the command's menu item is enabled once the command states are updated.
    bool Enabled(CommandId id)
    {
        Frame().UpdateCommandUi();
        return Frame().Actions().Action(id)->isEnabled();
    }

    TempTree tree;
    std::unique_ptr<CSifterApp> app;
    FakePrompts *prompts = nullptr;
    std::vector<QUrl> opened;
    RowRecords rowRecords = RowRecords::kAsFound;
    std::string rowTypeName;  // with RowRecords::kNamed, the type every row's record names
};

} // namespace sifter::test
