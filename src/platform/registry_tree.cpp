#include "platform/registry_tree.h"

namespace sifter {

std::string FoldRegistryName(std::string_view name)
{
    std::string folded(name);
    for (char &c : folded) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return folded;
}

RegistryNode::RegistryNode(const RegistryNode &other)
    : name_(other.name_), values_(other.values_), valueIndex_(other.valueIndex_)
{
    for (const auto &[folded, node] : other.subkeys_)
        subkeys_.emplace(folded, std::make_unique<RegistryNode>(*node));
}

RegistryNode &RegistryNode::operator=(const RegistryNode &other)
{
    if (this != &other) {
        RegistryNode copy(other);
        *this = std::move(copy);
    }
    return *this;
}

const RegistryValue *RegistryNode::FindValue(std::string_view name) const
{
    const auto found = valueIndex_.find(FoldRegistryName(name));
    return found == valueIndex_.end() ? nullptr : &values_[found->second];
}

void RegistryNode::SetValue(std::string_view name, RegistryType type, std::string data)
{
    std::string folded = FoldRegistryName(name);
    const auto found = valueIndex_.find(folded);
    if (found != valueIndex_.end()) {
        RegistryValue &value = values_[found->second];
        value.type = type;
        value.data = std::move(data);
        return;
    }
    valueIndex_.emplace(std::move(folded), values_.size());
    values_.push_back(RegistryValue{std::string(name), type, std::move(data)});
}

bool RegistryNode::DeleteValue(std::string_view name)
{
    const auto found = valueIndex_.find(FoldRegistryName(name));
    if (found == valueIndex_.end())
        return false;
    const std::size_t position = found->second;
    values_.erase(values_.begin() + static_cast<std::ptrdiff_t>(position));
    valueIndex_.erase(found);
    for (auto &entry : valueIndex_) {
        if (entry.second > position)
            --entry.second;
    }
    return true;
}

const RegistryNode *RegistryNode::FindSubkey(std::string_view name) const
{
    const auto found = subkeys_.find(FoldRegistryName(name));
    return found == subkeys_.end() ? nullptr : found->second.get();
}

RegistryNode *RegistryNode::FindSubkey(std::string_view name)
{
    const auto found = subkeys_.find(FoldRegistryName(name));
    return found == subkeys_.end() ? nullptr : found->second.get();
}

RegistryNode &RegistryNode::AddSubkey(std::string_view name)
{
    auto &slot = subkeys_[FoldRegistryName(name)];
    if (!slot)
        slot = std::make_unique<RegistryNode>(std::string(name));
    return *slot;
}

bool RegistryNode::RemoveSubkey(std::string_view name)
{
    return subkeys_.erase(FoldRegistryName(name)) > 0;
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
        if (mine->first != theirs->first || !(*mine->second == *theirs->second))
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
    for (const RegistryValue &value : known.Values())
        fresh->DeleteValue(value.name);
}

void MergeKey(const RegistryNode *base, const RegistryNode &mine, RegistryNode &fresh)
{
    for (const RegistryValue &value : mine.Values()) {
        const RegistryValue *before = base ? base->FindValue(value.name) : nullptr;
        if (!before || before->type != value.type || before->data != value.data)
            fresh.SetValue(value.name, value.type, value.data);
    }
    if (base) {
        for (const RegistryValue &value : base->Values()) {
            if (!mine.FindValue(value.name))
                fresh.DeleteValue(value.name);
        }
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
