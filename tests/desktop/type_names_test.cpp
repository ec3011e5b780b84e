// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/type_names.h"
#include "text/code_page.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QMimeDatabase>
#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace sifter {
namespace {

// What the database itself says about one MIME type, in the current language.
std::string CommentOf(const char *mimeType)
{
    const QMimeType type = QMimeDatabase().mimeTypeForName(QString::fromLatin1(mimeType));
    EXPECT_TRUE(type.isValid()) << mimeType;
    return type.comment().toLocal8Bit().toStdString();
}

// The type name of one name with no cache at all: the database's type for the name, or the
// generic text after its last dot (none for a leading dot alone or a trailing one).
std::string UncachedTypeName(const std::string &name)
{
    const QMimeType type =
        QMimeDatabase().mimeTypeForFile(QString::fromLocal8Bit(name.data(), static_cast<qsizetype>(name.size())),
                                        QMimeDatabase::MatchExtension);
    if (type.isValid() && !type.isDefault())
        return type.comment().toLocal8Bit().toStdString();
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == name.size())
        return "file";
    return UpperCase(name.substr(dot + 1)) + " file";
}

// Names that tell a cache key from a good one: hidden names and their suffix twins, names
// of more dots than any glob, case twins, names with globs of their own, bytes beyond ASCII
// (a Kelvin sign and a long s fold to "k" and "s"), and each database glob made a name,
// alone and after stems.
std::vector<std::string> TrickyNames()
{
    std::vector<std::string> names{
        "", ".", "..", "...", "a.", ".a", "a..b", ".txt", "x.txt", ".TXT", "X.TXT", ".bashrc", "x.bashrc", ".zzqq",
        "a.zzqq", "a.ZZQQ", ".tar.gz", "x.tar.gz", "x.TAR.GZ", "tar.gz", "a.b.tar.gz", "a.b.c.d.tar.gz", "y.gz", ".gz",
        "a.tar.bz2", "Makefile", "makefile", "MAKEFILE", "Makefile.am", "makefile.in", "GNUmakefile", "README",
        "readme.md", "ReadMe.txt", "CMakeLists.txt", "cmakelists.TXT", "libz.so", "libz.so.1", "libz.so.1.2.13",
        "so.1", "core", "Core", "core.1", "foo.1", "foo.10", "foo.0", "foo~", "foo%", "foo,v", "123.vdr", "12.vdr",
        "1234.vdr", "x.anim1", "x.animj", "x.ANIMJ", "lower.c", "upper.C", "x.C.gz", "\xC3\xBC.txt", "\xC3\x84rger.ZZQ",
        "bad\xff\xfe.txt", "odd.\xff", "Ma\xE2\x84\xAA" "efile", "\xC5\xBF" "consdcript", "\xC5\xBF" "construct",
        "org.gnome.App.gschema.xml", "vnd.debian.binary-package.xml", "python3.11", "x.desktop", "x.DESKTOP"};
    QFile globs(QStringLiteral("/usr/share/mime/globs2"));
    if (globs.open(QIODevice::ReadOnly)) {
        while (!globs.atEnd()) {
            const QList<QByteArray> fields = globs.readLine().trimmed().split(':');
            if (fields.size() < 3 || fields[0].startsWith('#'))
                continue;
            std::string glob = fields[2].toStdString();
            std::replace(glob.begin(), glob.end(), '*', 'x');
            std::replace(glob.begin(), glob.end(), '?', 'q');
            for (std::size_t open; (open = glob.find('[')) != std::string::npos;) {
                const std::size_t close = glob.find(']', open);
                glob.replace(open, close == std::string::npos ? 1 : close - open + 1, glob.substr(open + 1, 1));
            }
            for (const char *stem : {"", "a.", ".", "x.y", "Makefile."})
                names.push_back(stem + glob);
            names.push_back(UpperCase(glob));
        }
    }
    return names;
}

// The MIME type name of one name with no cache at all.
std::string UncachedMimeTypeName(const std::string &name)
{
    return QMimeDatabase()
        .mimeTypeForFile(QString::fromLocal8Bit(name.data(), static_cast<qsizetype>(name.size())),
                         QMimeDatabase::MatchExtension)
        .name()
        .toStdString();
}

