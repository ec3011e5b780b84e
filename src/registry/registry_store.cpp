// SPDX-License-Identifier: GPL-3.0-or-later
#include "registry/registry_store.h"

#include "fs/path.h"
#include "fs/user_folders.h"
#include "text/little_endian.h"
#include "text/utf8.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

namespace sifter {

namespace {

constexpr std::string_view kProgramFolder = "Norvane/Sifter";
constexpr std::string_view kFileExtension = ".reg";
constexpr std::string_view kBrokenLabel = "broken";
constexpr std::string_view kKeptLabel = "kept";
constexpr std::array<std::string_view, kRegistryRootCount> kRootNames = {"HKEY_CURRENT_USER", "HKEY_CLASSES_ROOT"};

std::size_t Index(RegistryRoot root)
{
    return static_cast<std::size_t>(root);
}

[[gnu::format(printf, 1, 2)]] void Warn(const char *format, ...)
{
    std::va_list arguments;
    va_start(arguments, format);
    std::fputs("sifter: ", stderr);
    std::vfprintf(stderr, format, arguments);
    std::fputc('\n', stderr);
    va_end(arguments);
}

// The store's folder in the configuration folder; empty when that is unknown.
std::string ProgramFolderIn(const std::string &configFolder)
{
    return configFolder.empty() ? std::string() : PathAppend(configFolder, kProgramFolder);
}

bool IsValidValueName(std::string_view name)
{
    return name.size() <= kMaxValueNameBytes && name.find_first_of(std::string_view("\r\n\0", 3)) == name.npos &&
           IsValidUtf8(name);
}

const RegistryNode *Walk(const RegistryNode &root, const std::vector<std::string_view> &names)
{
    const RegistryNode *key = &root;
    for (std::string_view name : names) {
        key = key->FindSubkey(name);
        if (!key)
            return nullptr;
    }
    return key;
}

} // namespace

std::string RegistryFolderFor(const char *xdgConfigHome, const char *home, const char *homeFromPasswd)
{
    return ProgramFolderIn(BaseFolderFrom(xdgConfigHome, HomeFolderFrom(home, homeFromPasswd), kDefaultConfigBelowHome));
}

std::string DefaultRegistryFolder()
{
    return ProgramFolderIn(ConfigHomeFolder());
}

struct RegistryStore::RootState {
    RootState(const std::string &folder, std::string_view rootName)
        : file(folder, std::string(rootName) + std::string(kFileExtension), std::string(rootName))
    {
    }

