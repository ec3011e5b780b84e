// SPDX-License-Identifier: GPL-3.0-or-later
// A transfer's failure reasons in the user's language: whole messages with the paths and the
// system's text in place, from the transfer itself and from the copy of one entry.
#include "support/scoped_env.h"
#include "support/temp_tree.h"
#include "transfer/entry_copier.h"
#include "transfer/file_transfer.h"
#include "transfer_test_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

namespace sifter {
namespace {

std::string OnlyReason(const std::string &source, const std::string &folder, TransferKind kind)
{
    test::FakeSink sink;
    const TransferOutcome outcome = TransferEntries({source}, folder, kind, sink);
    return outcome.failures.size() == 1 ? outcome.failures[0].reason : std::string();
}

TEST(TranslatedFailure, ReasonsAreWholeGermanSentencesWithTheirValuesInPlace)
{
    test::TempTree tree;
    tree.WriteFile("a.txt", "a");
    tree.MakeFolder("dst");
    const std::string missing = tree.Path("missing");
    const std::string source = tree.Path("a.txt");
    EXPECT_EQ(OnlyReason(source, missing, TransferKind::kCopy),
              "could not copy into " + missing + ": " + ErrorText(ENOENT));

    const test::ScopedEnv language("LANGUAGE", "de");
    // A move and a copy are two messages, each with its own verb in its place.
    EXPECT_EQ(OnlyReason(source, missing, TransferKind::kCopy),
              "konnte nicht nach " + missing + " kopiert werden: " + ErrorText(ENOENT));
    EXPECT_EQ(OnlyReason(source, missing, TransferKind::kMove),
              "konnte nicht nach " + missing + " verschoben werden: " + ErrorText(ENOENT));
    EXPECT_EQ(OnlyReason("/dev/null", tree.Path("dst"), TransferKind::kCopy),
              "/dev/null ist eine Gerätedatei oder ein Socket, die sich nicht kopieren lassen");
}

} // namespace
} // namespace sifter
