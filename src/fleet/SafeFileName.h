#pragma once
// File names made from what people type (a vessel's name), safe on every
// file system: ASCII letters, digits, '-', '_' and '.' alone, no name that
// Windows keeps for devices (CON, COM1, ...), no dot or blank at either
// end, at most 100 characters. Plain C++.

#include <mutex>
#include <set>
#include <string>
#include <string_view>

namespace rp770::fleet {

// "Sea Star / 2" becomes "Sea_Star_2"; nothing usable becomes "radio".
std::string SafeFileName(std::string_view text);

// The names one run has given out, so that two radios never share a file:
// the second "Boat-9211234567" becomes "Boat-9211234567-2" (names that
// differ only in case count as the same). Safe to use from many threads.
class NameClaims {
public:
    std::string Claim(const std::string& stem);

private:
    std::mutex mutex_;
    std::set<std::string> taken_;  // lower case
};

}  // namespace rp770::fleet
