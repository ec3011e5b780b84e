// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The addresses that Help > Web Site and Help > Online Help open.
namespace sifter {

// The maker's web site.
inline constexpr const char *kWebSiteAddress = "https://norvane.example/sifter/";

// The user guide's path relative to the folder of the installed program
// ("../share/doc/Sifter/user-guide.html" for the usual prefix).
const char *UserGuideRelativeToProgram();
// The guide's file name, which the build also puts beside the program it builds, so that a
// program run from its build folder finds it there.
const char *UserGuideFileName();

} // namespace sifter
