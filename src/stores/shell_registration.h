// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The shell's classes that the Options dialog writes under HKEY_CLASSES_ROOT of the registry
// store: the result-file type (its class, open command and extension) and the "Sifter" verb on
// folders and drives. Every value is the key's default value, a String.
//
// The program's path stands in the command lines as the keys' readers parse a command line:
// bare when it holds no blank, tab or double quote, else in double quotes, with a double quote
// inside written \" and the backslashes before a double quote (or before the closing one)
// doubled. Linux has no short form of a path that would avoid the quotes.
#include "registry/registry_store.h"

#include <string>
#include <string_view>

namespace sifter {

// The result-file type's names, as the document template gives them.
struct ResultFileTypeNames {
    std::string typeId;     // the class key, "Sifter.Document"
    std::string typeName;   // its default value, "Sifter Result Document"
    std::string extension;  // the extension key, ".sifter"
};

// The program's path as the first word of a command line (see above).
std::string CommandLineProgram(std::string_view programPath);

// Sets the class key to the type name and <class>\shell\open\command to the program and "%1" in
// double quotes; then gives the extension to the class when it names no type or this one, and
// leaves it to another type otherwise. False when a key could not be written (the steps after
// it are not done); nothing is written for an empty type id.
bool RegisterResultFileType(RegistryStore &store, const ResultFileTypeNames &names, std::string_view programPath);

// Deletes upwards <class>\DefaultIcon and the open, print and print-to commands, then, when the
// extension names no type or this one, <extension>\ShellNew and the extension.
void UnregisterResultFileType(RegistryStore &store, const ResultFileTypeNames &names);

// For "Drive" then "Folder", the key verbKeyFormat names with "%1" replaced by each
// ("%1\Shell\Sifter\command"): remove = false sets it to the program followed by " /f:"%1"";
// remove = true deletes its parent (the verb key) with everything under it. The keys above the
// verb stay. Returns true, as the caller needs nothing more.
bool SetFolderVerb(RegistryStore &store, std::string_view verbKeyFormat, std::string_view programPath, bool remove);

// Deletes the key at path under HKEY_CLASSES_ROOT, then each parent in turn, up to the first
// key that is missing or still has a subkey. Values never keep a key.
void DeleteKeyUpwards(RegistryStore &store, std::string_view path);

// Deletes the key at path under parent with all its subkeys, depth first. False when a key
// could not be opened or deleted; what was deleted before stays deleted.
bool DeleteKeyTree(const RegistryKey &parent, std::string_view path);

} // namespace sifter
