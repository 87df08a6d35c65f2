#pragma once
// Decimal numbers as text, the one way the program reads and writes them:
// ASCII digits with "." as the decimal mark, whatever the user's locale
// says. Files, the radio's codes, typed entries and reports all come
// through here; nothing else in the program converts a number with the C
// library's locale-aware functions.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rp770 {

enum class DecimalForm {
    Plain,         // digits with an optional "." and digits
    WithExponent,  // ... then an optional exponent: E, e, D or d, an optional sign, digits
};

struct LeadingDecimal {
    double value = 0;
    size_t length = 0;  // how many characters of the text the number took
};

// The unsigned number at the very start of a text (no sign, no blanks: the
// callers take those themselves). At least one digit is needed, before or
// after the point. An exponent letter without digits is not part of the
// number. A value too large for a double is infinite, one too small is 0.
std::optional<LeadingDecimal> ReadLeadingDecimal(std::string_view text, DecimalForm form);

// The text with every "," taken as the decimal point: people and
// spreadsheets in comma-decimal languages write "156,8" for 156.8.
std::string CommaAsPoint(std::string_view text);

// At most `significant` significant digits, no trailing zeros, "." as the
// decimal mark and an upper-case exponent for very large or small values
// (the %g rules: "156.8", "1E+20").
std::string FormatDecimal(double value, int significant);

// units / 10^fractionDigits in fixed notation, at least `wholeDigits` digits
// before the point: FixedDecimal(1568000, 4, 3) is "156.8000".
std::string FixedDecimal(int64_t units, int fractionDigits, int wholeDigits);

// A double in fixed notation with `fractionDigits` decimals, rounded from its
// exact binary value: every digit of the integer part is the value's own.
std::string FixedDecimal(double value, int fractionDigits);

}  // namespace rp770
