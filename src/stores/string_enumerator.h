// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A reference-counted enumerator of texts in UTF-16, as the criteria pane's completer
// reads a search history through it. Result codes keep the numbers of the component
// model the program was designed for: 0 for full success, 1 for a partial one,
// negative numbers for failures.
#include <cstdint>
#include <string>

namespace sifter {

using HResult = std::int32_t;
inline constexpr HResult kResultOk = 0;    // everything asked for was done
inline constexpr HResult kResultFalse = 1; // done in part (fewer entries than asked, end reached)
inline constexpr HResult kResultNotImplemented = static_cast<HResult>(0x80004001);
inline constexpr HResult kResultNoInterface = static_cast<HResult>(0x80004002);
inline constexpr HResult kResultInvalidPointer = static_cast<HResult>(0x80004003);

// The interfaces an object may be asked for.
enum class InterfaceId {
    Unknown,             // the base interface every object has
    StringEnumerator,    // this enumerator
    AutoComplete,        // a completer object
    AutoCompleteOptions, // a completer's options
};

class StringEnumerator {
public:
    // The enumerator (after AddRef) for Unknown and StringEnumerator; kResultNoInterface
    // and a null result for anything else.
    virtual HResult QueryInterface(InterfaceId id, StringEnumerator **out) = 0;
    // Add or take one reference; both return the new count.
    virtual std::uint32_t AddRef() = 0;
    virtual std::uint32_t Release() = 0;
    // Copies up to count texts from the current position into strings[0..] and moves
    // on; fetched (when given) gets how many. kResultOk when count texts were copied.
    virtual HResult Next(std::uint32_t count, std::u16string *strings, std::uint32_t *fetched) = 0;
    // Moves the position on by count; kResultOk while it is still before the end.
    virtual HResult Skip(std::uint32_t count) = 0;
    // Back to the first text.
    virtual HResult Reset() = 0;
    virtual HResult Clone(StringEnumerator **out) = 0;

protected:
    virtual ~StringEnumerator() = default;
};

} // namespace sifter
