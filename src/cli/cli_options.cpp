// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_options.h"

#include "search/search_criteria.h"
#include "text/translation.h"

#include <string_view>

namespace sifter {
namespace {

enum class OptionId {
    Names, Words, Mode, Hex, NoUnicode, SizeUnit, Size1, Size2, DateKind, DatePart, Date1, Date2,
    NoHidden, NoReadOnly, NoSystem, NoSubfolders, CaseSensitive, ShortNames, Exclude, RegexNames, RegexWords,
    Folders, Criteria, Save, Threads, List, Long, Null, ShowLines, Color, Help, Version,
};

struct OptionForm {
    OptionId id;
    char shortName; // 0: none
    std::string_view longName;
    bool takesValue;
    bool valueOptional = false; // the value, when given, follows "=": "--show-lines=2"
};

constexpr OptionForm kOptions[] = {
    {OptionId::Names, 'n', "names", true},
    {OptionId::Words, 'w', "words", true},
    {OptionId::Mode, 'm', "mode", true},
    {OptionId::Hex, 'x', "hex", false},
    {OptionId::NoUnicode, 0, "no-unicode", false},
    {OptionId::SizeUnit, 0, "size-unit", true},
    {OptionId::Size1, 0, "size1", true},
    {OptionId::Size2, 0, "size2", true},
    {OptionId::DateKind, 0, "date-kind", true},
    {OptionId::DatePart, 0, "date-part", true},
    {OptionId::Date1, 0, "date1", true},
    {OptionId::Date2, 0, "date2", true},
    {OptionId::NoHidden, 0, "no-hidden", false},
    {OptionId::NoReadOnly, 0, "no-readonly", false},
    {OptionId::NoSystem, 0, "no-system", false},
    {OptionId::NoSubfolders, 0, "no-subfolders", false},
    {OptionId::CaseSensitive, 0, "case-sensitive", false},
    {OptionId::ShortNames, 0, "short-names", false},
    {OptionId::Exclude, 0, "exclude", true},
    {OptionId::RegexNames, 0, "regex-names", false},
    {OptionId::RegexWords, 0, "regex-words", false},
    {OptionId::Folders, 0, "folders", true},
    {OptionId::Criteria, 0, "criteria", true},
    {OptionId::Save, 'o', "save", true},
    {OptionId::Threads, 0, "threads", true},
    {OptionId::List, 0, "list", true},
    {OptionId::Long, 'l', "long", false},
    {OptionId::Null, '0', "null", false},
    {OptionId::ShowLines, 0, "show-lines", true, true},
    {OptionId::Color, 0, "color", true, true},
    {OptionId::Help, 'h', "help", false},
    {OptionId::Version, 0, "version", false},
};

struct Choice {
    std::string_view name;
    std::int32_t code;
};

constexpr Choice kWordModes[] = {
    {"any", kWordModeAny}, {"all", kWordModeAll}, {"phrase", kWordModePhrase}, {"without", kWordModeWithout}};
constexpr Choice kSizeUnits[] = {
    {"bytes", kSizeUnitBytes}, {"kb", kSizeUnitKB}, {"mb", kSizeUnitMB}, {"gb", kSizeUnitGB}};
constexpr Choice kDateKinds[] = {
    {"modified", kDateKindModified}, {"created", kDateKindCreated}, {"accessed", kDateKindAccessed}};
constexpr Choice kDateParts[] = {
    {"date", kDatePartDate}, {"time", kDatePartTime}, {"datetime", kDatePartDateTime}};

constexpr std::int32_t kColorAuto = static_cast<std::int32_t>(ColorChoice::Auto);
constexpr Choice kColorChoices[] = {{"auto", kColorAuto},
                                    {"always", static_cast<std::int32_t>(ColorChoice::Always)},
                                    {"never", static_cast<std::int32_t>(ColorChoice::Never)}};

constexpr char kFolderSeparator = ';';
// Context beyond this many lines shows more of the file than a look at a match needs.
constexpr std::uint32_t kMostContextLines = 1000;
// More threads than this only add contention on any machine a person runs this on.
constexpr std::uint32_t kMostThreads = 256;

std::string Quoted(std::string_view text)
{
    return "'" + std::string(text) + "'";
}

template <std::size_t N>
std::optional<std::int32_t> FindChoice(const Choice (&choices)[N], std::string_view name)
{
    for (const Choice &choice : choices) {
        if (choice.name == name)
            return choice.code;
    }
    return std::nullopt;
}

template <std::size_t N>
std::string ChoiceList(const Choice (&choices)[N])
{
    std::string list;
    for (const Choice &choice : choices)
        list += (list.empty() ? "" : "|") + std::string(choice.name);
    return list;
}

// The date part that a bound's form asks for; none for today and yesterday, whose
// midnights serve every part.
std::optional<std::int32_t> DatePartOf(const DateBound &bound)
{
    if (bound.relative.unit == kRelativeToday || bound.relative.unit == kRelativeYesterday)
        return std::nullopt;
    if (bound.relative.unit != kRelativeNone)
        return kDatePartDateTime; // "the last 30 minutes" means the moment, not its day
    const DateValue &value = bound.value;
    if (value.hasDate && value.hasTime)
        return kDatePartDateTime;
    return value.hasDate ? kDatePartDate : kDatePartTime;
}

bool ValueFitsPart(const DateBound &bound, std::int32_t part)
{
    if (bound.relative.unit != kRelativeNone)
        return true; // a moment has a date and a time of day
    const DateValue &value = bound.value;
    switch (part) {
    case kDatePartDate:
        return value.hasDate;
    case kDatePartTime:
        return value.hasTime;
    default:
        return value.hasDate && value.hasTime;
    }
}

class Parser {
public:
    Parser(CliOptions &out, std::string &error) : out_(out), error_(error) {}

