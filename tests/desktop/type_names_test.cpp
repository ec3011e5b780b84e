#include "desktop/type_names.h"

#include <gtest/gtest.h>

#include <QMimeDatabase>
#include <string>

namespace sifter {
namespace {

// What the database itself says about one MIME type, in the current language.
std::string CommentOf(const char *mimeType)
{
    const QMimeType type = QMimeDatabase().mimeTypeForName(QString::fromLatin1(mimeType));
    EXPECT_TRUE(type.isValid()) << mimeType;
    return type.comment().toLocal8Bit().toStdString();
}

TEST(TypeNames, FoldersAreFoldersWhateverTheirName)
{
    TypeNames names;
    EXPECT_EQ(names.TypeName("photos", true), "Folder");
    EXPECT_EQ(names.TypeName("notes.txt", true), "Folder");
    EXPECT_EQ(names.TypeName("/home/user/src.tar.gz", true), "Folder");
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