// Type names and MIME type names share the cache; each name is asked for one of them first
// (by turns), so that either may fill the key the other then reads.
TEST(TypeNames, CachedTypeNamesAreEachNamesOwnInAnyOrder)
{
    std::vector<std::string> names = TrickyNames();
    ASSERT_GT(names.size(), 1000u);
    std::vector<std::pair<std::string, std::string>> expected;
    for (const std::string &name : names)
        expected.emplace_back(UncachedTypeName(name), UncachedMimeTypeName(name));
    std::mt19937 random(11);
    for (int order = 0; order < 3; ++order) {
        TypeNames cached;
        for (std::size_t i = 0; i < names.size(); ++i) {
            const auto &[typeName, mimeName] = expected[i];
            if ((i + static_cast<std::size_t>(order)) % 2 == 0) {
                ASSERT_EQ(cached.TypeName(names[i], false), typeName) << "order " << order << ": " << names[i];
                ASSERT_EQ(cached.MimeTypeName(names[i], false), mimeName) << "order " << order << ": " << names[i];
            } else {
                ASSERT_EQ(cached.MimeTypeName(names[i], false), mimeName) << "order " << order << ": " << names[i];
                ASSERT_EQ(cached.TypeName(names[i], false), typeName) << "order " << order << ": " << names[i];
            }
        }
        // Shuffled alike, so that each name meets the others' keys first in another order.
        std::vector<std::size_t> places(names.size());
        for (std::size_t i = 0; i < places.size(); ++i)
            places[i] = i;
        std::shuffle(places.begin(), places.end(), random);
        std::vector<std::string> shuffledNames;
        std::vector<std::pair<std::string, std::string>> shuffledExpected;
        for (std::size_t place : places) {
            shuffledNames.push_back(names[place]);
            shuffledExpected.push_back(expected[place]);
        }
        names.swap(shuffledNames);
        expected.swap(shuffledExpected);
    }
}

TEST(TypeNames, HiddenNameDoesNotTakeTheTypeOfItsSuffixTwin)
{
    TypeNames names;
    EXPECT_EQ(names.TypeName("x.zzqq", false), "ZZQQ file");
    EXPECT_EQ(names.TypeName(".zzqq", false), UncachedTypeName(".zzqq"));
    EXPECT_EQ(names.TypeName("y.tar.gz", false), CommentOf("application/x-compressed-tar"));
    EXPECT_EQ(names.TypeName(".tar.gz", false), UncachedTypeName(".tar.gz"));
}

TEST(TypeNames, NamesOfOneExtensionAreLookedUpOnce)
{
    TypeNames names;
    std::vector<std::string> extensions{".txt", ".log", ".tar.gz", ".zzqq"};
    for (int i = 0; i < 50; ++i) {
        for (const std::string &extension : extensions)
            names.TypeName("name" + std::to_string(i) + extension, false);
        names.TypeName("plain" + std::to_string(i), false); // no extension: all alike
        names.TypeName("deep.part" + std::to_string(i) + ".txt", false);
    }
    EXPECT_EQ(names.DatabaseLookups(), extensions.size() + 1);
    // The MIME type comes from the same lookup.
    EXPECT_EQ(names.MimeTypeName("other.txt", false), "text/plain");
    EXPECT_EQ(names.DatabaseLookups(), extensions.size() + 1);
    // A name with a glob of its own is looked up once too, but for itself.
    names.TypeName("Makefile", false);
    names.TypeName("Makefile", false);
    EXPECT_EQ(names.DatabaseLookups(), extensions.size() + 2);
}

TEST(TypeNames, NamesFromARealTreeAreEachNamesOwn)
{
    TypeNames cached;
    std::error_code error;
    std::size_t seen = 0;
    for (std::filesystem::recursive_directory_iterator it("/usr/share/doc", error), end; it != end && seen < 3000;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        ++seen;
        ASSERT_EQ(cached.TypeName(name, false), UncachedTypeName(name)) << name;
    }
}

TEST(TypeNames, FoldersAreFoldersWhateverTheirName)
{
    TypeNames names;
    EXPECT_EQ(names.TypeName("photos", true), "Folder");
    EXPECT_EQ(names.TypeName("notes.txt", true), "Folder");
    EXPECT_EQ(names.TypeName("/home/user/src.tar.gz", true), "Folder");
    EXPECT_EQ(names.MimeTypeName("notes.txt", true), "inode/directory");
}

TEST(TypeNames, KnownExtensionsGiveTheDatabaseComment)
{
    TypeNames names;
    const std::string text = CommentOf("text/plain");
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(names.TypeName("notes.txt", false), text);
    EXPECT_EQ(names.TypeName("NOTES.TXT", false), text);
    EXPECT_EQ(names.TypeName("again.txt", false), text);
    EXPECT_EQ(names.TypeName("paper.pdf", false), CommentOf("application/pdf"));
    EXPECT_EQ(names.TypeName("Paper.PDF", false), CommentOf("application/pdf"));
}