    bool Parse(const std::vector<std::string> &args);

private:
    bool ParseLong(const std::vector<std::string> &args, std::size_t &index);
    bool ParseShortGroup(const std::vector<std::string> &args, std::size_t &index);
    bool Take(const OptionForm &form, const std::string &given, std::string_view value);
    bool TakeSearchOption(const OptionForm &form, const std::string &given, std::string_view value);
    bool TakeText(std::optional<std::string> &field, std::size_t fieldSize, const std::string &given,
                  std::string_view value);
    template <std::size_t N>
    bool TakeChoice(std::optional<std::int32_t> &field, const Choice (&choices)[N], const std::string &given,
                    std::string_view value);
    bool TakeDateBound(std::optional<DateBound> &field, const std::string &given, std::string_view value);
    bool Finish();
    bool FinishFolders();
    bool FinishDatePart();
    bool Fail(std::string message);

    CliOptions &out_;
    std::string &error_;
    std::vector<std::string> folderArgs_;
    bool searchOptionGiven_ = false;
    bool done_ = false; // --help or --version: nothing else matters
};

bool Parser::Fail(std::string message)
{
    error_ = std::move(message);
    return false;
}

bool Parser::Parse(const std::vector<std::string> &args)
{
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size() && !done_; ++i) {
        const std::string &arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            folderArgs_.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg[1] == '-') {
            if (!ParseLong(args, i))
                return false;
        } else if (!ParseShortGroup(args, i)) {
            return false;
        }
    }
    return done_ || Finish();
}

bool Parser::ParseLong(const std::vector<std::string> &args, std::size_t &index)
{
    const std::string &arg = args[index];
    const std::size_t equals = arg.find('=');
    const std::string given = arg.substr(0, equals);
    for (const OptionForm &form : kOptions) {
        if (given.substr(2) != form.longName)
            continue;
        if (equals != std::string::npos) {
            if (!form.takesValue)
                return Fail(CatalogueText("sifter-cli", "%1: takes no value").Arg(given).Text());
            return Take(form, given, std::string_view(arg).substr(equals + 1));
        }
        if (!form.takesValue || form.valueOptional)
            return Take(form, given, {});
        if (index + 1 >= args.size())
            return Fail(CatalogueText("sifter-cli", "%1: missing value").Arg(given).Text());
        return Take(form, given, args[++index]);
    }
    return Fail(CatalogueText("sifter-cli", "unknown option %1").Arg(Quoted(given)).Text());
}

