#pragma once
// The addresses that Help > Web Site and Help > Online Help open.
namespace sifter {

// The maker's web site.
inline constexpr const char *kWebSiteAddress = "https://norvane.example/sifter/";

// The user guide's path relative to the folder of the installed program
// ("../share/doc/Sifter/user-guide.html" for the usual prefix).
const char *UserGuideRelativeToProgram();
// The user guide in the source tree, for a program that runs from its build folder.
const char *UserGuideInSources();

} // namespace sifter
