// Type names from shared-mime-info, looked up by name and cached per suffix.
#include "desktop/type_names.h"

#include "text/code_page.h"

#include <QFile>
#include <QMimeDatabase>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <unordered_map>

namespace sifter {
namespace {

constexpr std::string_view kFolderTypeName = "Folder";
// Names the database does not know: "ZZQ file" after the extension, else just "file".
constexpr std::string_view kUnknownTypeName = "file";
constexpr std::string_view kUnknownTypeAfterExtension = " file";
constexpr char kExtensionDot = '.';
constexpr char kSeparator = '/';
// Past this many suffixes the cache starts over, so unusual trees cannot grow it unbounded.
constexpr std::size_t kMaxCachedSuffixes = 4096;

std::string_view LastComponent(std::string_view path)
{
    const std::size_t slash = path.rfind(kSeparator);
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// The name from its first dot on (a leading dot does not count), or the whole name.
// Every "*.ext" glob decides the same for two names with the same suffix, since an
// ".ext" can only end inside it, so the suffix is a safe cache key.
std::string_view CacheSuffix(std::string_view name)
{
    const std::size_t dot = name.find(kExtensionDot, 1);
    return dot == std::string_view::npos ? name : name.substr(dot);
}

// "*.ext" with nothing special in ext.
bool IsSuffixGlob(const QString &glob)
{
    if (!glob.startsWith(u"*."))
        return false;
    const QStringView extension = QStringView(glob).mid(2);
    return !extension.contains(u'*') && !extension.contains(u'?') && !extension.contains(u'[');
}

// The globs that are not "*.ext". Read from the database's globs2 files, the text
// twin of the cache Qt matches with (asking Qt for every type's globs reads every
// type's XML file, a tenth of a second); Qt's own list when there are none.
QStringList IrregularGlobs(const QMimeDatabase &database)
{
    QStringList globs;
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
            const QString glob = QString::fromUtf8(fields[2]);
            if (!IsSuffixGlob(glob))
                globs.append(glob);
        }
    }
    if (files.isEmpty()) {
        for (const QMimeType &type : database.allMimeTypes())
            for (const QString &glob : type.globPatterns())
                if (!IsSuffixGlob(glob))
                    globs.append(glob);
    }
    globs.removeDuplicates();
    return globs;
}

std::string GenericTypeName(std::string_view name)
{
    const std::size_t dot = name.rfind(kExtensionDot);
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == name.size())
        return std::string(kUnknownTypeName);
    return UpperCase(name.substr(dot + 1)) + std::string(kUnknownTypeAfterExtension);
}

} // namespace

struct TypeNames::Cache {
    QMimeDatabase database;
    // Globs that are not "*.ext" (Makefile, README*, CMakeLists.txt, *.so.[0-9]*):
    // names they match are looked up one by one, never through the suffix cache.
    QRegularExpression irregularNames;
    bool hasIrregularNames = false;
    bool prepared = false;
    std::unordered_map<std::string, std::string> bySuffix;

    void Prepare()
    {
        prepared = true;
        QStringList alternatives;
        for (const QString &glob : IrregularGlobs(database))
            alternatives.append(QRegularExpression::wildcardToRegularExpression(
                glob, QRegularExpression::UnanchoredWildcardConversion));
        if (alternatives.isEmpty())
            return;
        irregularNames.setPattern(
            QRegularExpression::anchoredPattern(QStringLiteral("(?:") + alternatives.join(u'|') + u')'));
        // Glob case-sensitivity is not published; matching more names only costs lookups.
        irregularNames.setPatternOptions(QRegularExpression::CaseInsensitiveOption);
        irregularNames.optimize();
        hasIrregularNames = irregularNames.isValid();
    }

    std::string Lookup(std::string_view name, const QString &text) const
    {
        const QMimeType type = database.mimeTypeForFile(text, QMimeDatabase::MatchExtension);
        if (!type.isValid() || type.isDefault())
            return GenericTypeName(name);
        return type.comment().toLocal8Bit().toStdString();
    }
};

TypeNames::TypeNames() : cache_(std::make_unique<Cache>()) {}
TypeNames::~TypeNames() = default;

std::string TypeNames::TypeName(std::string_view fileName, bool isFolder)
{
    if (isFolder)
        return std::string(kFolderTypeName);
    if (!cache_->prepared)
        cache_->Prepare();
    const std::string_view name = LastComponent(fileName);
    const QString text = QString::fromLocal8Bit(name.data(), static_cast<qsizetype>(name.size()));
    if (cache_->hasIrregularNames && cache_->irregularNames.match(text).hasMatch())
        return cache_->Lookup(name, text);

    std::string suffix(CacheSuffix(name));
    const auto found = cache_->bySuffix.find(suffix);
    if (found != cache_->bySuffix.end())
        return found->second;
    std::string typeName = cache_->Lookup(name, text);
    if (cache_->bySuffix.size() >= kMaxCachedSuffixes)
        cache_->bySuffix.clear();
    cache_->bySuffix.emplace(std::move(suffix), typeName);
    return typeName;
}

} // namespace sifter
