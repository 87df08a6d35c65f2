#pragma once
// The one reader of INI text values (the model list file, the model type
// check of a settings text file). It keeps the rules of the classic
// private-profile reader: sections and keys match without regard to case,
// the first section of a name is the one searched, blanks around keys and
// values are dropped, one pair of matching quotes around a value is removed,
// at most 127 characters come back and a NUL ends the value.

#include <string>
#include <string_view>

namespace rp770 {

inline constexpr size_t kIniValueMaxLength = 127;

// The raw value as the private-profile reader returns it, or `fallback` when
// the section or key is missing.
std::string PrivateProfileString(std::string_view text, std::string_view section, std::string_view key,
                                 std::string_view fallback);

// ReadIniValue, on the text of a file (the program's data, or a file the
// front end read): the value with the default "<NONE>" turned into empty
// text and one leading "#" removed.
std::string ReadIniValueFromText(std::string_view text, std::string_view section, std::string_view key);

}  // namespace rp770
