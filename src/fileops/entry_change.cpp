// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileops/entry_change.h"

#include "framework/local_text.h"
#include "framework/string_resources.h"
#include "fs/file_attributes.h"
#include "search/found_file.h"
#include "stores/file_texts.h"
#include "transfer/transfer_tree.h"

#include <cerrno>
#include <sys/stat.h>

namespace sifter {
namespace {

enum class EntryKind { kFile, kFolder, kLink, kSpecial };

// A link also carries its target's folder bit, so the link bit decides first.
EntryKind KindOf(std::uint32_t attributes)
{
    if ((attributes & kAttributeReparsePoint) != 0)
        return EntryKind::kLink;
    if ((attributes & kAttributeFolder) != 0)
        return EntryKind::kFolder;
    if ((attributes & kAttributeSystem) != 0)
        return EntryKind::kSpecial;
    return EntryKind::kFile;
}

QString KindText(EntryKind kind)
{
    switch (kind) {
    case EntryKind::kFolder: return LoadResString(str::kEntryKindFolder);
    case EntryKind::kLink: return LoadResString(str::kEntryKindLink);
    case EntryKind::kSpecial: return LoadResString(str::kEntryKindSpecial);
    case EntryKind::kFile: break;
    }
    return LoadResString(str::kEntryKindFile);
}

QString FolderText(const std::string &path)
{
    struct stat status {};
    std::uint64_t items = 0;
    if (lstat(path.c_str(), &status) == 0) {
        const TreeSize size = MeasureTree(path, status);
        items = size.files + size.folders - (size.folders > 0 ? 1 : 0);
    }
    if (items == 0)
        return LoadResString(str::kEntryEmptyFolder);
    if (items == 1)
        return LoadResString(str::kEntryFolderOneItem);
    return FormatResString(str::kEntryFolderItems, QString::number(items));
}

} // namespace

RecordedEntry RecordedEntryOf(const FoundFile &record)
{
    return {record.Path(), std::string(record.Name()), record.attributes, record.size, record.lastWriteTime};
}

EntryCheck CheckRecordedEntry(const RecordedEntry &entry)
{
    EntryCheck check;
    if (!ReadEntryData(entry.path, check.now)) {
        const int code = errno;
        const bool gone = code == ENOENT;
        check.error = gone ? 0 : (code != 0 ? code : EIO);
        check.change = gone ? EntryChange::kVanished : EntryChange::kUnreadable;
        return check;
    }
    const EntryKind kind = KindOf(entry.attributes);
    if (KindOf(check.now.attributes) != kind ||
        (kind == EntryKind::kFile &&
         (check.now.Size() != entry.size || check.now.lastWriteTime != entry.lastWriteTime)))
        check.change = EntryChange::kChanged;
    return check;
}

bool IsFolderEntry(const EntryData &data)
{
    return KindOf(data.attributes) == EntryKind::kFolder;
}

QString DescribeEntryNow(const std::string &path, const EntryData &data)
{
    switch (KindOf(data.attributes)) {
    case EntryKind::kFolder: return FolderText(path);
    case EntryKind::kLink: return LoadResString(str::kEntryKindLink);
    case EntryKind::kSpecial: return LoadResString(str::kEntryKindSpecial);
    case EntryKind::kFile: break;
    }
    return FormatResString(str::kEntryFileOfSize, FromLocalText(FormatFileSize(data.Size(), false)));
}

QString EntryChangeText(const RecordedEntry &entry, const EntryData &now)
{
    const QString name = FromLocalText(entry.name);
    const EntryKind kind = KindOf(entry.attributes);
    if (KindOf(now.attributes) != kind)
        return LoadResString(str::kEntryKindChanged).arg(name, KindText(kind), DescribeEntryNow(entry.path, now));
    return LoadResString(str::kEntryContentChanged)
        .arg(name, DescribeEntryNow(entry.path, now), FromLocalText(FormatFileTime(now.lastWriteTime, true)));
}

} // namespace sifter
