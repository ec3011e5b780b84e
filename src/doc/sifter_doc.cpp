#include "doc/sifter_doc.h"

#include "doc/byte_stream.h"
#include "doc/document_title.h"
#include "doc/result_file.h"
#include "framework/single_doc_template.h"

#include <QFile>

#include <cstdio>

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
    fileSearch_.SetRunning(true);
    const int result = fileSearch_.RunSearch(sinks);
    fileSearch_.SetRunning(false);
    emit SearchRunEnded();
    return result;
}

void CSifterDoc::DeleteContents()
{
    fileSearch_.ClearFoundFiles();
    fileSearch_.ResetCriteria();
    Document::DeleteContents();
}

bool CSifterDoc::OnOpenDocument(const QString &path)
{
    if (!CheckResultFileMagic(LocalPath(path)))
        return false;
    return Document::OnOpenDocument(path);
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
    // The path was checked a moment ago, but it may have become a FIFO since.
    std::FILE *file = OpenRegularFileForReading(LocalPath(path));
    if (!file)
        return false;
    StdioSource source(file);
    // Whether every record could be read does not matter: what was read stays.
    LoadResults(fileSearch_, source);
    // Read-only stream: closing cannot lose data.
    std::fclose(file);
    return true;
}

bool CSifterDoc::WriteDocument(const QString &path)
{
    return SaveResultFile(fileSearch_, LocalPath(path));
}

} // namespace sifter
