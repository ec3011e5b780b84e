// SPDX-License-Identifier: GPL-3.0-or-later
// The screen of names against globs: it never rules out a name that a glob matches
// (fnmatch, case folded, as the reference), and it rules out names no glob can match.
#include "desktop/glob_screen.h"

#include <gtest/gtest.h>

#include <fnmatch.h>
#include <random>
#include <string>
#include <vector>

namespace sifter {
namespace {

bool AnyGlobMatches(const std::vector<std::string> &globs, const std::string &name)
{
    for (const std::string &glob : globs) {
        if (fnmatch(glob.c_str(), name.c_str(), FNM_CASEFOLD) == 0)
            return true;
    }
    return false;
}

// The kinds of globs the MIME database holds beside "*.ext".
const std::vector<std::string> kDatabaseLike{"makefile", "readme*", "*.so.[0-9]*", "*~", "*.[1-9]",
                                             "[0-9][0-9][0-9].vdr", "*.anim[1-9j]", "*,v", "*%", "sconscript.*"};

TEST(GlobScreen, NeverRulesOutANameAGlobMatches)
{
    std::mt19937 random(3);
    const std::string alphabet = "aAbB.~%,0159jJ*?[]-!";
    auto text = [&](std::size_t size, std::size_t letters) {
        std::string s;
        for (std::size_t i = 0; i < size; ++i)
            s += alphabet[random() % letters];
        return s;
    };
    for (int round = 0; round < 1000; ++round) {
        std::vector<std::string> globs = kDatabaseLike;
        for (int i = 0; i < 3; ++i)
            globs.push_back(text(1 + random() % 6, alphabet.size())); // wildcards and brackets too
        const GlobScreen screen(globs);
        for (int n = 0; n < 200; ++n) {
            std::string name = text(random() % 8, alphabet.size() - 6); // no wildcard bytes
            if (random() % 4 == 0)
                name = globs[random() % globs.size()];
            if (AnyGlobMatches(globs, name)) {
                ASSERT_TRUE(screen.MayMatch(name)) << "round " << round << " name " << name;
            }
        }
    }
}

TEST(GlobScreen, RulesOutNamesNoGlobCanMatch)
{
    const GlobScreen screen(kDatabaseLike);
    for (const char *name : {"notes.txt", "photo.JPG", "main.cpp", "src.tar.gz", "x", "amakefile"})
        EXPECT_FALSE(screen.MayMatch(name)) << name;
    for (const char *name : {"Makefile", "README.md", "libz.so.1", "old~", "ls.1", "123.vdr", "x.ANIMJ", "f,v"})
        EXPECT_TRUE(screen.MayMatch(name)) << name;
}

TEST(GlobScreen, LetsThroughWhatItCannotFold)
{
    const GlobScreen screen(kDatabaseLike);
    EXPECT_TRUE(screen.MayMatch("Ma\xE2\x84\xAA" "efile")); // a Kelvin sign, which folds to k
    EXPECT_TRUE(GlobScreen({"a\\*b"}).MayMatch("anything"));
    EXPECT_TRUE(GlobScreen({"*"}).MayMatch("anything"));
    EXPECT_TRUE(GlobScreen({"\xC3\xBC*"}).MayMatch("anything"));
}

} // namespace
} // namespace sifter