// "-l0" is -l and -0; "-nNAME" and "-n NAME" both give -n its value.
bool Parser::ParseShortGroup(const std::vector<std::string> &args, std::size_t &index)
{
    const std::string &arg = args[index];
    for (std::size_t pos = 1; pos < arg.size(); ++pos) {
        const OptionForm *found = nullptr;
        for (const OptionForm &form : kOptions) {
            if (form.shortName != 0 && form.shortName == arg[pos])
                found = &form;
        }
        const std::string given = std::string("-") + arg[pos];
        if (!found)
            return Fail(CatalogueText("sifter-cli", "unknown option %1").Arg(Quoted(given)).Text());
        if (!found->takesValue) {
            if (!Take(*found, given, {}))
                return false;
            continue;
        }
        if (pos + 1 < arg.size())
            return Take(*found, given, std::string_view(arg).substr(pos + 1));
        if (index + 1 >= args.size())
            return Fail(CatalogueText("sifter-cli", "%1: missing value").Arg(given).Text());
        return Take(*found, given, args[++index]);
    }
    return true;
}

bool Parser::Take(const OptionForm &form, const std::string &given, std::string_view value)
{
    switch (form.id) {
    case OptionId::Help:
        out_.action = CliAction::Help;
        done_ = true;
        return true;
    case OptionId::Version:
        out_.action = CliAction::Version;
        done_ = true;
        return true;
    case OptionId::List:
        if (value.empty())
            return Fail(CatalogueText("sifter-cli", "%1: empty file name").Arg(given).Text());
        out_.action = CliAction::List;
        out_.listFile = value;
        return true;
    case OptionId::Long:
        out_.longFormat = true;
        return true;
    case OptionId::Null:
        out_.nullTerminated = true;
        return true;
    case OptionId::ShowLines: {
        if (value.empty()) {
            out_.showLines = 0;
            return true;
        }
        const std::optional<std::uint32_t> context = ParseUnsigned32(value);
        if (!context || *context > kMostContextLines)
            return Fail(CatalogueText("sifter-cli", "%1: expected a whole number from 0 to %2, got %3")
                            .Arg(given)
                            .Arg(std::to_string(kMostContextLines))
                            .Arg(Quoted(value))
                            .Text());
        out_.showLines = *context;
        return true;
    }
    case OptionId::Color: {
        const std::optional<std::int32_t> choice = value.empty() ? std::optional<std::int32_t>(kColorAuto)
                                                                 : FindChoice(kColorChoices, value);
        if (!choice)
            return Fail(CatalogueText("sifter-cli", "%1: expected %2, got %3")
                            .Arg(given)
                            .Arg(ChoiceList(kColorChoices))
                            .Arg(Quoted(value))
                            .Text());
        out_.color = static_cast<ColorChoice>(*choice);
        return true;
    }
    default:
        searchOptionGiven_ = true;
        return TakeSearchOption(form, given, value);
    }
}

