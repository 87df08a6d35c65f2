#pragma once
// The comma-decimal locale (de_DE.UTF-8) that scripts/setup.sh compiles into
// a folder of the project's own, for tests that switch to it themselves.

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <locale>
#include <optional>
#include <string>

namespace rp770::testing {

inline constexpr const char* kCommaLocale = "de_DE.UTF-8";
inline std::string CommaLocaleFolder() { return RP770_LOCALE_DIR; }

// Switches the whole process (C and C++ locales) to the comma locale for
// its lifetime, and back afterwards.
class CommaLocaleScope {
public:
    CommaLocaleScope() : cxxBefore_(std::locale()) {
        if (const char* c = std::setlocale(LC_ALL, nullptr)) cBefore_ = c;
#if !defined(_WIN32)  // glibc finds the compiled locale through LOCPATH
        if (const char* p = std::getenv("LOCPATH")) locpathBefore_ = p;
        ::setenv("LOCPATH", CommaLocaleFolder().c_str(), 1);
        active_ = std::setlocale(LC_ALL, kCommaLocale) != nullptr && *std::localeconv()->decimal_point == ',';
        if (active_) std::locale::global(std::locale(kCommaLocale));
#endif
    }
    ~CommaLocaleScope() {
        std::locale::global(cxxBefore_);
        std::setlocale(LC_ALL, cBefore_.c_str());
#if !defined(_WIN32)
        if (locpathBefore_)
            ::setenv("LOCPATH", locpathBefore_->c_str(), 1);
        else
            ::unsetenv("LOCPATH");
#endif
    }
    CommaLocaleScope(const CommaLocaleScope&) = delete;
    CommaLocaleScope& operator=(const CommaLocaleScope&) = delete;

    bool active() const { return active_; }

private:
    std::locale cxxBefore_;
    std::string cBefore_ = "C";
    std::optional<std::string> locpathBefore_;
    bool active_ = false;
};

// In a test body: skips the test when the locale is missing, unless the
// run says that it must be there (make test sets RP770_REQUIRE_COMMA_LOCALE).
#define RP770_REQUIRE_COMMA_LOCALE(scope)                                                                      \
    if (!(scope).active()) {                                                                                   \
        if (std::getenv("RP770_REQUIRE_COMMA_LOCALE")) FAIL() << "de_DE.UTF-8 is missing: run scripts/setup.sh"; \
        GTEST_SKIP() << "de_DE.UTF-8 is missing: run scripts/setup.sh";                                         \
    }

}  // namespace rp770::testing
