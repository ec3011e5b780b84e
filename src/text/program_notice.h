// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The copyright and licence lines that the About box and both programs' --version show.
// Macros, not constants: the string table joins them with other literals at compile time.

// The copyright holder's line.
#define SIFTER_COPYRIGHT_LINE "Copyright (C) Norvane"
// The licence as an SPDX expression; the metainfo and the Debian package name the same one.
#define SIFTER_LICENCE_ID "GPL-3.0-or-later"
// What --version prints after its first line, ending with a newline (the GNU wording).
#define SIFTER_VERSION_NOTICE                                                                     \
    SIFTER_COPYRIGHT_LINE "\n"                                                                    \
    "License " SIFTER_LICENCE_ID ": GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n" \
    "This is free software: you are free to change and redistribute it.\n"                        \
    "There is NO WARRANTY, to the extent permitted by law.\n"
