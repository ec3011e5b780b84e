// SPDX-License-Identifier: GPL-3.0-or-later
#include "registry/registry_tree.h"

#include <algorithm>

namespace sifter {

namespace {

// A key with more values than this finds them through its index.
constexpr std::size_t kUnindexedValues = 8;
constexpr std::uint64_t kHashBasis = 14695981039346656037ULL; // FNV-1a
constexpr std::uint64_t kHashPrime = 1099511628211ULL;

char FoldAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameFolded(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

std::uint64_t FoldedHash(std::string_view name)
{
    std::uint64_t hash = kHashBasis;
    for (const char c : name)
        hash = (hash ^ static_cast<unsigned char>(FoldAscii(c))) * kHashPrime;
    return hash;
}

} // namespace

std::string FoldRegistryName(std::string_view name)
{
    std::string folded(name);
    for (char &c : folded)
        c = FoldAscii(c);
    return folded;
}

bool FoldedRegistryNameLess(std::string_view a, std::string_view b)
{
    // Bytes compare unsigned, as std::string's comparison of the folded forms does.
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(FoldAscii(x)) < static_cast<unsigned char>(FoldAscii(y));
    });
}

RegistryNode::RegistryNode(const RegistryNode &other)
    : name_(other.name_), values_(other.values_), index_(other.index_), named_(other.named_)
{
    // Already in order: each copy goes in at the end.
    for (const auto &entry : other.subkeys_) {
        auto copy = std::make_unique<RegistryNode>(*entry.second);
        const std::string_view key = copy->name_;
        subkeys_.emplace_hint(subkeys_.end(), key, std::move(copy));
    }
}

RegistryNode &RegistryNode::operator=(const RegistryNode &other)
{
    if (this != &other) {
        RegistryNode copy(other);
        *this = std::move(copy);
    }
    return *this;
}

std::size_t RegistryNode::FindPosition(std::string_view name) const
{
    if (index_.empty()) {
        for (std::size_t i = 0; i < values_.size(); ++i) {
            if (SameFolded(values_[i].name, name))
                return i;
        }
        return values_.size();
    }
    const std::size_t mask = index_.size() - 1;
    for (std::size_t slot = FoldedHash(name) & mask;; slot = (slot + 1) & mask) {
        if (index_[slot] == 0)
            return values_.size();
        const std::size_t position = index_[slot] - 1;
        if (SameFolded(values_[position].name, name))
            return position;
    }
}

void RegistryNode::IndexPosition(std::size_t position)
{
    // At most half full, so that probes stay short.
    if (2 * values_.size() > index_.size()) {
        RebuildIndex();
        return;
    }
    const std::size_t mask = index_.size() - 1;
    std::size_t slot = FoldedHash(values_[position].name) & mask;
    while (index_[slot] != 0)
        slot = (slot + 1) & mask;
    index_[slot] = static_cast<std::uint32_t>(position + 1);
}

void RegistryNode::RebuildIndex()
{
    index_.clear();
    if (values_.size() <= kUnindexedValues) {
        index_.shrink_to_fit();
        return;
    }
    std::size_t slots = 16;
    while (slots < 4 * values_.size())
        slots *= 2;
    index_.assign(slots, 0);
    const std::size_t mask = slots - 1;
    for (std::size_t position = 0; position < values_.size(); ++position) {
        std::size_t slot = FoldedHash(values_[position].name) & mask;
        while (index_[slot] != 0)
            slot = (slot + 1) & mask;
        index_[slot] = static_cast<std::uint32_t>(position + 1);
    }
}

const RegistryValue *RegistryNode::FindValue(std::string_view name) const
{
    const std::size_t position = FindPosition(name);
    return position < values_.size() ? &values_[position] : nullptr;
}

void RegistryNode::SetValue(std::string_view name, RegistryType type, std::string data)
{
    const std::size_t position = FindPosition(name);
    if (position < values_.size()) {
        RegistryValue &value = values_[position];
        value.type = type;
        value.data = std::move(data);
        return;
    }
    values_.push_back(RegistryValue{std::string(name), type, std::move(data)});
    if (values_.size() > kUnindexedValues)
        IndexPosition(values_.size() - 1);
}

bool RegistryNode::DeleteValue(std::string_view name)
{
    const std::size_t position = FindPosition(name);
    if (position >= values_.size())
        return false;
    values_.erase(values_.begin() + static_cast<std::ptrdiff_t>(position));
    RebuildIndex();
    return true;
}

std::size_t RegistryNode::DeleteValues(const std::function<bool(const RegistryValue &)> &remove)
{
    const std::size_t removed = std::erase_if(values_, remove);
    if (removed > 0)
        RebuildIndex();
    return removed;
}

const RegistryNode *RegistryNode::FindSubkey(std::string_view name) const
{
    const auto found = subkeys_.find(name);
    return found == subkeys_.end() ? nullptr : found->second.get();
}

