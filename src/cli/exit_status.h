// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Exit statuses of sifter-cli.

namespace sifter {

inline constexpr int kExitFound = 0;   // at least one file found or listed
inline constexpr int kExitNothing = 1; // none
inline constexpr int kExitTrouble = 2; // bad usage, unreadable result file, failed save or output
// A run wound down by a signal exits with 128 + the signal's number, as shells report it.
inline constexpr int kExitSignalBase = 128;

inline constexpr const char *kProgramName = "sifter-cli";

} // namespace sifter
