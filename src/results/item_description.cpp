// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/item_description.h"

#include "framework/local_text.h"
#include "framework/shown_text.h"
#include "framework/string_resources.h"
#include "fs/file_attributes.h"
#include "fs/path.h"
#include "fs/pe_version.h"
#include "search/found_file.h"
#include "search/text_field.h"
#include "stores/file_texts.h"
#include "text/code_page.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace sifter {
namespace {

bool HasVersionResourceExtension(std::string_view name)
{
    const std::string extension = PathExtension(name);
    for (const std::string_view candidate : {".EXE", ".DLL", ".SYS"}) {
        if (EqualIgnoringAsciiCase(extension, candidate))
            return true;
    }
    return false;
}

// A value may be a megabyte long or hold line feeds (a folder from a result file, a
// version string): it is shown bounded and with its controls as marks.
QString Line(StringId id, std::string_view value)
{
    return FormatResString(id, ShownText(FromLocalText(value)));
}

} // namespace

QString BuildItemDescription(const FoundFile *record, QChar separator, bool kilobyteStyle)
{
    if (!record)
        return {};
    const FoundFile &stored = *record;
    QString text = Line(str::kTipFolder, record->Folder());
    if (stored.attributes & kAttributeFolder)
        return text;
    text += separator;
    if (!HasVersionResourceExtension(record->Name())) {
        text += Line(str::kTipType, stored.TypeName());
        text += separator;
        text += Line(str::kTipDateModified, FormatFileTime(stored.lastWriteTime, true));
    } else {
        PeVersionStrings version;
        // A file that is gone, unreadable or no PE file leaves every version string absent.
        ReadPeVersionStrings(record->Path(), version);
        const std::array<std::pair<StringId, const std::optional<std::string> *>, 3> lines{{
            {str::kTipDescription, &version.description},
            {str::kTipCompany, &version.company},
            {str::kTipFileVersion, &version.fileVersion},
        }};
        for (const auto &[id, value] : lines) {
            if (*value) {
                text += Line(id, **value);
                text += separator;
            }
        }
        text += Line(str::kTipDateCreated, FormatFileTime(stored.creationTime, true));
    }
    text += separator;
    text += Line(str::kTipSize, FormatFileSize(stored.size, kilobyteStyle));
    return text;
}

QString ItemInfoTip(const FoundFile *record, bool labelElided)
{
    if (!record)
        return {};
    const QString description = BuildItemDescription(record, QLatin1Char('\n'), false);
    if (!labelElided)
        return description;
    return ShownText(FromLocalText(record->Name())) + QLatin1Char('\n') + description;
}

} // namespace sifter
