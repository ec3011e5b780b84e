// SPDX-License-Identifier: GPL-3.0-or-later
// CSifterDoc: the modified mark, the proposed file name, contents reset, opening only
// result files that fit in memory, reading and writing them, and the running flag around
// a search run.
#include "doc/sifter_doc.h"
#include "results/sifter_view.h"
#include "search/text_field.h"
#include "stores/byte_stream.h"
#include "stores/result_file.h"
#include "support/heap_bytes.h"
#include "support/qt_printers.h"
#include "support/sifter_app_fixture.h"
#include "support/temp_tree.h"
#include "support/tiny_records_file.h"
#include "text/size_text.h"

#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <filesystem>

namespace sifter {
namespace {

void AddRecord(FileSearch &search, const char *name, const char *folder)
{
    auto record = std::make_unique<FoundFile>();
    record->SetName(name);
    record->SetFolder(folder);
    record->size = 42;
    search.AppendFoundFile(std::move(record));
}

// A document that exposes its protected file operations to the tests.
class OpenDoc : public CSifterDoc {
public:
    using CSifterDoc::ReadDocument;
    using CSifterDoc::WriteDocument;
};

TEST(CSifterDocTitle, ModifiedMarkIsAppendedOnce)
{
    CSifterDoc doc;
    doc.SetTitle(QStringLiteral("In Work"));
    QSignalSpy titles(&doc, &Document::TitleChanged);
    doc.SetModifiedFlag(true);
    EXPECT_EQ(doc.Title(), QStringLiteral("In Work *"));
    EXPECT_TRUE(doc.IsModified());
    doc.SetModifiedFlag(true);
    EXPECT_EQ(doc.Title(), QStringLiteral("In Work *"));
    EXPECT_EQ(titles.count(), 2); // the frame's title is refreshed both times
    doc.SetModifiedFlag(false);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.Title(), QStringLiteral("In Work *")); // only a new title removes the mark
}

TEST(CSifterDocTitle, ASingleAsteriskTitleGetsTheMarkButALongerStarredOneDoesNot)
{
    CSifterDoc single;
    single.SetTitle(QStringLiteral("*"));
    single.SetModifiedFlag(true);
    EXPECT_EQ(single.Title(), QStringLiteral("* *"));

    CSifterDoc starred;
    starred.SetTitle(QStringLiteral("a*"));
    starred.SetModifiedFlag(true);
    EXPECT_EQ(starred.Title(), QStringLiteral("a*"));

    CSifterDoc empty;
    empty.SetModifiedFlag(true);
    EXPECT_EQ(empty.Title(), QStringLiteral(" *"));
}

TEST(CSifterDocTitle, ProposedFileNameDropsTheMarkAndUnsafeCharacters)
{
    CSifterDoc doc;
    doc.SetTitle(QStringLiteral("In Work"));
    doc.SetModifiedFlag(true);
    EXPECT_EQ(doc.ProposedFileName(), QStringLiteral("In Work.sifter"));
    doc.SetTitle(QStringLiteral(" [a:b]  {c?d}  In x/y\\z \"q\" <r>|* "));
    EXPECT_EQ(doc.ProposedFileName(), QStringLiteral("[ab]  {cd}  In xyz q r.sifter"));
    doc.SetTitle(QStringLiteral("***"));
    EXPECT_EQ(doc.ProposedFileName(), QStringLiteral(".sifter"));
}

TEST(CSifterDocContents, ResetFreesRecordsAndRestoresDefaultCriteria)
{
    CSifterDoc doc;
    AddRecord(doc.Search(), "a.txt", "/x");
    SetTextField(doc.Search().criteria.names, "*.txt");
    doc.Search().criteria.searchHidden = 0;
    doc.Search().criteria.unicodeUtf8 = 0;
    doc.DeleteContents();
    EXPECT_EQ(doc.Search().Head(), nullptr);
    EXPECT_EQ(doc.Search().CountFoundFiles(), 0u);
    EXPECT_TRUE(TextField(doc.Search().criteria.names).empty());
    EXPECT_EQ(doc.Search().criteria.searchHidden, 1);
    EXPECT_EQ(doc.Search().criteria.unicodeUtf8, 1);
    EXPECT_EQ(doc.Search().criteria.caseSensitive, 0);
}

class CSifterDocFiles : public ::testing::Test {
protected:
    QString Saved(int records)
    {
        FileSearch source;
        SetTextField(source.criteria.names, "*.log");
        for (int i = 0; i < records; ++i)
            AddRecord(source, ("f" + std::to_string(i) + ".log").c_str(), "/var/log");
        const std::string path = tree.Path("r" + std::to_string(records) + ".sifter");
        EXPECT_TRUE(SaveResultFile(source, path));
        return QString::fromStdString(path);
    }

