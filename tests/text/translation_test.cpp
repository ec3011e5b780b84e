// SPDX-License-Identifier: GPL-3.0-or-later
// Translations without an application (as sifter-cli has it): the catalogue of the language
// asked for, English when there is none, and messages with their values put in.
#include "text/translation.h"

#include "support/scoped_env.h"

#include <gtest/gtest.h>

namespace sifter {
namespace {

TEST(Translations, LoadTheCatalogueOfTheLanguageAndOfNoneElse)
{
    const Translations german("de");
    EXPECT_EQ(german.Language(), "de");
    EXPECT_EQ(german.Translate("sifter-cli", "empty folder name"), "leerer Ordnername");
    // A text the catalogue does not hold stays as it is.
    EXPECT_EQ(german.Translate("sifter-cli", "no such text"), "no such text");
    const Translations french("fr");
    EXPECT_EQ(french.Language(), "");
    EXPECT_EQ(french.Translate("sifter-cli", "empty folder name"), "empty folder name");
}

TEST(Translations, FollowTheUsersLanguagesInTheirOrder)
{
    const test::ScopedEnv all("LC_ALL", "C.UTF-8");
    const test::ScopedEnv language("LANGUAGE", "fr:de_AT:en");
    EXPECT_EQ(Translations().Language(), "de");
}

TEST(CatalogueText, PutsTheValuesInByNumberAndReadsNoneOfThemForMarkers)
{
    EXPECT_EQ(CatalogueText("sifter-cli", "%2 after %1").Arg("a%2").Arg("b").Text(), "b after a%2");
    // A marker without a value and a lone percent sign stay.
    EXPECT_EQ(CatalogueText("sifter-cli", "%1 and %2, 100%").Arg("x").Text(), "x and %2, 100%");
}

TEST(CatalogueText, IsInTheUsersLanguage)
{
    const test::ScopedEnv language("LANGUAGE", "de");
    EXPECT_EQ(CatalogueText("sifter-cli", "unknown option %1").Arg("'-q'").Text(), "unbekannte Option '-q'");
}

} // namespace
} // namespace sifter
