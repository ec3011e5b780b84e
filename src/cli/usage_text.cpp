// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/usage_text.h"

#include "text/translation.h"

namespace sifter {

const char *UsageText()
{
    return TranslatableText("sifter-cli", R"(Usage: sifter-cli [options] [FOLDER...]
Searches the folders (and their subfolders) for files by name, content, size, date and
attributes, and prints the path of each file found (its folder as given, joined with its
name), the moment it is found.

Folders:
  FOLDER...                  folders to search (default: the current folder)
      --folders TEXT         folders separated by ";" (instead of FOLDER...)
Name and content:
  -n, --names TEXT           file-name patterns separated by ";" (* and ? are wildcards;
                             a name without them matches every name containing it)
  -w, --words TEXT           words to look for in the content, separated by blanks
  -m, --mode MODE            any (default), all, phrase or without (the words)
      --regex-names          the names text is one regular expression (RE2 syntax), found
                             in the name or part of it (^ and $ anchor); case is ignored
                             unless --case-sensitive
      --regex-words          the words text is one regular expression, looked for in the
                             bytes of each file as they are (UTF-8 text; no UTF-16 form),
                             with case, ^ and $ at each line; modes any and without only
  -x, --hex                  the words are hexadecimal byte values (e.g. "0d0a 4d5a")
      --no-unicode           look for the words as typed only, not their UTF-16/UTF-8 forms
      --threads N            list folders and test file contents on N threads (default:
                             one per core, at least 4); the output is the same for
                             every N
      --case-sensitive       a pattern without * or ? must occur in the name with the
                             same case (patterns with * or ? ignore case all the same;
                             words are always compared with case)
      --short-names          accept matches through 8.3 short names (none on Linux)
      --exclude TEXT         skip these, separated by ";": an entry with a "/" is a folder,
                             skipped with everything below it ("~/" is the home; without
                             a leading "/" it lies in each searched folder); any other is a
                             name pattern that skips every folder and file it matches
Size:
      --size-unit UNIT       bytes (default), kb, mb or gb
      --size1 OPN            first size test: =N, >=N or <=N (e.g. ">=5")
      --size2 OPN            second size test
Date:
      --date-kind KIND       modified (default), created or accessed
      --date-part PART       date, time or datetime (default: as the values are written)
      --date1 OPVALUE        first date test: =VALUE, >=VALUE or <=VALUE, where VALUE is
                             YYYY-MM-DD, HH:MM[:SS] or YYYY-MM-DDTHH:MM[:SS] in local time,
                             or counted back from the start of the search: -N and min, h,
                             d, w or mo (e.g. ">=-7d": the last 7 days), today or yesterday
      --date2 OPVALUE        second date test
Attributes:
      --no-hidden            skip hidden files (names starting with ".")
      --no-readonly          skip read-only files
      --no-system            skip devices, FIFOs and sockets
      --no-subfolders        search only the folders named, not their subfolders
Result files:
      --criteria FILE        start from the criteria of a result file; options override them
  -o, --save FILE            write the result file of this search (its folders absolute)
      --list FILE            print the records of a result file instead of searching
                             (for --criteria and --list, FILE "-" reads standard input)
Output:
  -l, --long                 tab-separated: path, size, attributes, last-write time, match offset
  -0, --null                 end each record with a NUL byte instead of a newline
      --show-lines[=N]       under each path, its match lines as LINE:TEXT with N lines
                             of context (default 0), as grep -n prints them
      --color[=WHEN]         colour the words of --show-lines: auto (default: on a
                             terminal), always or never
  -h, --help                 show this help
      --version              show the version and the licence

On a terminal, control characters in names show as "?"; into a pipe or a file, and
with -0, names are printed byte for byte. Standard output, when it is a file, and the
--save file are never searched; when the folders hold them, a line on standard error says so.

Exit status: 0 when a file was found (or listed), 1 when none, 2 on trouble, and
128 + the signal's number when Ctrl-C (or another stop signal) ended the search.
Ctrl-C stops the search; what was found so far is still saved with --save.
)");
}

} // namespace sifter
