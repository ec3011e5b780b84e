// SPDX-License-Identifier: GPL-3.0-or-later
#include "doc/sifter_doc.h"

#include "doc/document_title.h"
#include "framework/single_doc_template.h"
#include "framework/string_resources.h"
#include "framework/user_prompts.h"
#include "stores/byte_stream.h"
#include "stores/result_file.h"
#include "text/size_text.h"

#include <QFile>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace sifter {
namespace {

constexpr QLatin1Char kModifiedMark('*');

std::string LocalPath(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

} // namespace

CSifterDoc::CSifterDoc() = default;

CSifterDoc::~CSifterDoc()
{
    fileSearch_.SetRunning(false);
    fileSearch_.ClearFoundFiles();
}

int CSifterDoc::RunSearch(const SearchSinks &sinks)
{
    if (fileSearch_.InRun())
        return -1;
    emit SearchRunStarting();
    fileSearch_.SetRunning(true);
    const int result = fileSearch_.RunSearch(sinks);
    fileSearch_.SetRunning(false);
    emit SearchRunEnded();
    return result;
}

void CSifterDoc::DeleteContents()
{
    // Refused during a run, so nothing is dropped then either.
    if (!fileSearch_.InRun())
        emit ResultSetAboutToBeFreed();
    fileSearch_.ClearFoundFiles();
    fileSearch_.ResetCriteria();
    Document::DeleteContents();
}

ResultLoadLimit CSifterDoc::RowMemoryLimit() const
{
    return RowMemoryLimitFor(availableMemory_ ? availableMemory_() : 0);
}

ResultLoadLimit CSifterDoc::RowMemoryLimitFor(std::uint64_t available)
{
    ResultLoadLimit limit;
    // A system that does not say what it has left still gets the fixed ceiling.
    limit.memoryBytes = available == 0 ? kMostRowMemory : std::min(available / kAvailableShare, kMostRowMemory);
    limit.perRowBytes = kWindowBytesPerRow;
    return limit;
}

void CSifterDoc::TellOpenFailure(const QString &message) const
{
    if (Template())
        Template()->Prompts().ShowError(message);
}

bool CSifterDoc::OnOpenDocument(const QString &path)
{
    // Read whole before anything is freed, in one pass that counts the memory as it goes:
    // a refused file leaves the document as it was, and a file of tiny hostile records,
    // which may announce gigabytes in a few megabytes, stops at the limit.
    int openError = 0;
    std::FILE *file = OpenRegularFileForReading(LocalPath(path), &openError);
    if (!file) {
        // A folder, FIFO or device at the path is no result file either.
        TellOpenFailure(openError == 0 ? FormatResString(str::kNotAResultFile, path)
                                       : LoadResString(str::kResultFileUnreadable)
                                             .arg(path, QString::fromLocal8Bit(std::strerror(openError))));
        return false;
    }
    auto staged = std::make_unique<FileSearch>();
    StdioSource source(file);
    const ResultLoadLimit limit = RowMemoryLimit();
    ResultLoadReport report;
    LoadResults(*staged, source, limit, &report);
    // Read-only stream: closing cannot lose data.
    std::fclose(file);
    switch (report.stop) {
    case ResultLoadStop::kNone:
    case ResultLoadStop::kDamagedRecord: // the records before the damage are kept
        break;
    case ResultLoadStop::kBusy:
        return false;
    case ResultLoadStop::kNotResultFile:
        TellOpenFailure(FormatResString(str::kNotAResultFile, path));
        return false;
    case ResultLoadStop::kHeaderCut:
        TellOpenFailure(FormatResString(str::kResultFileHeaderCut, path));
        return false;
    case ResultLoadStop::kOverLimit:
        TellOpenFailure(LoadResString(str::kResultFileTooLarge)
                            .arg(path, QString::fromStdString(FormatByteSize(report.neededBytes)),
                                 QString::fromStdString(FormatByteSize(limit.memoryBytes))));
        return false;
    }
    staged_ = std::move(staged);
    const bool opened = Document::OnOpenDocument(path);
    staged_.reset();
    return opened;
}

void CSifterDoc::SetModifiedFlag(bool modified)
{
    Document::SetModifiedFlag(modified);
    if (!modified)
        return;
    const QString title = Title();
    if (title.size() >= 2 && title.endsWith(kModifiedMark)) {
        // Already marked; the frame's title still follows the flag.
        emit TitleChanged(title);
        return;
    }
    SetTitle(title + QStringLiteral(" *"));
}

QString CSifterDoc::ProposedFileName() const
{
    QString extension = QStringLiteral(".sifter");
    if (Template())
        extension = Template()->DocString(DocStringField::kFilterExt);
    return RemoveTitleUnsafeCharacters(Title()) + extension;
}

bool CSifterDoc::ReadDocument(const QString &path)
{
    if (staged_) {
        fileSearch_.criteria = staged_->criteria;
        fileSearch_.extras = staged_->extras;
        return fileSearch_.TakeFoundFiles(*staged_);
    }
    // The path was checked a moment ago, but it may have become a FIFO since.
    std::FILE *file = OpenRegularFileForReading(LocalPath(path));
    if (!file)
        return false;
    StdioSource source(file);
    // Whether every record could be read does not matter: what was read stays.
    LoadResults(fileSearch_, source, RowMemoryLimit());
    // Read-only stream: closing cannot lose data.
    std::fclose(file);
    return true;
}

bool CSifterDoc::WriteDocument(const QString &path)
{
    return SaveResultFile(fileSearch_, LocalPath(path));
}

} // namespace sifter
