// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/found_file_line.h"
#include "cli/found_file_printer.h"
#include "cli/terminal_progress.h"
#include "fs/file_attributes.h"
#include "search/file_search.h"
#include "support/scoped_locale.h"
#include "support/scoped_time_zone.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <thread>
#include <unistd.h>

namespace sifter {
namespace {

using test::ScopedLocale;
using test::ScopedTimeZone;

// 2026-03-08 12:34:56 UTC.
constexpr std::int64_t kSomeUnixTime = 1772973296;

FoundFile MakeRecord(std::string_view folder, std::string_view name)
{
    FoundFile record;
    record.SetFolder(folder);
    record.SetName(name);
    record.size = 123456789012ULL;
    record.attributes = kAttributeReadOnly | kAttributeHidden | kAttributeNormal;
    record.lastWriteTime = FileTimeFromUnix(kSomeUnixTime);
    record.matchOffset = 4242;
    return record;
}

std::string ReadAll(int fd)
{
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got <= 0)
            return text;
        text.append(buffer, static_cast<std::size_t>(got));
    }
}

TEST(FormatIsoLocalTime, WritesLocalTimeInIsoForm)
{
    {
        ScopedTimeZone utc("UTC0");
        EXPECT_EQ(FormatIsoLocalTime(FileTimeFromUnix(kSomeUnixTime)), "2026-03-08T12:34:56");
        EXPECT_EQ(FormatIsoLocalTime(FileTimeFromUnix(0)), "1970-01-01T00:00:00");
    }
    ScopedTimeZone east("XST-3");
    EXPECT_EQ(FormatIsoLocalTime(FileTimeFromUnix(kSomeUnixTime)), "2026-03-08T15:34:56");
}

TEST(FormatFoundFileLine, PlainIsTheWholePath)
{
    EXPECT_EQ(FormatFoundFileLine(MakeRecord("/data/docs", "a b.txt"), false), "/data/docs/a b.txt");
    EXPECT_EQ(FormatFoundFileLine(MakeRecord("/", "top"), false), "/top");
}

TEST(FormatFoundFileLine, LongNamesAndFoldersArePrintedWhole)
{
    const std::string folder = "/" + std::string(300, 'f') + "/" + std::string(200, 'g');
    const std::string name = std::string(250, 'n') + ".txt";
    EXPECT_EQ(FormatFoundFileLine(MakeRecord(folder, name), false), folder + "/" + name);
}

TEST(FormatFoundFileLine, LongFormHasTabSeparatedColumns)
{
    ScopedTimeZone utc("UTC0");
    EXPECT_EQ(FormatFoundFileLine(MakeRecord("/d", "f"), true), "/d/f\t123456789012\tRH\t2026-03-08T12:34:56\t4242");
    FoundFile plain = MakeRecord("/d", "g");
    plain.attributes = kAttributeNormal;
    plain.matchOffset = 0;
    plain.size = 0;
    EXPECT_EQ(FormatFoundFileLine(plain, true), "/d/g\t0\t\t2026-03-08T12:34:56\t0");
}

TEST(FoundFilePrinter, EndsEachRecordWithNewlineOrNul)
{
    std::FILE *out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    FoundFilePrinter lines(out, false, false);
    EXPECT_TRUE(lines.Print(MakeRecord("/d", "with\nnewline")));
    FoundFilePrinter nuls(out, false, true);
    EXPECT_TRUE(nuls.Print(MakeRecord("/d", "x")));
    EXPECT_TRUE(nuls.Print(MakeRecord("/d", "y")));
    EXPECT_EQ(lines.Printed(), 1u);
    EXPECT_EQ(nuls.Printed(), 2u);
    std::rewind(out);
    std::string text(64, '\0');
    text.resize(std::fread(text.data(), 1, text.size(), out));
    std::fclose(out);
    EXPECT_EQ(text, std::string("/d/with\nnewline\n/d/x\0/d/y\0", 26));
}

TEST(FoundFilePrinter, FirstRecordReachesAPipeAtOnceAndFlushHandsOnTheRest)
{
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    ASSERT_EQ(fcntl(fds[0], F_SETFL, O_NONBLOCK), 0);
    std::FILE *out = fdopen(fds[1], "w");
    ASSERT_NE(out, nullptr);
    auto drain = [&] {
        std::string text(256, '\0');
        const ssize_t got = read(fds[0], text.data(), text.size());
        text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
        return text;
    };
    FoundFilePrinter printer(out, false, false);
    ASSERT_TRUE(printer.Print(MakeRecord("/d", "first")));
    EXPECT_EQ(drain(), "/d/first\n");
    ASSERT_TRUE(printer.Print(MakeRecord("/d", "second")));
    ASSERT_TRUE(printer.Print(MakeRecord("/d", "third")));
    ASSERT_TRUE(printer.Flush());
    EXPECT_EQ(drain(), "/d/second\n/d/third\n");
    EXPECT_TRUE(printer.Flush()) << "nothing pending is no failure";
    std::fclose(out);
    close(fds[0]);
}

