// SPDX-License-Identifier: GPL-3.0-or-later
// Type names from shared-mime-info, looked up by name and cached per suffix.
#include "desktop/type_names.h"

#include "desktop/glob_screen.h"
#include "text/ascii_case.h"
#include "text/code_page.h"

#include <QCoreApplication>
#include <QFile>
#include <QMimeDatabase>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace sifter {
namespace {

// In the user's language, as the database's comments are (QMimeType::comment follows the
// locale); the catalogue's context "TypeNames".
constexpr const char *kFolderTypeName = QT_TRANSLATE_NOOP("TypeNames", "Folder");
// Names the database does not know: "ZZQ file" after the extension, else just "file".
constexpr const char *kUnknownTypeName = QT_TRANSLATE_NOOP("TypeNames", "file");
constexpr const char *kUnknownTypeAfterExtension = QT_TRANSLATE_NOOP("TypeNames", "%1 file");
constexpr char kExtensionDot = '.';
constexpr char kSeparator = '/';
// Past this many keys the cache starts over, so unusual trees cannot grow it unbounded.
constexpr std::size_t kMaxCachedKeys = 4096;
// Starts the cache key of a whole name; a suffix key starts with the dot, and no name
// holds a slash, so the two kinds never meet.
constexpr char kWholeNameKey = '/';
constexpr const char *kFolderMimeType = "inode/directory";
constexpr const char *kDefaultMimeType = "application/octet-stream";

// What the cache keeps of one type: its name in the Type column and its MIME type name.
struct KnownType {
    std::string typeName;
    std::string mimeName;
};

std::string_view LastComponent(std::string_view path)
{
    const std::size_t slash = path.rfind(kSeparator);
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// What the "*.ext" globs tell of a name's tail: the most dots one holds (".tar.gz": 2), and
// the last parts, lower-cased, of those with more than one (".gz").
struct SuffixGlobs {
    std::size_t mostDots = 1;
    std::unordered_set<std::string> lastPartsOfLonger;
};

// The cache key of a name no irregular glob can match. The globs that can match it then
// are "*.ext" globs, which end inside its tail, and its generic "EXT file" is taken from
// its last part: names with the same tail get the same type name. The tail is the last
// part (".txt"), or where a longer glob ends with that part, the last parts as many as
// the longest glob has (".tar.gz"). A name without a dot is "file" whatever it is, so all
// share one key; a tail that would start at the name's first byte makes the name its own
// key (".bashrc" is "file", but "x.bashrc" is "BASHRC file").
std::string CacheKey(std::string_view name, const SuffixGlobs &globs)
{
    const std::size_t last = name.rfind(kExtensionDot);
    if (last == std::string_view::npos)
        return std::string(1, kWholeNameKey);
    std::size_t dot = last;
    // A part with bytes beyond ASCII may fold to a longer glob's part in ways not tried here.
    const std::string_view lastPart = name.substr(last);
    const bool ascii = std::all_of(lastPart.begin(), lastPart.end(), [](char c) { return (c & 0x80) == 0; });
    if (!ascii || globs.lastPartsOfLonger.count(AsciiLowered(lastPart)) != 0) {
        std::size_t dots = 1;
        for (std::size_t at = last; dots < globs.mostDots && at-- > 0;) {
            if (name[at] == kExtensionDot) {
                dot = at;
                ++dots;
            }
        }
    }
    if (dot == 0)
        return kWholeNameKey + std::string(name);
    return std::string(name.substr(dot));
}

// "*.ext" with nothing special in ext.
bool IsSuffixGlob(const QString &glob)
{
    if (!glob.startsWith(u"*."))
        return false;
    const QStringView extension = QStringView(glob).mid(2);
    return !extension.contains(u'*') && !extension.contains(u'?') && !extension.contains(u'[');
}

// The globs that are not "*.ext", and what the others tell of a name's tail.
struct DatabaseGlobs {
    QStringList irregular;
    SuffixGlobs suffixes;

    void Add(const QString &glob)
    {
        if (!IsSuffixGlob(glob)) {
            irregular.append(glob);
            return;
        }
        const auto dots = static_cast<std::size_t>(glob.count(u'.'));
        if (dots > 1) {
            suffixes.mostDots = std::max(suffixes.mostDots, dots);
            suffixes.lastPartsOfLonger.insert(AsciiLowered(glob.mid(glob.lastIndexOf(u'.')).toStdString()));
        }
    }
};

// Read from the database's globs2 files, the text twin of the cache Qt matches with
// (asking Qt for every type's globs reads every type's XML file, a tenth of a second);
// Qt's own list when there are none.
DatabaseGlobs ReadDatabaseGlobs(const QMimeDatabase &database)
{
    DatabaseGlobs globs;
    const QStringList files = QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("mime/globs2"));
    for (const QString &path : files) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue; // Qt cannot have read globs from it either
        while (!file.atEnd()) {
            // weight:type:glob[:flags]
            const QByteArray line = file.readLine().trimmed();
            if (line.isEmpty() || line.startsWith('#'))
                continue;
            const QList<QByteArray> fields = line.split(':');
            if (fields.size() < 3)
                continue;
            globs.Add(QString::fromUtf8(fields[2]));
        }
    }
    if (files.isEmpty()) {
        for (const QMimeType &type : database.allMimeTypes())
            for (const QString &glob : type.globPatterns())
                globs.Add(glob);
    }
    globs.irregular.removeDuplicates();
    return globs;
}

