// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sets a category of the C library's locale for as long as the object lives and puts back
// the one before.
#include <clocale>
#include <string>

namespace sifter::test {

class ScopedLocale {
public:
    ScopedLocale(int category, const char *locale) : category_(category)
    {
        if (const char *old = std::setlocale(category, nullptr))
            old_ = old;
        active_ = std::setlocale(category, locale) != nullptr;
    }
    ~ScopedLocale() { std::setlocale(category_, old_.c_str()); }
    ScopedLocale(const ScopedLocale &) = delete;
    ScopedLocale &operator=(const ScopedLocale &) = delete;

    // Whether the system has the locale: without it nothing was changed.
    bool Active() const { return active_; }

private:
    int category_;
    std::string old_ = "C";
    bool active_ = false;
};

} // namespace sifter::test
