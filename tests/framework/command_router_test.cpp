// SPDX-License-Identifier: GPL-3.0-or-later
// Command routing: the first target of the chain with a handler runs a command; states
// come from the first update handler, else a handler enables, else disabled.
#include "framework/command_router.h"

#include <gtest/gtest.h>

#include <optional>

#include <string>
#include <vector>

namespace sifter {
namespace {

class Target : public CommandTarget {
public:
    explicit Target(std::string name, std::vector<std::string> &log) : name_(std::move(name)), log_(log) {}

    void Handle(CommandId id)
    {
        OnCommand(id, [this, id] { log_.push_back(name_ + ":" + std::to_string(id)); });
    }
    void HandleRange(CommandId first, CommandId last, std::string label = {})
    {
        OnCommandRange(first, last, [this, label](CommandId id) {
            log_.push_back((label.empty() ? name_ : label) + ":" + std::to_string(id));
        });
    }
    void UpdateWith(CommandId id, bool enabled, std::optional<bool> check = {})
    {
        OnUpdateCommand(id, [enabled, check](CommandUi &ui) {
            ui.Enable(enabled);
            if (check)
                ui.SetCheck(*check);
        });
    }
    void UpdateRangeRadio(CommandId first, CommandId last, CommandId marked)
    {
        OnUpdateCommandRange(first, last, [marked](CommandUi &ui) {
            ui.Enable(true);
            ui.SetRadio(ui.Id() == marked);
        });
    }

private:
    std::string name_;
    std::vector<std::string> &log_;
};

struct Chain {
    std::vector<std::string> log;
    Target view{"view", log};
    Target document{"document", log};
    Target frame{"frame", log};
    Target app{"app", log};
    bool withView = true;
    CommandRouter router{[this] {
        return std::vector<CommandTarget *>{withView ? &view : nullptr, &document, &frame, &app};
    }};
};

TEST(CommandRouter, FirstTargetWithAHandlerRunsTheCommand)
{
    Chain chain;
    chain.app.Handle(100);
    chain.frame.Handle(100);
    chain.document.Handle(200);
    EXPECT_TRUE(chain.router.Execute(100));
    EXPECT_TRUE(chain.router.Execute(200));
    EXPECT_EQ(chain.log, (std::vector<std::string>{"frame:100", "document:200"}));
}

TEST(CommandRouter, ViewComesFirstAndAMissingViewIsSkipped)
{
    Chain chain;
    chain.view.Handle(7);
    chain.app.Handle(7);
    chain.router.Execute(7);
    chain.withView = false;
    chain.router.Execute(7);
    EXPECT_EQ(chain.log, (std::vector<std::string>{"view:7", "app:7"}));
}

TEST(CommandRouter, CommandWithoutHandlerIsDisabledAndDoesNothing)
{
    Chain chain;
    EXPECT_FALSE(chain.router.QueryState(300).Enabled());
    EXPECT_FALSE(chain.router.Execute(300));
    EXPECT_TRUE(chain.log.empty());
}

TEST(CommandRouter, HandlerAloneEnablesWithoutMarks)
{
    Chain chain;
    chain.app.Handle(5);
    const CommandUi ui = chain.router.QueryState(5);
    EXPECT_TRUE(ui.Enabled());
    EXPECT_FALSE(ui.Checked().has_value());
    EXPECT_FALSE(ui.Radio().has_value());
}

TEST(CommandRouter, FirstUpdateHandlerDecidesEvenBeforeAHandler)
{
    Chain chain;
    chain.document.UpdateWith(9, false);
    chain.frame.UpdateWith(9, true, true);
    chain.frame.Handle(9);
    EXPECT_FALSE(chain.router.QueryState(9).Enabled());
    // A disabled command is not run, whoever has the handler.
    EXPECT_FALSE(chain.router.Execute(9));
    EXPECT_TRUE(chain.log.empty());

    chain.withView = true;
    chain.view.UpdateWith(9, true, true);
    const CommandUi ui = chain.router.QueryState(9);
    EXPECT_TRUE(ui.Enabled());
    ASSERT_TRUE(ui.Checked().has_value());
    EXPECT_TRUE(*ui.Checked());
    EXPECT_TRUE(chain.router.Execute(9));
    EXPECT_EQ(chain.log, (std::vector<std::string>{"frame:9"}));
}

TEST(CommandRouter, RangesTellWhichIdRanAndMarkRadioItems)
{
    Chain chain;
    chain.frame.HandleRange(59408, 59413);
    chain.frame.UpdateRangeRadio(59408, 59413, 59411);
    EXPECT_TRUE(chain.router.Execute(59410));
    EXPECT_EQ(chain.log, (std::vector<std::string>{"frame:59410"}));
    EXPECT_EQ(chain.router.QueryState(59411).Radio(), std::optional<bool>(true));
    EXPECT_EQ(chain.router.QueryState(59408).Radio(), std::optional<bool>(false));
    EXPECT_FALSE(chain.router.QueryState(59414).Enabled());
    EXPECT_FALSE(chain.router.QueryState(59407).Enabled());
}

TEST(CommandRouter, LaterRegistrationOfTheSameTargetWins)
{
    Chain chain;
    chain.app.Handle(1);
    chain.app.HandleRange(1, 3, "range");
    chain.app.Handle(2);
    chain.router.Execute(1);
    chain.router.Execute(2);
    chain.router.Execute(3);
    EXPECT_EQ(chain.log, (std::vector<std::string>{"range:1", "app:2", "range:3"}));
    EXPECT_TRUE(chain.app.HasCommandHandler(3));
    EXPECT_FALSE(chain.app.HasCommandHandler(4));
}

TEST(CommandUi, SettingCheckClearsRadioAndTheOtherWayRound)
{
    CommandUi ui(1);
    EXPECT_FALSE(ui.Enabled());
    ui.SetRadio(true);
    ui.SetCheck(false);
    EXPECT_FALSE(ui.Radio().has_value());
    EXPECT_EQ(ui.Checked(), std::optional<bool>(false));
    ui.SetRadio(false);
    EXPECT_FALSE(ui.Checked().has_value());
    ui.SetText(QStringLiteral("x"));
    ui.SetVisible(false);
    EXPECT_EQ(ui.Text(), std::optional<QString>(QStringLiteral("x")));
    EXPECT_EQ(ui.Visible(), std::optional<bool>(false));
}

} // namespace
} // namespace sifter