bool Parser::TakeSearchOption(const OptionForm &form, const std::string &given, std::string_view value)
{
    CriteriaOptions &criteria = out_.criteria;
    switch (form.id) {
    case OptionId::Names:
        return TakeText(criteria.names, kCriteriaNamesSize, given, value);
    case OptionId::Words:
        return TakeText(criteria.words, kCriteriaWordsSize, given, value);
    case OptionId::Folders:
        return TakeText(criteria.folders, kCriteriaFoldersSize, given, value);
    case OptionId::Mode:
        return TakeChoice(criteria.wordMode, kWordModes, given, value);
    case OptionId::SizeUnit:
        return TakeChoice(criteria.sizeUnit, kSizeUnits, given, value);
    case OptionId::DateKind:
        return TakeChoice(criteria.dateKind, kDateKinds, given, value);
    case OptionId::DatePart:
        return TakeChoice(criteria.datePart, kDateParts, given, value);
    case OptionId::Size1:
    case OptionId::Size2: {
        const std::optional<SizeBound> bound = ParseSizeBound(value);
        if (!bound) {
            const bool hasComparison = value.starts_with('=') || value.starts_with(">=") || value.starts_with("<=");
            const char *message = hasComparison
                                   ? TranslatableText("sifter-cli", "%1: N must be a whole number from 0 to 4294967295, got %2")
                                   : TranslatableText("sifter-cli", "%1: expected =N, >=N or <=N, got %2");
            return Fail(CatalogueText("sifter-cli", message).Arg(given).Arg(Quoted(value)).Text());
        }
        (form.id == OptionId::Size1 ? criteria.size1 : criteria.size2) = bound;
        return true;
    }
    case OptionId::Date1:
        return TakeDateBound(criteria.date1, given, value);
    case OptionId::Date2:
        return TakeDateBound(criteria.date2, given, value);
    case OptionId::Criteria:
    case OptionId::Save:
        if (value.empty())
            return Fail(CatalogueText("sifter-cli", "%1: empty file name").Arg(given).Text());
        (form.id == OptionId::Criteria ? out_.criteriaFile : out_.saveFile) = value;
        return true;
    case OptionId::Threads: {
        const std::optional<std::uint32_t> threads = ParseUnsigned32(value);
        if (!threads || *threads == 0 || *threads > kMostThreads)
            return Fail(CatalogueText("sifter-cli", "%1: expected a whole number from 1 to %2, got %3")
                            .Arg(given)
                            .Arg(std::to_string(kMostThreads))
                            .Arg(Quoted(value))
                            .Text());
        out_.threads = *threads;
        return true;
    }
    case OptionId::Hex: criteria.hexadecimal = true; return true;
    case OptionId::NoUnicode: criteria.noUnicode = true; return true;
    case OptionId::NoHidden: criteria.noHidden = true; return true;
    case OptionId::NoReadOnly: criteria.noReadOnly = true; return true;
    case OptionId::NoSystem: criteria.noSystem = true; return true;
    case OptionId::NoSubfolders: criteria.noSubfolders = true; return true;
    case OptionId::CaseSensitive: criteria.caseSensitive = true; return true;
    case OptionId::ShortNames: criteria.shortNames = true; return true;
    case OptionId::RegexNames: criteria.regexNames = true; return true;
    case OptionId::RegexWords: criteria.regexWords = true; return true;
    case OptionId::Exclude:
        if (value.empty())
            return Fail(CatalogueText("sifter-cli", "%1: empty text").Arg(given).Text());
        criteria.excludes = std::string(value);
        return true;
    default:
        return Fail(given + ": not handled");
    }
}

// Texts are refused rather than cut: a cut pattern or folder would search for something
// the user did not ask for.
bool Parser::TakeText(std::optional<std::string> &field, std::size_t fieldSize, const std::string &given,
                      std::string_view value)
{
    if (value.empty())
        return Fail(CatalogueText("sifter-cli", "%1: empty text").Arg(given).Text());
    if (value.size() > fieldSize - 1) {
        return Fail(CatalogueText("sifter-cli", "%1: the text is %2 bytes long; at most %3 fit")
                        .Arg(given)
                        .Arg(std::to_string(value.size()))
                        .Arg(std::to_string(fieldSize - 1))
                        .Text());
    }
    field = std::string(value);
    return true;
}

template <std::size_t N>
bool Parser::TakeChoice(std::optional<std::int32_t> &field, const Choice (&choices)[N], const std::string &given,
                        std::string_view value)
{
    field = FindChoice(choices, value);
    if (!field)
        return Fail(
            CatalogueText("sifter-cli", "%1: expected %2, got %3").Arg(given).Arg(ChoiceList(choices)).Arg(Quoted(value)).Text());
    return true;
}