    RegistryFile file;
    bool loaded = false;
    FileStamp seen;          // the version of the file that baseText holds
    // Whether that version can be written over without reading it again: a REGEDIT4 text
    // with nothing that a rewrite would drop, or no file at all.
    bool seenClean = false;
    // The file's content as last read or written. The tree it stands for is parsed again
    // only when another process changed the file under changes of ours: a second tree for
    // every store would double its memory for what is rarely needed.
    std::string baseText;
    RegistryNode mine;       // the base with this process's changes
    bool dirty = false;      // mine holds changes not yet written
    bool tooLargeWarned = false;
    bool writeWarned = false;
    // The versions whose unreadable lines were reported, and copied aside. By content: the
    // copy is a hard link where it can be, which changes the file's stamp but not its bytes.
    std::string lossWarnedFor;
    std::string keptFor;
};

RegistryStore::RegistryStore(std::string folder) : folder_(std::move(folder))
{
    for (std::size_t i = 0; i < kRegistryRootCount; ++i)
        roots_[i] = std::make_unique<RootState>(folder_, kRootNames[i]);
}

RegistryStore::~RegistryStore()
{
    for (RegistryKey *key : openKeys_)
        key->store_ = nullptr;
    openKeys_.clear();
    Flush();
}

std::string RegistryStore::FilePath(RegistryRoot root) const
{
    return roots_[Index(root)]->file.Path();
}

RegistryStore::RootState &RegistryStore::State(RegistryRoot root)
{
    return *roots_[Index(root)];
}

namespace {

// The tree of a base text; empty for no file or one that is not a REGEDIT4 text.
RegistryNode BaseTree(const std::string &baseText, std::string_view rootName)
{
    RegistryNode tree;
    ParseRegeditText(baseText, rootName, tree);
    return tree;
}

} // namespace

void RegistryStore::WarnTooLarge(RootState &state)
{
    if (state.tooLargeWarned)
        return;
    state.tooLargeWarned = true;
    tooLarge_.push_back(state.file.Path());
    Warn("%s is larger than %lld bytes, more than a settings file can be; it is neither read nor changed, and "
         "settings are not saved until it is smaller",
         state.file.Path().c_str(), static_cast<long long>(kMaxRegistryFileBytes));
}

void RegistryStore::Refresh(RootState &state)
{
    const FileStamp stamp = state.file.CurrentStamp();
    if (state.loaded && stamp == state.seen)
        return;
    RegistrySnapshot snapshot = state.file.Read();
    state.loaded = true;
    state.seen = snapshot.stamp;
    state.seenClean = false;
    switch (snapshot.state) {
    case RegistryFileState::Unreadable:
        // Keep what we have; FlushRoot refuses to write over a file it cannot read.
        Warn("cannot read %s; settings in it are not used", state.file.Path().c_str());
        return;
    case RegistryFileState::TooLarge:
        // Nothing we wrote; whoever made it may want it back as it is.
        WarnTooLarge(state);
        return;
    case RegistryFileState::Broken:
        if (state.file.Lock()) {
            RegistrySnapshot again = state.file.Read();
            if (again.state == RegistryFileState::Broken) {
                const std::string aside = state.file.KeepAside(again, kBrokenLabel, true);
                if (!aside.empty()) {
                    setAside_.push_back(aside);
                    Warn("%s is not a REGEDIT4 file; moved it to %s and started from defaults", state.file.Path().c_str(), aside.c_str());
                }
            }
            state.file.Unlock();
        }
        state.seen = state.file.CurrentStamp();
        state.baseText.clear();
        if (!state.dirty)
            state.mine = RegistryNode();
        return;
    case RegistryFileState::Missing:
    case RegistryFileState::Read:
        break;
    }
    state.seenClean = !snapshot.parse.Lossy();
    if (snapshot.parse.Lossy() && state.lossWarnedFor != snapshot.bytes) {
        state.lossWarnedFor = snapshot.bytes;
        Warn("%s: %zu line(s) from line %zu on cannot be read and are skipped", state.file.Path().c_str(),
             snapshot.parse.skippedLines + snapshot.parse.droppedLines, snapshot.parse.firstLostLine);
        // Copied now rather than at the first rewrite (often at exit, when no window is left
        // to say so): the program tells at start where the lines it cannot read are kept.
        if (state.file.Lock()) {
            const RegistrySnapshot again = state.file.Read();
            if (again.state == RegistryFileState::Read && again.parse.Lossy())
                KeepLossyCopy(state, again);
            state.file.Unlock();
        }
    }
    if (!state.dirty) {
        state.mine = std::move(snapshot.tree);
    } else if (snapshot.bytes != state.baseText) {
        MergeRegistryChanges(BaseTree(state.baseText, state.file.RootName()), state.mine, snapshot.tree);
        state.mine = std::move(snapshot.tree);
    }
    state.baseText = std::move(snapshot.bytes);
}

bool RegistryStore::KeepLossyCopy(RootState &state, const RegistrySnapshot &snapshot)
{
    if (state.keptFor == snapshot.bytes)
        return true;
    const std::string aside = state.file.KeepAside(snapshot, kKeptLabel, false);
    if (aside.empty())
        return false;
    state.keptFor = snapshot.bytes;
    setAside_.push_back(aside);
    Warn("%s had lines that cannot be read; kept that version as %s", state.file.Path().c_str(), aside.c_str());
    return true;
}

bool RegistryStore::FlushRoot(RootState &state)
{
    if (!state.dirty)
        return true;
    if (!state.file.Lock()) {
        if (!state.writeWarned)
            Warn("cannot write to %s; changes are kept until the program ends", folder_.c_str());
        state.writeWarned = true;
        return false;
    }
    // Under the lock nobody else writes: a file still as it was last read or written holds
    // the base, and only a changed one is read and merged with.
    const bool unchanged = state.loaded && state.seenClean && state.file.CurrentStamp() == state.seen;
    RegistrySnapshot snapshot;
    if (!unchanged)
        snapshot = state.file.Read();
    bool ok = unchanged || (snapshot.state != RegistryFileState::Unreadable && snapshot.state != RegistryFileState::TooLarge);
    if (snapshot.state == RegistryFileState::TooLarge)
        WarnTooLarge(state);
    if (!unchanged && snapshot.state == RegistryFileState::Broken) {
        const std::string aside = state.file.KeepAside(snapshot, kBrokenLabel, true);
        ok = !aside.empty();
        if (ok) {
            setAside_.push_back(aside);
            Warn("%s is not a REGEDIT4 file; moved it to %s", state.file.Path().c_str(), aside.c_str());
        }
        // Nothing of it is merged: mine is written as it stands, over no base.
        state.baseText.clear();
        snapshot.bytes.clear();
    } else if (!unchanged && ok && snapshot.parse.Lossy()) {
        // Rewriting drops the lines that could not be read: the file as it was must be kept.
        ok = KeepLossyCopy(state, snapshot);
    }
    if (ok && !unchanged && snapshot.bytes != state.baseText) {
        MergeRegistryChanges(BaseTree(state.baseText, state.file.RootName()), state.mine, snapshot.tree);
        state.mine = std::move(snapshot.tree);
    }
    if (ok) {
        std::string text;
        if (!WriteRegeditText(state.mine, state.file.RootName(), static_cast<std::size_t>(kMaxRegistryFileBytes), text)) {
            ok = false;
            Warn("%s would be larger than %lld bytes, more than a settings file can be; it is not written",
                 state.file.Path().c_str(), static_cast<long long>(kMaxRegistryFileBytes));
        }
        const bool same = ok && (unchanged ? text == state.baseText
                                           : snapshot.state == RegistryFileState::Read && text == snapshot.bytes);
        ok = ok && (same || state.file.Replace(text));
        if (ok) {
            state.baseText = std::move(text);
            state.seen = state.file.CurrentStamp();
            state.seenClean = true;
        } else if (!unchanged && snapshot.state != RegistryFileState::Broken) {
            state.baseText = std::move(snapshot.bytes);
            state.seen = snapshot.stamp;
            state.seenClean = !snapshot.parse.Lossy();
        }
        state.dirty = !ok;
    }
    state.file.Unlock();
    if (!ok && !state.writeWarned)
        Warn("cannot write %s; changes are kept until the program ends", state.file.Path().c_str());
    state.writeWarned = !ok;
    return ok;
}

bool RegistryStore::Flush()
{
    bool ok = true;
    for (auto &state : roots_)
        ok = FlushRoot(*state) && ok;
    return ok;
}

const RegistryNode *RegistryStore::Find(RegistryRoot root, std::string_view path)
{
    RootState &state = State(root);
    Refresh(state);
    std::vector<std::string_view> names;
    if (!SplitRegistryPath(path, names))
        return nullptr;
    return Walk(state.mine, names);
}

RegistryNode *RegistryStore::FindForChange(RegistryRoot root, std::string_view path)
{
    return const_cast<RegistryNode *>(Find(root, path));
}

void RegistryStore::KeyOpened(RegistryKey *key)
{
    openKeys_.push_back(key);
}

void RegistryStore::KeyMoved(RegistryKey *from, RegistryKey *to)
{
    std::replace(openKeys_.begin(), openKeys_.end(), from, to);
}

bool RegistryStore::HasOpenKeys(RegistryRoot root) const
{
    return std::any_of(openKeys_.begin(), openKeys_.end(), [root](const RegistryKey *key) { return key->root_ == root; });
}

bool RegistryStore::KeyClosed(RegistryKey *key)
{
    std::erase(openKeys_, key);
    return HasOpenKeys(key->root_) || FlushRoot(State(key->root_));
}

bool RegistryStore::ChangeDone(RegistryRoot root)
{
    RootState &state = State(root);
    state.dirty = true;
    return HasOpenKeys(root) || FlushRoot(state);
}

bool RegistryStore::OpenKey(RegistryRoot root, std::string_view path, RegistryKey &out)
{
    out.Close();
    if (!Find(root, path))
        return false;
    out = RegistryKey(this, root, std::string(path));
    return true;
}

bool RegistryStore::CreateKey(RegistryRoot root, std::string_view path, RegistryKey &out)
{
    out.Close();
    RootState &state = State(root);
    Refresh(state);
    std::vector<std::string_view> names;
    if (!SplitRegistryPath(path, names))
        return false;
    RegistryNode *key = &state.mine;
    for (std::string_view name : names) {
        RegistryNode *next = key->FindSubkey(name);
        if (!next) {
            next = &key->AddSubkey(name);
            state.dirty = true;
        }
        key = next;
    }
    out = RegistryKey(this, root, std::string(path));
    return true;
}

bool RegistryStore::DeleteKey(RegistryRoot root, std::string_view path)
{
    RootState &state = State(root);
    Refresh(state);
    std::vector<std::string_view> names;
    if (!SplitRegistryPath(path, names) || names.empty())
        return false;
    const std::string_view last = names.back();
    names.pop_back();
    RegistryNode *parent = const_cast<RegistryNode *>(Walk(state.mine, names));
    const RegistryNode *key = parent ? parent->FindSubkey(last) : nullptr;
    if (!key || key->SubkeyCount() > 0)
        return false;
    parent->RemoveSubkey(last);
    ChangeDone(root); // a failed write keeps the deletion pending and is reported there
    return true;
}

RegistryKey::RegistryKey(RegistryStore *store, RegistryRoot root, std::string path)
    : store_(store), root_(root), path_(std::move(path))
{
    store_->KeyOpened(this);
}

RegistryKey::~RegistryKey()
{
    Close(); // a failed write is reported by the store and stays pending there
}

RegistryKey::RegistryKey(RegistryKey &&other) noexcept
    : store_(other.store_), root_(other.root_), path_(std::move(other.path_))
{
    other.store_ = nullptr;
    if (store_)
        store_->KeyMoved(&other, this);
}

RegistryKey &RegistryKey::operator=(RegistryKey &&other) noexcept
{
    if (this != &other) {
        Close();
        store_ = other.store_;
        root_ = other.root_;
        path_ = std::move(other.path_);
        other.store_ = nullptr;
        if (store_)
            store_->KeyMoved(&other, this);
    }
    return *this;
}

bool RegistryKey::Close()
{
    if (!store_)
        return true;
    RegistryStore *store = store_;
    store_ = nullptr;
    return store->KeyClosed(this);
}

std::string RegistryKey::SubPath(std::string_view path) const
{
    if (path.empty())
        return path_;
    if (path_.empty())
        return std::string(path);
    return path_ + "\\" + std::string(path);
}

bool RegistryKey::OpenSubkey(std::string_view path, RegistryKey &out) const
{
    return store_ && store_->OpenKey(root_, SubPath(path), out);
}

bool RegistryKey::CreateSubkey(std::string_view path, RegistryKey &out) const
{
    return store_ && store_->Find(root_, path_) && store_->CreateKey(root_, SubPath(path), out);
}

bool RegistryKey::DeleteSubkey(std::string_view path) const
{
    return store_ && !path.empty() && store_->DeleteKey(root_, SubPath(path));
}

QueryResult RegistryKey::QueryValue(std::string_view name, void *buffer, std::uint32_t &size, RegistryType *type) const
{
    const RegistryNode *key = store_ ? store_->Find(root_, path_) : nullptr;
    const RegistryValue *value = key ? key->FindValue(name) : nullptr;
    if (!value)
        return QueryResult::Missing;
    if (type)
        *type = value->type;
    const auto needed = static_cast<std::uint32_t>(value->data.size());
    if (buffer && needed > size) {
        size = needed;
        return QueryResult::BufferTooSmall;
    }
    if (buffer && needed > 0)
        std::memcpy(buffer, value->data.data(), needed);
    size = needed;
    return QueryResult::Ok;
}

bool RegistryKey::ReadValue(std::string_view name, RegistryType &type, std::string &data) const
{
    const RegistryNode *key = store_ ? store_->Find(root_, path_) : nullptr;
    const RegistryValue *value = key ? key->FindValue(name) : nullptr;
    if (!value)
        return false;
    type = value->type;
    data = value->data;
    return true;
}

bool RegistryKey::SetValue(std::string_view name, RegistryType type, const void *data, std::uint32_t size)
{
    if (!store_ || !IsValidValueName(name) || (!data && size > 0))
        return false;
    RegistryNode *key = store_->FindForChange(root_, path_);
    if (!key)
        return false;
    key->SetValue(name, type, std::string(static_cast<const char *>(data), size));
    store_->ChangeDone(root_);
    return true;
}

bool RegistryKey::SetString(std::string_view name, std::string_view text)
{
    std::string data(text);
    data.push_back('\0');
    return SetValue(name, RegistryType::String, data.data(), static_cast<std::uint32_t>(data.size()));
}

bool RegistryKey::SetDword(std::string_view name, std::uint32_t number)
{
    std::uint8_t bytes[4];
    PutLittleEndian32(bytes, number);
    return SetValue(name, RegistryType::Dword, bytes, sizeof bytes);
}

bool RegistryKey::DeleteValue(std::string_view name)
{
    RegistryNode *key = store_ ? store_->FindForChange(root_, path_) : nullptr;
    if (!key || !key->DeleteValue(name))
        return false;
    store_->ChangeDone(root_);
    return true;
}

bool RegistryKey::DeleteAllValues()
{
    RegistryNode *key = store_ ? store_->FindForChange(root_, path_) : nullptr;
    if (!key)
        return false;
    if (key->DeleteValues([](const RegistryValue &) { return true; }) > 0)
        store_->ChangeDone(root_);
    return true;
}

bool RegistryKey::EnumSubkey(std::uint32_t index, std::string &name) const
{
    const RegistryNode *key = store_ ? store_->Find(root_, path_) : nullptr;
    const RegistryNode *subkey = key ? key->SubkeyAt(index) : nullptr;
    if (!subkey)
        return false;
    name = subkey->Name();
    return true;
}

bool RegistryKey::EnumValue(std::uint32_t index, std::string &name, RegistryType *type, std::string *data) const
{
    const RegistryNode *key = store_ ? store_->Find(root_, path_) : nullptr;
    if (!key || index >= key->Values().size())
        return false;
    const RegistryValue &value = key->Values()[index];
    name = value.name;
    if (type)
        *type = value.type;
    if (data)
        *data = value.data;
    return true;
}

std::uint32_t RegistryKey::SubkeyCount() const
{
    const RegistryNode *key = store_ ? store_->Find(root_, path_) : nullptr;
    return key ? static_cast<std::uint32_t>(key->SubkeyCount()) : 0;
}

std::uint32_t RegistryKey::ValueCount() const
{
    const RegistryNode *key = store_ ? store_->Find(root_, path_) : nullptr;
    return key ? static_cast<std::uint32_t>(key->Values().size()) : 0;
}

} // namespace sifter
