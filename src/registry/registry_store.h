// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The per-user registry store: keys and values with the registry's rules, kept in one
// REGEDIT4 text file per root key (HKEY_CURRENT_USER.reg, HKEY_CLASSES_ROOT.reg) in a
// folder, by default $XDG_CONFIG_HOME/Norvane/Sifter.
//
// Key paths are names separated by "\" ("Software\Norvane\Sifter\Global"). Key and
// value names compare without regard to ASCII letter case and keep the case they were
// first written with.
//
// Changes take effect in memory at once and reach the file when the last open key of
// their root is closed (or, for operations on the store itself, when no key of that
// root is open). Writing takes a lock, re-reads the file, applies this process's
// changes to what another process may have written meanwhile and replaces the file
// atomically. Reads pick up what other processes wrote. A folder that cannot be
// written keeps the changes in memory (and tries again at the next write); a file
// that is not a REGEDIT4 text is renamed aside and the store starts empty; a file too
// large to be one (kMaxRegistryFileBytes) is left as it is, neither read nor written.
//
// Not thread-safe. Keys still open when their store is destroyed become closed keys.
#include "registry/registry_file.h"
#include "registry/registry_tree.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sifter {

// The program's own key below HKEY_CURRENT_USER.
inline constexpr std::string_view kProgramRegistryKey = "Software\\Norvane\\Sifter";

enum class RegistryRoot { CurrentUser, ClassesRoot };
inline constexpr std::size_t kRegistryRootCount = 2;

enum class QueryResult {
    Ok,          // the data were copied (or only the size asked for)
    Missing,     // no such value, or the key is gone
    BufferTooSmall, // nothing copied; size holds the size needed
};

// The folder of the store from the environment: $XDG_CONFIG_HOME/Norvane/Sifter, where
// only an absolute XDG_CONFIG_HOME counts, else $HOME/.config/Norvane/Sifter (HOME from
// the password entry when unset or relative). Empty when no home folder is known.
std::string DefaultRegistryFolder();
// The same rule on given values (null for unset); homeFromPasswd is the fallback home.
std::string RegistryFolderFor(const char *xdgConfigHome, const char *home, const char *homeFromPasswd);

class RegistryStore;

// An open key. Closing it (or destroying it) may write the store's file.
class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey();
    RegistryKey(RegistryKey &&other) noexcept;
    RegistryKey &operator=(RegistryKey &&other) noexcept;
    RegistryKey(const RegistryKey &) = delete;
    RegistryKey &operator=(const RegistryKey &) = delete;

    bool IsOpen() const { return store_ != nullptr; }
    // Closes the key; false when this was the root's last open key and its changes
    // could not be written (they stay pending in memory).
    bool Close();

    // Opens an existing key below this one; false when it is missing or path is invalid.
    bool OpenSubkey(std::string_view path, RegistryKey &out) const;
    // Opens a key below this one, creating it and its missing parents; false for an
    // invalid path or when this key is gone.
    bool CreateSubkey(std::string_view path, RegistryKey &out) const;
    // Deletes a key below this one with its values; false when it is missing or has subkeys.
    bool DeleteSubkey(std::string_view path) const;

    // Copies a value's data to buffer (size: in the buffer's size, out the data's
    // size). Data shorter than the buffer fill only its first bytes; a buffer too small
    // gets nothing. A null buffer asks only for the size. type, when given, gets the
    // value's type on Ok and BufferTooSmall.
    QueryResult QueryValue(std::string_view name, void *buffer, std::uint32_t &size, RegistryType *type = nullptr) const;
    // The whole value; false when it is missing.
    bool ReadValue(std::string_view name, RegistryType &type, std::string &data) const;
    // Sets (creates or replaces) a value with size bytes of data; false when the key is
    // gone or the name is invalid (a line break or NUL, invalid UTF-8, too long).
    bool SetValue(std::string_view name, RegistryType type, const void *data, std::uint32_t size);
    // A String value: text with its terminating zero.
    bool SetString(std::string_view name, std::string_view text);
    // A Dword value, little-endian.
    bool SetDword(std::string_view name, std::uint32_t number);
    // False when there was no such value.
    bool DeleteValue(std::string_view name);
    // Deletes every value of the key at once (one by one takes time in their number
    // each); false when the key is gone.
    bool DeleteAllValues();

    // The index-th subkey's name in enumeration order (by name, case folded); false past the end.
    bool EnumSubkey(std::uint32_t index, std::string &name) const;
    // The index-th value in the order values were first set; false past the end.
    bool EnumValue(std::uint32_t index, std::string &name, RegistryType *type = nullptr, std::string *data = nullptr) const;
    std::uint32_t SubkeyCount() const;
    std::uint32_t ValueCount() const;

    RegistryRoot Root() const { return root_; }
    // The key's path below its root as it was opened.
    const std::string &Path() const { return path_; }

