#pragma once
// Sets TZ for as long as the object lives and puts back what was there (or nothing).
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace sifter::test {

class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char *zone)
    {
        if (const char *old = std::getenv("TZ"))
            old_ = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ScopedTimeZone()
    {
        if (old_)
            setenv("TZ", old_->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    ScopedTimeZone(const ScopedTimeZone &) = delete;
    ScopedTimeZone &operator=(const ScopedTimeZone &) = delete;

private:
    std::optional<std::string> old_;
};

} // namespace sifter::test
