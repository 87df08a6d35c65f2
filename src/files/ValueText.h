#pragma once
// Conversions between the text of a settings file and the typed fields of
// the model, with the number rules of the files: "." is the decimal mark
// whatever the user's locale, and a value that does not fit the field is
// unconvertible (the caller then keeps the field as it was).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rp770 {

// A whole text as a number: optional spaces or tabs around, an optional
// sign, digits with an optional decimal point, an optional exponent (E or D).
// Nothing else: no hexadecimal prefixes, no group separators. Infinite or
// not-a-number results are unconvertible.
std::optional<double> ToDouble(std::string_view text);

// "True" or "False" in any case, or a number (0 false, anything else true).
std::optional<bool> ToBoolean(std::string_view text);

// A number rounded half to even; out of the type's range is unconvertible.
std::optional<int16_t> ToInt16(std::string_view text);
std::optional<int32_t> ToInt32(std::string_view text);

// The numeric value of the leading numeric part of a text; 0 when none.
// Blanks (spaces, tabs, line feeds) are skipped wherever they stand, so
// "1 2" reads as 12. May be infinite for absurd exponents.
double LeadingValue(std::string_view text);

// A frequency in MHz as the settings file writes it: at most 15 significant
// digits, no trailing zeros, "." as decimal mark; "0" for zero.
std::string FormatFrequency(double mhz);

}  // namespace rp770
