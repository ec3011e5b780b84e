#pragma once
// The in-memory form of one root of the registry store: keys holding named values and
// subkeys. Key and value names compare without regard to ASCII letter case and keep the
// case they were first written with.
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
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

class RegistryNode {
public:
    explicit RegistryNode(std::string name = {}) : name_(std::move(name)) {}
    RegistryNode(const RegistryNode &other);
    RegistryNode &operator=(const RegistryNode &other);
    RegistryNode(RegistryNode &&) noexcept = default;
    RegistryNode &operator=(RegistryNode &&) noexcept = default;
    ~RegistryNode() = default;

    const std::string &Name() const { return name_; }

    // Values in the order they were first set.
    const std::vector<RegistryValue> &Values() const { return values_; }
    const RegistryValue *FindValue(std::string_view name) const;
    // Sets or replaces a value; a replaced value keeps its name's case and its position.
    void SetValue(std::string_view name, RegistryType type, std::string data);
    // False when there was no such value.
    bool DeleteValue(std::string_view name);

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
    std::string name_;
    std::vector<RegistryValue> values_;
    std::unordered_map<std::string, std::size_t> valueIndex_; // folded name -> position
    std::map<std::string, std::unique_ptr<RegistryNode>> subkeys_; // folded name -> key
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