RegistryNode *RegistryNode::FindSubkey(std::string_view name)
{
    const auto found = subkeys_.find(name);
    return found == subkeys_.end() ? nullptr : found->second.get();
}

RegistryNode &RegistryNode::AddSubkey(std::string_view name)
{
    const auto found = subkeys_.lower_bound(name);
    if (found != subkeys_.end() && !FoldedRegistryNameLess(name, found->first))
        return *found->second;
    auto node = std::make_unique<RegistryNode>(std::string(name));
    const std::string_view key = node->name_;
    return *subkeys_.emplace_hint(found, key, std::move(node))->second;
}

bool RegistryNode::RemoveSubkey(std::string_view name)
{
    const auto found = subkeys_.find(name);
    if (found == subkeys_.end())
        return false;
    subkeys_.erase(found);
    return true;
}

const RegistryNode *RegistryNode::SubkeyAt(std::size_t index) const
{
    if (index >= subkeys_.size())
        return nullptr;
    auto it = subkeys_.begin();
    std::advance(it, static_cast<std::ptrdiff_t>(index));
    return it->second.get();
}

bool RegistryNode::operator==(const RegistryNode &other) const
{
    if (name_ != other.name_ || values_ != other.values_ || subkeys_.size() != other.subkeys_.size())
        return false;
    for (auto mine = subkeys_.begin(), theirs = other.subkeys_.begin(); mine != subkeys_.end(); ++mine, ++theirs) {
        // Equal nodes have equal names, case included.
        if (!(*mine->second == *theirs->second))
            return false;
    }
    return true;
}

bool SplitRegistryPath(std::string_view path, std::vector<std::string_view> &names)
{
    names.clear();
    if (path.empty())
        return true;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = path.find('\\', start);
        const std::string_view name = path.substr(start, end == std::string_view::npos ? path.npos : end - start);
        if (name.empty() || name.size() > kMaxKeyNameBytes || name.find_first_of(std::string_view("\r\n\0", 3)) != name.npos)
            return false;
        names.push_back(name);
        if (names.size() > kMaxKeyDepth)
            return false;
        if (end == std::string_view::npos)
            return true;
        start = end + 1;
    }
}

namespace {

// Same values and subkeys regardless of order and letter case of names.
bool SameContent(const RegistryNode &a, const RegistryNode &b)
{
    if (a.Values().size() != b.Values().size() || a.SubkeyCount() != b.SubkeyCount())
        return false;
    for (const RegistryValue &value : a.Values()) {
        const RegistryValue *other = b.FindValue(value.name);
        if (!other || other->type != value.type || other->data != value.data)
            return false;
    }
    bool same = true;
    a.ForEachSubkey([&](const RegistryNode &child) {
        const RegistryNode *other = b.FindSubkey(child.Name());
        if (same && (!other || !SameContent(child, *other)))
            same = false;
    });
    return same;
}

// Removes from freshParent what of the key `known` was there before this process
// removed it; a key that meanwhile got a subkey from someone else stays, without the
// values it had.
void RemoveKnownKey(const RegistryNode &known, RegistryNode &freshParent)
{
    RegistryNode *fresh = freshParent.FindSubkey(known.Name());
    if (!fresh)
        return;
    known.ForEachSubkey([&](const RegistryNode &child) { RemoveKnownKey(child, *fresh); });
    if (fresh->SubkeyCount() == 0) {
        freshParent.RemoveSubkey(known.Name());
        return;
    }
    fresh->DeleteValues([&known](const RegistryValue &value) { return known.FindValue(value.name) != nullptr; });
}

void MergeKey(const RegistryNode *base, const RegistryNode &mine, RegistryNode &fresh)
{
    for (const RegistryValue &value : mine.Values()) {
        const RegistryValue *before = base ? base->FindValue(value.name) : nullptr;
        if (!before || before->type != value.type || before->data != value.data)
            fresh.SetValue(value.name, value.type, value.data);
    }
    if (base) {
        fresh.DeleteValues([&](const RegistryValue &value) {
            return base->FindValue(value.name) && !mine.FindValue(value.name);
        });
    }
    mine.ForEachSubkey([&](const RegistryNode &child) {
        const RegistryNode *before = base ? base->FindSubkey(child.Name()) : nullptr;
        RegistryNode *target = fresh.FindSubkey(child.Name());
        if (!target) {
            // Someone else removed a key this process only read: their removal stands.
            if (before && SameContent(*before, child))
                return;
            target = &fresh.AddSubkey(child.Name());
        }
        MergeKey(before, child, *target);
    });
    if (base) {
        base->ForEachSubkey([&](const RegistryNode &child) {
            if (!mine.FindSubkey(child.Name()))
                RemoveKnownKey(child, fresh);
        });
    }
}

} // namespace

void MergeRegistryChanges(const RegistryNode &base, const RegistryNode &mine, RegistryNode &fresh)
{
    MergeKey(&base, mine, fresh);
}

} // namespace sifter