TEST(FoundFilePrinter, AFailedWriteIsReportedAndStopsTheRun)
{
    std::FILE *full = std::fopen("/dev/full", "w");
    if (!full)
        GTEST_SKIP() << "no /dev/full";
    FoundFilePrinter printer(full, false, false);
    FileSearch search;
    search.SetRunning(true);
    PrintingResultsSink sink(printer, search);
    FoundFile record = MakeRecord("/d", "f");
    sink.AddResultRow(record);
    EXPECT_EQ(printer.WriteError(), ENOSPC);
    EXPECT_EQ(printer.Printed(), 0u);
    EXPECT_FALSE(search.Running());
    EXPECT_FALSE(printer.Print(record)) << "nothing more is printed after a failure";
    std::fclose(full);
}

TEST(FoundFilePrinter, AClosedPipeIsABrokenPipeNotACrash)
{
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    close(fds[0]);
    std::FILE *out = fdopen(fds[1], "w");
    ASSERT_NE(out, nullptr);
    // SIGPIPE would end the test program; sifter-cli ignores it the same way.
    void (*old)(int) = std::signal(SIGPIPE, SIG_IGN);
    FoundFilePrinter printer(out, false, false);
    EXPECT_FALSE(printer.Print(MakeRecord("/d", "f")));
    EXPECT_EQ(printer.WriteError(), EPIPE);
    std::signal(SIGPIPE, old);
    std::fclose(out);
}

TEST(FitToColumns, ShortTextStaysAsItIs)
{
    EXPECT_EQ(FitToColumns("/home/user", 80), "/home/user");
    EXPECT_EQ(FitToColumns("", 10), "");
}

TEST(FitToColumns, LongTextKeepsItsEnd)
{
    EXPECT_EQ(FitToColumns("/aaaa/bbbb/cccc", 10), "...bb/cccc");
    EXPECT_EQ(FitToColumns("/aaaa/bbbb/cccc", 3), "...");
    EXPECT_EQ(FitToColumns("/aaaa/bbbb/cccc", 2), "..");
}

TEST(FitToColumns, ControlCharactersCannotReachTheTerminal)
{
    EXPECT_EQ(FitToColumns("/evil\x1b]0;title\x07/x\r\n", 80), "/evil?]0;title?/x??");
}

TEST(FitToColumns, CountsCellsNotBytesInUtf8)
{
    const ScopedLocale utf8(LC_CTYPE, "C.UTF-8");
    if (!utf8.Active())
        GTEST_SKIP() << "no C.UTF-8 locale";
    // Six é (two bytes each) fit six cells; a cut never splits one.
    EXPECT_EQ(FitToColumns("\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9", 6),
              "\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9");
    EXPECT_EQ(FitToColumns("\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9", 5), "...\xc3\xa9\xc3\xa9");
    // A wide character takes two cells; an invalid byte is replaced.
    EXPECT_EQ(FitToColumns("\xe6\x96\x87\xe6\x96\x87\xe6\x96\x87", 5), "...\xe6\x96\x87");
    EXPECT_EQ(FitToColumns("a\xff" "b", 10), "a?b");
}

TEST(TerminalProgress, StaysSilentWhenNotOnATerminal)
{
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    {
        TerminalProgress progress(fds[1]);
        progress.ShowSearchFolder("/some/folder");
        progress.Clear();
    }
    close(fds[1]);
    EXPECT_EQ(ReadAll(fds[0]), "");
    close(fds[0]);
}

TEST(TerminalProgress, OverwritesOneLineAtMostTenTimesASecondAndClearsIt)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const int terminal = open(ptsname(master), O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    {
        TerminalProgress progress(terminal);
        progress.ShowSearchFolder("/one");
        progress.ShowSearchFolder("/two"); // within the interval: not drawn
        std::this_thread::sleep_for(TerminalProgress::kRedrawInterval + std::chrono::milliseconds(20));
        progress.ShowSearchFolder("/three");
        progress.Clear();
        progress.Clear(); // nothing shown: nothing written
    }
    close(terminal);
    // The pty translates "\n" only; the bytes written arrive as they are.
    fcntl(master, F_SETFL, O_NONBLOCK);
    EXPECT_EQ(ReadAll(master), "\r\x1b[K/one\r\x1b[K/three\r\x1b[K");
    close(master);
}

} // namespace
} // namespace sifter
