// SPDX-License-Identifier: GPL-3.0-or-later
// The resource tables in the user's language: menus, dialog templates and the string table
// through the German catalogue; byte for byte English where no catalogue exists; and every
// template's texts fit their controls in English and German, with no mnemonic letter twice
// in one menu or one dialog.
#include "framework/command_actions.h"
#include "framework/command_router.h"
#include "framework/dialog_builder.h"
#include "framework/menu_builder.h"
#include "framework/resource_text.h"
#include "framework/string_resources.h"
#include "res/dialogs.h"
#include "res/menus.h"
#include "res/string_table.h"
#include "text/translation.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace sifter {
namespace {

// Dialog ids lie below the first command id; a scan finds every template without a list.
constexpr ResourceId kLastResourceId = 1000;

class TranslatedResources : public ::testing::Test {
protected:
    void Load(const std::string &language)
    {
        translations = std::make_unique<Translations>(language);
        translations->Install();
        // The shared actions take their texts when made, as the program's after its start.
        actions = std::make_unique<CommandActions>(router, nullptr);
        builder = std::make_unique<MenuBuilder>(*actions, nullptr);
    }
    std::unique_ptr<Translations> translations;
    CommandRouter router{[] { return std::vector<CommandTarget *>{}; }};
    std::unique_ptr<CommandActions> actions;
    std::unique_ptr<MenuBuilder> builder;
    QMenuBar bar;
};

TEST_F(TranslatedResources, GermanReachesMenusDialogsAndTheStringTable)
{
    Load("de");
    ASSERT_EQ(translations->Language(), "de");
    builder->FillMenuBar(bar, res::kMenuMain);
    ASSERT_FALSE(bar.actions().isEmpty());
    EXPECT_EQ(bar.actions().first()->text(), QStringLiteral("&Datei"));
    EXPECT_EQ(DialogText(FindDialogResource(res::kDialogOptions)->caption), QStringLiteral("Einstellungen"));
    EXPECT_EQ(LoadResString(str::kIdleMessage), QStringLiteral("Bereit"));
    // The prompt and the tip of a command stay two parts.
    EXPECT_EQ(SplitPromptAndTip(LoadResString(cmd::kFileNew)).tip, QStringLiteral("Neue Suche"));
}

TEST_F(TranslatedResources, WithoutACatalogueTheTablesStayByteForByte)
{
    Load("fr");
    EXPECT_EQ(translations->Language(), "");
    for (const StringResource &entry : StringTable())
        EXPECT_EQ(LoadResString(entry.id).toStdString(), entry.text);
    for (const ResourceId menu : {res::kMenuMain, res::kMenuColumns, res::kMenuItems}) {
        for (const MenuEntryResource &entry : FindMenuResource(menu)) {
            if (entry.text)
                EXPECT_EQ(MenuText(entry.text).toStdString(), entry.text);
        }
    }
}

// The mnemonic letters of the widgets or actions given, each one once.
void ExpectDistinctMnemonics(const QStringList &texts, const std::string &where)
{
    std::set<int> seen;
    for (const QString &text : texts) {
        const QKeySequence key = QKeySequence::mnemonic(text);
        if (key.isEmpty())
            continue;
        EXPECT_TRUE(seen.insert(key[0].toCombined()).second) << where << ": " << text.toStdString();
    }
}

void ExpectDistinctMnemonics(const QMenu &menu)
{
    QStringList texts;
    for (const QAction *action : menu.actions()) {
        texts.append(action->text());
        if (action->menu())
            ExpectDistinctMnemonics(*action->menu());
    }
    ExpectDistinctMnemonics(texts, menu.title().toStdString());
}

TEST_F(TranslatedResources, GermanMenusUseEachMnemonicOnce)
{
    Load("de");
    builder->FillMenuBar(bar, res::kMenuMain);
    QStringList titles;
    for (const QAction *action : bar.actions()) {
        titles.append(action->text());
        ExpectDistinctMnemonics(*action->menu());
    }
    ExpectDistinctMnemonics(titles, "menu bar");
    QWidget owner;
    for (const ResourceId popup : {res::kMenuColumns, res::kMenuItems})
        ExpectDistinctMnemonics(*builder->CreatePopupMenu(popup, &owner));
}

// What of the control's text its geometry leaves unseen, in pixels; 0 when all shows.
int CutWidth(const QWidget &widget, const QWidget &dialog)
{
    // Nothing may reach past the dialog's client area, where the window cuts it.
    const int outside = std::max(0, widget.geometry().right() + 1 - dialog.width());
    if (const auto *label = qobject_cast<const QLabel *>(&widget)) {
        if (label->wordWrap())
            return std::max(outside, label->heightForWidth(label->width()) - label->height());
        return std::max(outside, label->sizeHint().width() - label->width());
    }
    if (qobject_cast<const QAbstractButton *>(&widget) || qobject_cast<const QComboBox *>(&widget))
        return std::max(outside, widget.sizeHint().width() - widget.width());
    if (const auto *box = qobject_cast<const QGroupBox *>(&widget))
        return std::max(outside, box->fontMetrics().horizontalAdvance(box->title()) - box->width());
    return outside;
}

TEST_F(TranslatedResources, TextsFitEveryDialogTemplateInEnglishAndGerman)
{
    for (const char *language : {"en", "de"}) {
        Load(language);
        int dialogs = 0;
        for (ResourceId id = 1; id <= kLastResourceId; ++id) {
            const DialogResource *resource = FindDialogResource(id);
            if (!resource || resource->controls.empty())
                continue;
            ++dialogs;
            QWidget dialog;
            const DialogUnits units(dialog.font());
            dialog.resize(units.ToPixels(resource->width, resource->height));
            const DialogControls controls = BuildDialogControls(*resource, dialog, units);
            QStringList mnemonics;
            for (const BuiltControl &control : controls.All()) {
                const std::string what =
                    std::string(language) + " " + std::to_string(id) + " " + DialogText(control.resource->text).toStdString();
                if (control.resource->style & kStyleHidden)
                    continue;
                EXPECT_LE(CutWidth(*control.widget, dialog), 0) << what;
                if (qobject_cast<QAbstractButton *>(control.widget) || qobject_cast<QLabel *>(control.widget))
                    mnemonics.append(DialogText(control.resource->text));
            }
            ExpectDistinctMnemonics(mnemonics, std::string(language) + " dialog " + std::to_string(id));
        }
        EXPECT_GT(dialogs, 5);
    }
}

} // namespace
} // namespace sifter
