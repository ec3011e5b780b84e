// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sifter's custom action in Thunar's uca.xml, the one file that holds all the user's custom
// actions. Ours is found by its unique id and spliced into the file's text, so that every
// other action and the file's formatting stay byte for byte.
#include <optional>
#include <string>
#include <string_view>

namespace sifter {

// The unique id that tells our action from the user's.
inline constexpr std::string_view kThunarActionId = "sifter-folder-action";

// The file Thunar reads its custom actions from, below the configuration home.
std::string ThunarActionsFile(std::string_view configHome);

// text (a uca.xml; empty for a file that does not exist yet) with our action, which starts
// program with "/f:" and the folder, in place of ours; a second copy of ours is dropped,
// anything else is kept as it is. Empty with the reason in error when text is not a uca.xml
// (not UTF-8, not well-formed, the root not <actions>): a whole message in the user's
// language that names the file as "%1", for UcaReasonFor. program must be IsWritableText.
std::optional<std::string> UcaTextWithOurAction(std::string_view text, std::string_view program, std::string &error);
// text without our action (each copy with the line it stands on), the same text when it
// holds none. Empty with the reason in error as above.
std::optional<std::string> UcaTextWithoutOurAction(std::string_view text, std::string &error);
// Whether text holds our action. Empty with the reason in error as above.
std::optional<bool> UcaTextHasOurAction(std::string_view text, std::string &error);
// A reason of the functions above with the file's path in place.
std::string UcaReasonFor(std::string reason, std::string_view file);

} // namespace sifter