private:
    friend class RegistryStore;
    RegistryKey(RegistryStore *store, RegistryRoot root, std::string path);
    std::string SubPath(std::string_view path) const;

    RegistryStore *store_ = nullptr;
    RegistryRoot root_ = RegistryRoot::CurrentUser;
    std::string path_;
};

class RegistryStore {
public:
    // A store kept in folder (created on the first write). Nothing is read until used.
    explicit RegistryStore(std::string folder);
    // Writes what is still pending.
    ~RegistryStore();
    RegistryStore(const RegistryStore &) = delete;
    RegistryStore &operator=(const RegistryStore &) = delete;

    const std::string &Folder() const { return folder_; }
    // The file that holds root's keys.
    std::string FilePath(RegistryRoot root) const;

    // Opens an existing key (an empty path opens the root); false when it is missing
    // or the path is invalid.
    bool OpenKey(RegistryRoot root, std::string_view path, RegistryKey &out);
    // Opens a key, creating it and its missing parents; false for an invalid path.
    bool CreateKey(RegistryRoot root, std::string_view path, RegistryKey &out);
    // Deletes a key with its values; false when it is missing, has subkeys or is the root.
    bool DeleteKey(RegistryRoot root, std::string_view path);

    // Writes every root's pending changes now; false when some could not be written.
    bool Flush();

    // The files this store has set aside so far, in order: unreadable ones moved away and
    // copies kept before unreadable lines were dropped.
    const std::vector<std::string> &SetAsideFiles() const { return setAside_; }
    // The files found larger than kMaxRegistryFileBytes so far: neither read, nor set
    // aside, nor written over (their root's changes stay in memory).
    const std::vector<std::string> &TooLargeFiles() const { return tooLarge_; }

private:
    friend class RegistryKey;
    struct RootState;

    RootState &State(RegistryRoot root);
    // Brings the root up to date with its file (cheap when the file is unchanged).
    void Refresh(RootState &state);
    const RegistryNode *Find(RegistryRoot root, std::string_view path);
    RegistryNode *FindForChange(RegistryRoot root, std::string_view path);
    bool FlushRoot(RootState &state);
    // Under the file's lock: copies the version in snapshot to "<file>.kept-..." unless that
    // version was copied already; false when the copy cannot be made.
    bool KeepLossyCopy(RootState &state, const RegistrySnapshot &snapshot);
    // Says once per root that its file is too large, and notes it in TooLargeFiles.
    void WarnTooLarge(RootState &state);
    void KeyOpened(RegistryKey *key);
    void KeyMoved(RegistryKey *from, RegistryKey *to);
    bool KeyClosed(RegistryKey *key);
    bool HasOpenKeys(RegistryRoot root) const;
    bool ChangeDone(RegistryRoot root);

    std::string folder_;
    std::array<std::unique_ptr<RootState>, kRegistryRootCount> roots_;
    std::vector<RegistryKey *> openKeys_;
    std::vector<std::string> setAside_;
    std::vector<std::string> tooLarge_;
};

} // namespace sifter