QString Translated(const char *text)
{
    return QCoreApplication::translate("TypeNames", text);
}

std::string GenericTypeName(std::string_view name)
{
    const std::size_t dot = name.rfind(kExtensionDot);
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == name.size())
        return Translated(kUnknownTypeName).toLocal8Bit().toStdString();
    // Replaced in bytes: the extension's need not be text in any encoding.
    std::string typeName = Translated(kUnknownTypeAfterExtension).toLocal8Bit().toStdString();
    const std::size_t marker = typeName.find("%1");
    if (marker != std::string::npos)
        typeName.replace(marker, 2, UpperCase(name.substr(dot + 1)));
    return typeName;
}

} // namespace

struct TypeNames::Cache {
    QMimeDatabase database;
    // Globs that are not "*.ext" (Makefile, README*, CMakeLists.txt, *.so.[0-9]*):
    // names they match are looked up one by one, never through the suffix cache.
    QRegularExpression irregularNames;
    // Spares most names the expression: a name it rules out cannot match it.
    std::unique_ptr<GlobScreen> irregularScreen;
    bool hasIrregularNames = false;
    bool prepared = false;
    std::string folderName = Translated(kFolderTypeName).toLocal8Bit().toStdString();
    SuffixGlobs suffixGlobs;
    std::unordered_map<std::string, KnownType> byKey;
    std::size_t databaseLookups = 0;

    void Prepare()
    {
        prepared = true;
        QStringList alternatives;
        std::vector<std::string> globs;
        const DatabaseGlobs databaseGlobs = ReadDatabaseGlobs(database);
        suffixGlobs = databaseGlobs.suffixes;
        for (const QString &glob : databaseGlobs.irregular) {
            alternatives.append(QRegularExpression::wildcardToRegularExpression(
                glob, QRegularExpression::UnanchoredWildcardConversion));
            globs.push_back(glob.toStdString());
        }
        irregularScreen = std::make_unique<GlobScreen>(globs);
        if (alternatives.isEmpty())
            return;
        irregularNames.setPattern(
            QRegularExpression::anchoredPattern(QStringLiteral("(?:") + alternatives.join(u'|') + u')'));
        // Glob case-sensitivity is not published; matching more names only costs lookups.
        irregularNames.setPatternOptions(QRegularExpression::CaseInsensitiveOption);
        irregularNames.optimize();
        hasIrregularNames = irregularNames.isValid();
    }

    // The type, kept under key.
    const KnownType &Remember(std::string key, KnownType type)
    {
        if (byKey.size() >= kMaxCachedKeys)
            byKey.clear();
        return byKey.insert_or_assign(std::move(key), std::move(type)).first->second;
    }

    KnownType Lookup(std::string_view name, const QString &text)
    {
        ++databaseLookups;
        const QMimeType type = database.mimeTypeForFile(text, QMimeDatabase::MatchExtension);
        if (!type.isValid() || type.isDefault())
            return {GenericTypeName(name), kDefaultMimeType};
        return {type.comment().toLocal8Bit().toStdString(), type.name().toStdString()};
    }

    // The type of a file name (a path's last component), through the cache.
    const KnownType &Find(std::string_view fileName)
    {
        if (!prepared)
            Prepare();
        const std::string_view name = LastComponent(fileName);
        const auto text = [name] { return QString::fromLocal8Bit(name.data(), static_cast<qsizetype>(name.size())); };
        // Most names the screen rules out; the expression decides for the rest. A name that
        // matches it is its own key: its type is the database's answer for the name itself.
        if (hasIrregularNames && irregularScreen->MayMatch(name)) {
            std::string whole = kWholeNameKey + std::string(name);
            if (const auto found = byKey.find(whole); found != byKey.end())
                return found->second;
            const QString nameText = text();
            if (irregularNames.match(nameText).hasMatch())
                return Remember(std::move(whole), Lookup(name, nameText));
        }
        std::string key = CacheKey(name, suffixGlobs);
        if (const auto found = byKey.find(key); found != byKey.end())
            return found->second;
        return Remember(std::move(key), Lookup(name, text()));
    }
};

TypeNames::TypeNames() : cache_(std::make_unique<Cache>()) {}
TypeNames::~TypeNames() = default;

std::string TypeNames::TypeName(std::string_view fileName, bool isFolder)
{
    return isFolder ? cache_->folderName : cache_->Find(fileName).typeName;
}

std::string TypeNames::MimeTypeName(std::string_view fileName, bool isFolder)
{
    return isFolder ? std::string(kFolderMimeType) : cache_->Find(fileName).mimeName;
}

std::size_t TypeNames::DatabaseLookups() const
{
    return cache_->databaseLookups;
}

} // namespace sifter
