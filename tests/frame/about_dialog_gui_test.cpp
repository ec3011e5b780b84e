// SPDX-License-Identifier: GPL-3.0-or-later
// The About box's text: the version, the copyright line and the licence put into the string
// table's message, in English as the notice has always read and in German from the catalogue.
#include "frame/about_dialog.h"

#include "res/string_table.h"
#include "text/translation.h"

#include <gtest/gtest.h>

#include <string>

namespace sifter {
namespace {

QString ShownAboutText()
{
    const CAboutDialog dialog(QStringLiteral("file:///guide"), QStringLiteral("https://example.org"), {});
    return dialog.AboutText();
}

TEST(AboutText, InEnglishIsTheNoticeAsItWas)
{
    const std::string version = AboutTextValues().version;
    ASSERT_FALSE(version.empty());
    EXPECT_EQ(ShownAboutText().toStdString(),
              "Sifter version " + version +
                  "\n"
                  "Copyright (C) Norvane\n"
                  "\n"
                  "Sifter finds files by name, by words in their contents, by size, by date and "
                  "by attributes, and keeps whole searches in result files.\n"
                  "\n"
                  "This program is free software: you can redistribute it and/or modify it under "
                  "the terms of the GNU General Public License as published by the Free Software "
                  "Foundation, either version 3 of the License, or (at your option) any later "
                  "version (GPL-3.0-or-later).\n"
                  "\n"
                  "This program is distributed in the hope that it will be useful, but WITHOUT ANY "
                  "WARRANTY; without even the implied warranty of MERCHANTABILITY or FITNESS FOR A "
                  "PARTICULAR PURPOSE. See the GNU General Public License for more details: "
                  "https://www.gnu.org/licenses/gpl-3.0.html");
}

TEST(AboutText, InGermanHoldsTheVersionTheCopyrightLineAndTheLicence)
{
    Translations german("de");
    ASSERT_TRUE(german.Install());
    const QString text = ShownAboutText();
    const QString version = QString::fromUtf8(AboutTextValues().version);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Sifter Version ") + version + QStringLiteral("\nCopyright (C) Norvane\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("jeder neueren Version (GPL-3.0-or-later).")));
    EXPECT_TRUE(text.contains(QStringLiteral("OHNE JEDE GEWÄHRLEISTUNG")));
}

} // namespace
} // namespace sifter
