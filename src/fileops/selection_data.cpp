// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileops/selection_data.h"

#include "fileops/file_url.h"
#include "text/little_endian.h"

#include <QFile>
#include <QList>
#include <QStringList>
#include <QUrl>

#include <cstring>

namespace sifter {

QByteArray BuildFileListBlock(const std::vector<std::string> &paths)
{
    if (paths.empty())
        return {};
    std::size_t listSize = 0;
    for (const std::string &path : paths)
        listSize += path.size() + 1;
    // Zero-filled: the point, the non-client flag, the wide flag and the two ending bytes.
    QByteArray block(static_cast<qsizetype>(kFileListHeaderSize + listSize + 2), '\0');
    auto *bytes = reinterpret_cast<std::uint8_t *>(block.data());
    PutLittleEndian32(bytes + kFileListFilesOffset, kFileListHeaderSize);
    std::size_t at = kFileListHeaderSize;
    for (const std::string &path : paths) {
        std::memcpy(bytes + at, path.data(), path.size());
        at += path.size() + 1;
    }
    return block;
}

bool ReadFileListBlock(const QByteArray &block, std::vector<std::string> &paths)
{
    paths.clear();
    const auto size = static_cast<std::size_t>(block.size());
    if (size < kFileListHeaderSize + 1)
        return false;
    const auto *bytes = reinterpret_cast<const std::uint8_t *>(block.constData());
    const std::uint32_t start = GetLittleEndian32(bytes + kFileListFilesOffset);
    if (start < kFileListHeaderSize || start >= size || GetLittleEndian32(bytes + kFileListWideOffset) != 0)
        return false;
    std::size_t at = start;
    while (at < size) {
        const void *end = std::memchr(bytes + at, 0, size - at);
        if (!end)
            break;
        const std::size_t length = static_cast<const std::uint8_t *>(end) - (bytes + at);
        if (length == 0)
            return true;
        paths.emplace_back(reinterpret_cast<const char *>(bytes + at), length);
        at += length + 1;
    }
    paths.clear();
    return false;
}

SelectionDataSource::SelectionDataSource(QByteArray block, SelectionTransfer transfer)
    : block_(std::move(block)), transfer_(transfer)
{
    QList<QUrl> urls;
    QByteArray gnomeList = transfer == SelectionTransfer::kCut ? QByteArrayLiteral("cut") : QByteArrayLiteral("copy");
    QStringList lines;
    for (const std::string &path : Paths()) {
        const QByteArray uri = FileUriOfPath(path);
        urls.append(QUrl::fromEncoded(uri, QUrl::StrictMode));
        // No newline after the last URI: one has crashed file managers that read this list.
        gnomeList += '\n' + uri;
        lines.append(QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size()))));
    }
    setUrls(urls);
    setText(lines.join(QLatin1Char('\n')));
    if (transfer == SelectionTransfer::kDrag)
        return;
    setData(QLatin1String(kGnomeCopiedFilesFormat), gnomeList);
    if (transfer == SelectionTransfer::kCut)
        setData(QLatin1String(kKdeCutSelectionFormat), QByteArrayLiteral("1"));
}

std::vector<std::string> SelectionDataSource::Paths() const
{
    std::vector<std::string> paths;
    ReadFileListBlock(block_, paths);  // a block of our own; a broken one gives no path
    return paths;
}

} // namespace sifter