bool Parser::TakeDateBound(std::optional<DateBound> &field, const std::string &given, std::string_view value)
{
    field = ParseDateBound(value);
    if (!field)
        return Fail(CatalogueText("sifter-cli",
                                  "%1: expected =VALUE, >=VALUE or <=VALUE with VALUE a real date or time from 1900 on, "
                                  "as YYYY-MM-DD, HH:MM[:SS] or YYYY-MM-DDTHH:MM[:SS], or a time back from now as -N "
                                  "and min, h, d, w or mo, today or yesterday, got %2")
                        .Arg(given)
                        .Arg(Quoted(value))
                        .Text());
    return true;
}

bool Parser::Finish()
{
    if (out_.showLines && out_.nullTerminated)
        return Fail(CatalogueText("sifter-cli", "--show-lines prints lines of text and cannot be parsed with -0").Text());
    if (out_.showLines && out_.action == CliAction::List)
        return Fail(CatalogueText("sifter-cli", "--show-lines shows the lines of a search, not of --list").Text());
    if (out_.action == CliAction::List && (searchOptionGiven_ || !folderArgs_.empty()))
        return Fail(CatalogueText("sifter-cli", "--list prints a result file and takes no search options or folders").Text());
    return FinishFolders() && FinishDatePart();
}

bool Parser::FinishFolders()
{
    if (folderArgs_.empty())
        return true;
    if (out_.criteria.folders)
        return Fail(CatalogueText("sifter-cli", "give the folders either as arguments or with --folders, not both").Text());
    std::string joined;
    for (const std::string &folder : folderArgs_) {
        if (folder.empty())
            return Fail(CatalogueText("sifter-cli", "empty folder name").Text());
        if (folder.find(kFolderSeparator) != std::string::npos)
            return Fail(CatalogueText("sifter-cli", "folder %1 contains ';', which separates folders").Arg(Quoted(folder)).Text());
        if (!joined.empty())
            joined += kFolderSeparator;
        joined += folder;
    }
    if (joined.size() > kCriteriaFoldersSize - 1) {
        return Fail(CatalogueText("sifter-cli", "the folders joined with ';' are %1 bytes long; at most %2 fit")
                        .Arg(std::to_string(joined.size()))
                        .Arg(std::to_string(kCriteriaFoldersSize - 1))
                        .Text());
    }
    out_.criteria.folders = joined;
    return true;
}

// Without --date-part the values' form says which part is compared.
bool Parser::FinishDatePart()
{
    CriteriaOptions &criteria = out_.criteria;
    const std::pair<const char *, const std::optional<DateBound> *> bounds[] = {{"--date1", &criteria.date1},
                                                                              {"--date2", &criteria.date2}};
    if (!criteria.datePart) {
        bool anyBound = false;
        for (const auto &[name, bound] : bounds) {
            if (!*bound)
                continue;
            anyBound = true;
            const std::optional<std::int32_t> part = DatePartOf(**bound);
            if (!part)
                continue;
            if (criteria.datePart && *criteria.datePart != *part)
                return Fail(CatalogueText("sifter-cli", "--date1 and --date2 differ in form; choose the compared part with --date-part").Text());
            criteria.datePart = part;
        }
        if (anyBound && !criteria.datePart)
            criteria.datePart = kDatePartDate; // today and yesterday alone: whole days
        return true;
    }
    for (const auto &[name, bound] : bounds) {
        if (*bound && !ValueFitsPart(**bound, *criteria.datePart)) {
            const char *needs = *criteria.datePart == kDatePartDate
                                    ? TranslatableText("sifter-cli", "%1: the compared part needs a date (YYYY-MM-DD)")
                                : *criteria.datePart == kDatePartTime
                                    ? TranslatableText("sifter-cli", "%1: the compared part needs a time (HH:MM[:SS])")
                                    : TranslatableText("sifter-cli",
                                                       "%1: the compared part needs a date and a time (YYYY-MM-DDTHH:MM[:SS])");
            return Fail(CatalogueText("sifter-cli", needs).Arg(name).Text());
        }
    }
    return true;
}

} // namespace

bool ParseCliOptions(const std::vector<std::string> &args, CliOptions &out, std::string &error)
{
    out = CliOptions{};
    error.clear();
    return Parser(out, error).Parse(args);
}

} // namespace sifter
