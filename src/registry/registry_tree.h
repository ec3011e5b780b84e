// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The in-memory form of one root of the registry store: keys holding named values and
// subkeys. Key and value names compare without regard to ASCII letter case and keep the
// case they were first written with.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sifter {

// The type of a stored value. Any 32-bit number may be stored; the store interprets
// only String, Dword and Binary and keeps every other type's bytes as they are.
enum class RegistryType : std::uint32_t {
    None = 0,
    String = 1, // text with its terminating zero, in the system code page (UTF-8)
    ExpandString = 2,
    Binary = 3,
    Dword = 4, // 32-bit little-endian number
    MultiString = 7,
};

// Windows-compatible limits on names and nesting.
inline constexpr std::size_t kMaxKeyNameBytes = 255;
inline constexpr std::size_t kMaxValueNameBytes = 16383;
inline constexpr std::size_t kMaxKeyDepth = 512;

struct RegistryValue {
    std::string name; // empty for the key's default value
    RegistryType type = RegistryType::None;
    std::string data; // the value's bytes

    bool operator==(const RegistryValue &) const = default;
};

// ASCII letters folded to upper case; the form in which names are compared and sorted.
std::string FoldRegistryName(std::string_view name);
// Whether a sorts before b in that form, without making folded copies.
bool FoldedRegistryNameLess(std::string_view a, std::string_view b);

class RegistryNode {
public:
    explicit RegistryNode(std::string name = {}) : name_(std::move(name)) {}
    RegistryNode(const RegistryNode &other);
    RegistryNode &operator=(const RegistryNode &other);
    RegistryNode(RegistryNode &&) noexcept = default;
    RegistryNode &operator=(RegistryNode &&) noexcept = default;
    ~RegistryNode() = default;

    const std::string &Name() const { return name_; }
    // Whether the text the key was read from named it in a header of its own rather than
    // only as a part of a deeper key's path; keys made otherwise are named. Not compared.
    bool Named() const { return named_; }
    void SetNamed(bool named) { named_ = named; }

    // Values in the order they were first set.
    const std::vector<RegistryValue> &Values() const { return values_; }
    const RegistryValue *FindValue(std::string_view name) const;
    // Sets or replaces a value; a replaced value keeps its name's case and its position.
    void SetValue(std::string_view name, RegistryType type, std::string data);
    // False when there was no such value. Takes time in the number of values; to remove
    // many, DeleteValues takes them all in one pass.
    bool DeleteValue(std::string_view name);
    // Removes every value for which remove(value) is true, in one pass; how many went.
    std::size_t DeleteValues(const std::function<bool(const RegistryValue &)> &remove);

    // Subkeys ordered by folded name (as the registry enumerates them).
    std::size_t SubkeyCount() const { return subkeys_.size(); }
    const RegistryNode *FindSubkey(std::string_view name) const;
    RegistryNode *FindSubkey(std::string_view name);
    // The subkey of that name, created (with this spelling) when missing.
    RegistryNode &AddSubkey(std::string_view name);
    // Removes the subkey with everything under it; false when there was none.
    bool RemoveSubkey(std::string_view name);
    // Calls visit(node) for every direct subkey in enumeration order.
    template <typename Visit>
    void ForEachSubkey(Visit &&visit) const
    {
        for (const auto &entry : subkeys_)
            visit(static_cast<const RegistryNode &>(*entry.second));
    }
    // The index-th subkey in enumeration order, or none.
    const RegistryNode *SubkeyAt(std::size_t index) const;

    // Same names (case included), values in the same order and same subkeys, recursively.
    bool operator==(const RegistryNode &other) const;

private:
    // Orders subkeys by folded name; the keys are views of each subkey's own name.
    struct FoldedLess {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const { return FoldedRegistryNameLess(a, b); }
    };
    // The position of a value by its folded name: an open-addressing table of positions
    // (0 free, else position + 1), kept only once a key has more than a few values, which
    // are otherwise found by looking at each.
    std::size_t FindPosition(std::string_view name) const;
    void IndexPosition(std::size_t position);
    void RebuildIndex();

    std::string name_;
    std::vector<RegistryValue> values_;
    std::vector<std::uint32_t> index_;
    std::map<std::string_view, std::unique_ptr<RegistryNode>, FoldedLess> subkeys_;
    bool named_ = true;
};

// Splits a key path written with "\" between names. False for an empty name, a name
// longer than kMaxKeyNameBytes, a name holding a line break or a NUL, or more than
// kMaxKeyDepth names. An empty path gives no names (the root itself).
bool SplitRegistryPath(std::string_view path, std::vector<std::string_view> &names);

// Applies the changes that lead from base to mine onto fresh (a newer state written by
// someone else): values mine set or changed are set, values and keys mine removed are
// removed, keys mine created are created. What fresh changed and mine did not touch
// stays; a key someone else added below a key mine removed keeps that key alive.
void MergeRegistryChanges(const RegistryNode &base, const RegistryNode &mine, RegistryNode &fresh);

} // namespace sifter
