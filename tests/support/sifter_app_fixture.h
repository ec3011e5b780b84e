#pragma once
// Starts the whole program (CSifterApp) without a display: its registry store in a
// temporary configuration folder (XDG_CONFIG_HOME), questions answered by FakePrompts,
// addresses recorded instead of opened.
#include "app/sifter_app.h"
#include "doc/sifter_doc.h"
#include "frame/main_frame.h"
#include "framework/command_actions.h"
#include "results/results_model.h"
#include "results/sifter_view.h"
#include "support/fake_prompts.h"
#include "support/temp_tree.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QStringList>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <vector>

namespace sifter::test {

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

    // Closes the window and runs the program's exit.
    void Stop()
    {
        app->Frame()->close();
        app->ExitInstance(0);
        app.reset();
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
};

} // namespace sifter::test