TEST(TypeNames, OnlyTheLastPathComponentCounts)
{
    TypeNames names;
    EXPECT_EQ(names.TypeName("/home/user/folder.d/paper.pdf", false), CommentOf("application/pdf"));
    EXPECT_EQ(names.TypeName("/srv/archive.zip/Makefile", false), CommentOf("text/x-makefile"));
}

TEST(TypeNames, CompoundSuffixesAreNotConfusedWithTheirLastPart)
{
    TypeNames names;
    const std::string compressedTar = CommentOf("application/x-compressed-tar");
    const std::string gzip = CommentOf("application/gzip");
    ASSERT_NE(compressedTar, gzip);
    EXPECT_EQ(names.TypeName("src.tar.gz", false), compressedTar);
    EXPECT_EQ(names.TypeName("log.gz", false), gzip);
    EXPECT_EQ(names.TypeName("other.tar.gz", false), compressedTar);
    EXPECT_EQ(names.TypeName("backup.2024.tar.gz", false), compressedTar);
    EXPECT_EQ(names.TypeName("more.log.gz", false), gzip);
}

TEST(TypeNames, NamesWithTheirOwnGlobDoNotLeakIntoTheirSuffix)
{
    // Each order once: a cache keyed only by the suffix would give one of the two to both.
    const std::string cmake = CommentOf("text/x-cmake");
    const std::string text = CommentOf("text/plain");
    ASSERT_NE(cmake, text);
    {
        TypeNames names;
        EXPECT_EQ(names.TypeName("CMakeLists.txt", false), cmake);
        EXPECT_EQ(names.TypeName("notes.txt", false), text);
    }
    {
        TypeNames names;
        EXPECT_EQ(names.TypeName("notes.txt", false), text);
        EXPECT_EQ(names.TypeName("CMakeLists.txt", false), cmake);
        EXPECT_EQ(names.TypeName("cmakelists.txt", false), cmake);
    }
    TypeNames names;
    EXPECT_EQ(names.TypeName("Makefile", false), CommentOf("text/x-makefile"));
    EXPECT_EQ(names.TypeName("Makefile.am", false), CommentOf("text/x-makefile"));
    EXPECT_EQ(names.TypeName("other.am", false), "AM file");
    EXPECT_EQ(names.TypeName("Makefile.am", false), CommentOf("text/x-makefile"));
    EXPECT_EQ(names.TypeName("libz.so.1", false), CommentOf("application/x-sharedlib"));
    EXPECT_EQ(names.TypeName("README", false), CommentOf("text/x-readme"));
    EXPECT_EQ(names.TypeName("Readme", false), CommentOf("text/x-readme"));
}

TEST(TypeNames, CaseSensitiveGlobsKeepTheirCase)
{
    const std::string cpp = CommentOf("text/x-c++src");
    const std::string c = CommentOf("text/x-csrc");
    ASSERT_NE(cpp, c);
    TypeNames names;
    EXPECT_EQ(names.TypeName("lower.c", false), c);
    EXPECT_EQ(names.TypeName("upper.C", false), cpp);
    EXPECT_EQ(names.TypeName("again.c", false), c);
}

TEST(TypeNames, UnknownTypesGetAGenericText)
{
    TypeNames names;
    EXPECT_EQ(names.TypeName("data.zzqq", false), "ZZQQ file");
    EXPECT_EQ(names.TypeName("data.Zzqq", false), "ZZQQ file");
    EXPECT_EQ(names.TypeName("odd.ärgx", false), "ÄRGX file");
    EXPECT_EQ(names.TypeName("blob", false), "file");
    EXPECT_EQ(names.TypeName("trailing.", false), "file");
    EXPECT_EQ(names.TypeName(".zzqqrc", false), "file");
    EXPECT_EQ(names.TypeName("", false), "file");
}

TEST(TypeNames, BytesThatAreNotUtf8StillFindTheType)
{
    TypeNames names;
    EXPECT_EQ(names.TypeName("bad\xff\xfe.txt", false), CommentOf("text/plain"));
    EXPECT_EQ(names.TypeName("odd.\xff", false), "\xff file");
}

TEST(TypeNames, StaysCorrectAfterTheCacheStartsOver)
{
    TypeNames names;
    const std::string text = CommentOf("text/plain");
    EXPECT_EQ(names.TypeName("first.txt", false), text);
    for (int i = 0; i < 5000; ++i)
        ASSERT_EQ(names.TypeName("n.x" + std::to_string(i) + "q", false), "X" + std::to_string(i) + "Q file");
    EXPECT_EQ(names.TypeName("last.txt", false), text);
}

} // namespace
} // namespace sifter