    test::TempTree tree;
};

TEST_F(CSifterDocFiles, OpeningAResultFileReadsCriteriaAndRecords)
{
    OpenDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(Saved(2)));
    EXPECT_EQ(doc.Search().CountFoundFiles(), 2u);
    EXPECT_EQ(TextField(doc.Search().criteria.names), "*.log");
    EXPECT_EQ(doc.Search().Head()->Name(), "f0.log");
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(CSifterDocFiles, AFileThatIsNotAResultFileIsRefusedWithoutTouchingTheDocument)
{
    OpenDoc doc;
    AddRecord(doc.Search(), "mine.txt", "/home");
    SetTextField(doc.Search().criteria.words, "keep");
    doc.SetTitle(QStringLiteral("Mine"));
    doc.SetModifiedFlag(true);
    const std::string notes = tree.WriteFile("notes.sifter", "hello, this is text");
    const std::string almost = tree.WriteFile("almost.sifter", std::string("SF01X") + std::string(3000, '\0'));
    const std::string empty = tree.WriteFile("empty.sifter", "");
    for (const std::string &path : {notes, almost, empty, tree.Path("missing.sifter"), tree.Root()}) {
        EXPECT_FALSE(doc.OnOpenDocument(QString::fromStdString(path))) << path;
        EXPECT_EQ(doc.Search().CountFoundFiles(), 1u) << path;
        EXPECT_EQ(TextField(doc.Search().criteria.words), "keep") << path;
        EXPECT_EQ(doc.Title(), QStringLiteral("Mine *")) << path;
        EXPECT_TRUE(doc.IsModified()) << path;
    }
}

TEST_F(CSifterDocFiles, AFileCutShortKeepsTheRecordsReadUpToTheCut)
{
    const QString path = Saved(3);
    std::filesystem::resize_file(path.toStdString(), kResultHeaderSize + 676 * 2 + 100);
    OpenDoc doc;
    EXPECT_TRUE(doc.OnOpenDocument(path));
    EXPECT_EQ(doc.Search().CountFoundFiles(), 2u);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(CSifterDocFiles, SavingAnEmptySearchWritesTheHeaderOnly)
{
    OpenDoc doc;
    const QString path = QString::fromStdString(tree.Path("empty-result.sifter"));
    ASSERT_TRUE(doc.OnSaveDocument(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_EQ(bytes.size(), 2177);
    EXPECT_EQ(bytes.left(5), QByteArray("SF01\0", 5));
    EXPECT_EQ(bytes.right(4), QByteArray(4, '\0'));
}

TEST_F(CSifterDocFiles, SavedRecordsReadBackIntoAnotherDocument)
{
    OpenDoc doc;
    AddRecord(doc.Search(), "one.txt", "/a");
    AddRecord(doc.Search(), "two.txt", "/b");
    const QString path = QString::fromStdString(tree.Path("two.sifter"));
    ASSERT_TRUE(doc.WriteDocument(path));
    EXPECT_EQ(QFileInfo(path).size(), 2177 + 2 * 676);
    OpenDoc other;
    ASSERT_TRUE(other.OnOpenDocument(path));
    ASSERT_EQ(other.Search().CountFoundFiles(), 2u);
    EXPECT_EQ(other.Search().Tail()->Folder(), "/b");
}

TEST_F(CSifterDocFiles, AFailedWriteLeavesAnExistingFileAsItWas)
{
    const QString path = Saved(1);
    const QByteArray before = [&] {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();
    OpenDoc doc;
    AddRecord(doc.Search(), "x", "/y");
    // A file in a folder that does not exist cannot be written; nothing is left behind.
    EXPECT_FALSE(doc.WriteDocument(QString::fromStdString(tree.Path("nowhere/x.sifter"))));
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(tree.Path("nowhere"))));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

// A pump that looks at the document while the run is on the stack.
class Watcher final : public EventPump, public ResultsSink {
public:
    explicit Watcher(CSifterDoc &doc) : doc_(doc) {}
    void DispatchPendingEvents() override
    {
        ++pumps;
        sawBusy = sawBusy || doc_.IsBusy();
        sawRunning = sawRunning || doc_.Search().Running();
        if (stopAtFirstPump)
            doc_.StopSearch();
        // A nested run is refused while this one is on the stack.
        nestedResult = doc_.RunSearch({});
    }
    void ClearResultRows() override {}
    void AddResultRow(FoundFile &) override { ++rows; }

    int pumps = 0;
    int rows = 0;
    int nestedResult = 0;
    bool sawBusy = false;
    bool sawRunning = false;
    bool stopAtFirstPump = false;

private:
    CSifterDoc &doc_;
};

TEST_F(CSifterDocFiles, RunSearchHoldsTheRunningFlagOnlyForTheRunAndTellsItsStartAndEnd)
{
    for (int i = 0; i < 30; ++i)
        tree.WriteFile("data/sub" + std::to_string(i % 3) + "/file" + std::to_string(i) + ".txt", "x");
    CSifterDoc doc;
    SetTextField(doc.Search().criteria.names, "*.txt");
    SetTextField(doc.Search().criteria.folders, tree.Path("data"));
    Watcher watcher(doc);
    QSignalSpy ended(&doc, &CSifterDoc::SearchRunEnded);
    int startsBeforeAnyRow = 0;
    QObject::connect(&doc, &CSifterDoc::SearchRunStarting, [&] {
        startsBeforeAnyRow += watcher.rows == 0 && !doc.Search().Running() ? 1 : 100;
    });
    EXPECT_EQ(doc.RunSearch({&watcher, nullptr, &watcher}), 0);
    // Once each, though a nested run was refused in between.
    EXPECT_EQ(startsBeforeAnyRow, 1);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(watcher.rows, 30);
    EXPECT_FALSE(doc.IsBusy());
    EXPECT_FALSE(doc.Search().Running());
    // The run dispatches events at its first entry at the latest.
    ASSERT_GT(watcher.pumps, 0);
    EXPECT_TRUE(watcher.sawBusy);
    EXPECT_TRUE(watcher.sawRunning);
    EXPECT_EQ(watcher.nestedResult, -1);
}

TEST_F(CSifterDocFiles, StopSearchEndsTheRunEarly)
{
    for (int i = 0; i < 200; ++i)
        tree.WriteFile("many/d" + std::to_string(i) + "/f.txt", "x");
    CSifterDoc doc;
    SetTextField(doc.Search().criteria.names, "*.txt");
    SetTextField(doc.Search().criteria.folders, tree.Path("many"));
    Watcher watcher(doc);
    watcher.stopAtFirstPump = true;
    doc.RunSearch({&watcher, nullptr, &watcher});
    EXPECT_FALSE(doc.Search().Running());
    ASSERT_GT(watcher.pumps, 0);
    EXPECT_LT(watcher.rows, 200);
}

// The whole program, so that a refusal is seen as the user sees it: File > Open.
class CSifterDocOpening : public test::SifterAppFixture {
protected:
    void Open(const QString &path)
    {
        prompts->openAnswer = path;
        Frame().SendCommand(cmd::kFileOpen);
    }

    // Opens a saved search of two records and marks it modified; returns its path.
    QString OpenModifiedDocument()
    {
        FileSearch genuine;
        SetTextField(genuine.criteria.names, "*.log");
        AddRecord(genuine, "a.log", "/var/log");
        AddRecord(genuine, "b.log", "/var/log");
        const QString kept = QString::fromStdString(tree.Path("kept.sifter"));
        EXPECT_TRUE(SaveResultFile(genuine, kept.toStdString()));
        Open(kept);
        EXPECT_EQ(Doc().Search().CountFoundFiles(), 2u);
        Doc().SetModifiedFlag(true);
        return kept;
    }

    // The document is still the one OpenModifiedDocument opened.
    void ExpectDocumentKept(const QString &kept, const QString &title)
    {
        EXPECT_EQ(Doc().Search().CountFoundFiles(), 2u);
        EXPECT_EQ(TextField(Doc().Search().criteria.names), "*.log");
        EXPECT_EQ(Doc().Title(), title);
        EXPECT_EQ(Doc().PathName(), kept);
        EXPECT_TRUE(Doc().IsModified());
        EXPECT_EQ(Frame().GetResultsView()->ItemCount(), 2);
    }
};

TEST_F(CSifterDocOpening, AFileThatIsNotAResultFileOrIsCutInItsHeaderIsRefusedWithAMessage)
{
    ASSERT_TRUE(Start());
    const QString kept = OpenModifiedDocument();
    const QString title = Doc().Title();

    const QString text = QString::fromStdString(tree.WriteFile("notes.sifter", "hello, this is text"));
    Open(text);
    ASSERT_EQ(prompts->errors.size(), 1);
    EXPECT_EQ(prompts->errors.back(), QStringLiteral("Could not open %1: it is not a Sifter result file.").arg(text));
    ExpectDocumentKept(kept, title);

    std::string header = test::TinyRecordsFile(FileSearch().criteria, 0);
    header.resize(1000);
    const QString cut = QString::fromStdString(tree.WriteFile("cut.sifter", header));
    Open(cut);
    ASSERT_EQ(prompts->errors.size(), 2);
    EXPECT_EQ(prompts->errors.back(),
              QStringLiteral("Could not open the result file %1: it is damaged, cut short inside its header.").arg(cut));
    ExpectDocumentKept(kept, title);

    const QString folder = QString::fromStdString(tree.MakeFolder("folder.sifter"));
    Open(folder);
    ASSERT_EQ(prompts->errors.size(), 3);
    EXPECT_EQ(prompts->errors.back(), QStringLiteral("Could not open %1: it is not a Sifter result file.").arg(folder));
    ExpectDocumentKept(kept, title);
}

// What the rows of a file need in the window, as its refusal counts them.
std::uint64_t RowMemoryNeeded(const std::string &file)
{
    FileSearch scratch;
    MemorySource source(file.data(), file.size());
    ResultLoadLimit nothing;
    nothing.memoryBytes = 0;
    nothing.perRowBytes = CSifterDoc::kWindowBytesPerRow;
    ResultLoadReport report;
    LoadResults(scratch, source, nothing, &report);
    EXPECT_EQ(report.stop, ResultLoadStop::kOverLimit);
    return report.neededBytes;
}

TEST_F(CSifterDocOpening, AFileWhoseRowsWouldNeedOverAQuarterOfTheFreeMemoryIsRefusedNamingWhatTheyNeed)
{
    ASSERT_TRUE(Start());
    const QString kept = OpenModifiedDocument();
    const QString title = Doc().Title();

    // 1,000 records in 7 kB.
    const std::string bytes = test::TinyRecordsFile(FileSearch().criteria, 1000);
    const std::uint64_t needed = RowMemoryNeeded(bytes);
    ASSERT_GT(needed, 1000 * (sizeof(FoundFile) + CSifterDoc::kWindowBytesPerRow));
    const QString tiny = QString::fromStdString(tree.WriteFile("tiny.sifter", bytes));
    Doc().SetAvailableMemoryProbe([needed] { return 4 * needed - 4; });
    Open(tiny);
    ASSERT_EQ(prompts->errors.size(), 1);
    EXPECT_EQ(prompts->errors.front(),
              QStringLiteral("Could not open the result file %1: its results would need %2 of memory, more than the %3 "
                             "Sifter may take for them (a quarter of the free memory, at most 4 GB).")
                  .arg(tiny, QString::fromStdString(FormatByteSize(needed)),
                       QString::fromStdString(FormatByteSize(needed - 1))));
    ExpectDocumentKept(kept, title);

    // With a quarter of the memory enough for them, the same records open.
    Doc().SetAvailableMemoryProbe([needed] { return 4 * needed; });
    Open(tiny);
    EXPECT_EQ(Doc().Search().CountFoundFiles(), 1000u);
    EXPECT_EQ(prompts->errors.size(), 1);
}

TEST(CSifterDocMemoryLimit, RowsMayTakeAQuarterOfTheFreeMemoryAndNeverMoreThanFourGigabytes)
{
    constexpr std::uint64_t kGigabyte = std::uint64_t{1} << 30;
    EXPECT_EQ(CSifterDoc::RowMemoryLimitFor(8 * kGigabyte).memoryBytes, 2 * kGigabyte);
    EXPECT_EQ(CSifterDoc::RowMemoryLimitFor(44 * kGigabyte).memoryBytes, 4 * kGigabyte);
    EXPECT_EQ(CSifterDoc::RowMemoryLimitFor(0).memoryBytes, 4 * kGigabyte) << "unknown";
    EXPECT_EQ(CSifterDoc::RowMemoryLimitFor(kGigabyte).perRowBytes, CSifterDoc::kWindowBytesPerRow);
}

TEST_F(CSifterDocOpening, ARowOfAnOpenedFileCostsTheWindowNoMoreThanItIsCountedFor)
{
    if (!test::HeapBytesKnown())
        GTEST_SKIP() << "the allocator's figures are not glibc's";
    using test::HeapBytes;
    StartShown();
    constexpr std::uint32_t kRows = 200'000;
    const std::string bytes = test::TinyRecordsFile(FileSearch().criteria, kRows);
    const QString tiny = QString::fromStdString(tree.WriteFile("tiny.sifter", bytes));
    const std::uint64_t counted = RowMemoryNeeded(bytes);
    QCoreApplication::processEvents();
    const std::uint64_t before = HeapBytes();
    Open(tiny);
    ASSERT_EQ(Frame().GetResultsView()->ItemCount(), static_cast<int>(kRows));
    for (const CommandId view : {cmd::kViewList, cmd::kViewSmallIcons, cmd::kViewLargeIcons, cmd::kViewDetails}) {
        Frame().SendCommand(view);
        ASSERT_FALSE(Frame().grab().isNull());
        QCoreApplication::processEvents();
    }
    const std::uint64_t after = HeapBytes();
    ASSERT_GT(after, before);
    EXPECT_LE(after - before, counted) << (after - before) / kRows << " bytes a row, counted "
                                       << counted / kRows;
}

TEST(CSifterDocLifetime, DestroyingTheDocumentFreesItsRecords)
{
    // Leaks would show in the sanitizer build.
    auto doc = std::make_unique<CSifterDoc>();
    for (int i = 0; i < 10; ++i)
        AddRecord(doc->Search(), "f", "/d");
    doc->Search().SetRunning(true);
    doc.reset();
    SUCCEED();
}

} // namespace
} // namespace sifter
