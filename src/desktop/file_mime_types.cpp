// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/file_mime_types.h"

#include "fs/file_reader.h"
#include "fs/path.h"

#include <QBuffer>
#include <QMimeDatabase>

#include <algorithm>

namespace sifter {
namespace {

// Enough of the start of a file for the content rules of shared-mime-info.
constexpr std::size_t kSniffBytes = 4096;

// The first bytes, read by the path's bytes (a QString path could not name every file).
QByteArray FileStart(const std::string &path)
{
    FileReader reader;
    if (!reader.Open(path))
        return {};
    QByteArray bytes(static_cast<qsizetype>(kSniffBytes), '\0');
    const std::int64_t length = reader.Read(bytes.data(), kSniffBytes);
    bytes.resize(length > 0 ? static_cast<qsizetype>(length) : 0);
    return bytes;
}

void AddOnce(std::vector<std::string> &types, const QString &type)
{
    std::string name = type.toStdString();
    if (!name.empty() && std::find(types.begin(), types.end(), name) == types.end())
        types.push_back(std::move(name));
}

} // namespace

std::vector<std::string> FileMimeTypes(const std::string &path, bool isFolder)
{
    const QMimeDatabase database;
    QMimeType type;
    if (isFolder) {
        type = database.mimeTypeForName(QStringLiteral("inode/directory"));
    } else {
        const std::string name = PathLastComponent(path);
        const QString fileName = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
        QByteArray start = FileStart(path);
        QBuffer content(&start);
        type = start.isEmpty() ? database.mimeTypeForFile(fileName, QMimeDatabase::MatchExtension)
                               : database.mimeTypeForFileNameAndData(fileName, &content);
    }
    std::vector<std::string> types;
    if (!type.isValid())
        return types;
    AddOnce(types, type.name());
    for (const QString &alias : type.aliases())
        AddOnce(types, alias);
    for (const QString &ancestor : type.allAncestors())
        AddOnce(types, ancestor);
    return types;
}

} // namespace sifter
