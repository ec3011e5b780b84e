// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sets an environment variable for as long as the object lives and puts back what was there
// (or nothing).
#include <cstdlib>
#include <optional>
#include <string>

namespace sifter::test {

class ScopedEnv {
public:
    // Sets name to value; a null value clears it.
    ScopedEnv(const char *name, const char *value) : name_(name)
    {
        if (const char *old = std::getenv(name))
            old_ = old;
        Set(value);
    }
    ~ScopedEnv() { Set(old_ ? old_->c_str() : nullptr); }
    ScopedEnv(const ScopedEnv &) = delete;
    ScopedEnv &operator=(const ScopedEnv &) = delete;

    // Sets the variable again (a null value clears it); the old value still comes back.
    void Set(const char *value) const
    {
        if (value)
            setenv(name_.c_str(), value, 1);
        else
            unsetenv(name_.c_str());
    }

private:
    std::string name_;
    std::optional<std::string> old_;
};

} // namespace sifter::test
