#pragma once
// The comma-decimal locale (de_DE.UTF-8) that scripts/setup.sh compiles into
// a folder of the project's own, for tests that switch to it themselves.

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <locale>
#include <string>

namespace rp770::testing {

inline constexpr const char* kCommaLocale = "de_DE.UTF-8";
inline std::string CommaLocaleFolder() { return RP770_LOCALE_DIR; }

// The whole process (C and C++ locales) in the comma locale while it lives.
// glibc finds the locale through LOCPATH, which this process keeps.
class CommaLocaleScope {
public:
    CommaLocaleScope() : before_(std::setlocale(LC_ALL, nullptr)) {
#if !defined(_WIN32)
        ::setenv("LOCPATH", CommaLocaleFolder().c_str(), 1);
        active_ = std::setlocale(LC_ALL, kCommaLocale) && *std::localeconv()->decimal_point == ',';
        if (active_) std::locale::global(std::locale(kCommaLocale));
#endif
    }
    ~CommaLocaleScope() {
        std::locale::global(cxxBefore_);
        std::setlocale(LC_ALL, before_.c_str());
    }
    bool active() const { return active_; }

private:
    std::string before_;
    std::locale cxxBefore_;
    bool active_ = false;
};

// Skips the test when the locale is missing, unless the run needs it (make
// test sets RP770_REQUIRE_COMMA_LOCALE).
#define RP770_REQUIRE_COMMA_LOCALE(scope)                                                                          \
    if (!(scope).active()) {                                                                                       \
        if (std::getenv("RP770_REQUIRE_COMMA_LOCALE")) FAIL() << "de_DE.UTF-8 is missing: run scripts/setup.sh"; \
        GTEST_SKIP() << "de_DE.UTF-8 is missing: run scripts/setup.sh";                                           \
    }

}  // namespace rp770::testing
