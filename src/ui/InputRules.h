#pragma once
// What the editing boxes accept: the keys each box lets through and the
// checks a finished entry must pass. Plain functions, no widgets.

#include <optional>
#include <string>
#include <string_view>

namespace rp770::ui {

// Display characters of an EXP channel. The left box, while it is empty,
// also takes K, M, Q and R (characters the radio can show only in front).
bool DisplayKeyAllowed(char32_t key, bool leftBoxEmpty);
// A whole display text, as it may arrive by pasting: the first character of
// the left box from the wider set, every other from the narrower one.
bool DisplayTextAllowed(std::string_view text, bool leftBox);

bool FrequencyKeyAllowed(char32_t key);  // digits and the point
// What a key typed into a frequency box types: "," is the decimal mark on
// many keyboards and in many locales, and is taken as ".".
char32_t FrequencyKeyTyped(char32_t key);
bool AtisKeyAllowed(char32_t key);       // digits

// The numeric value of the leading number of a text (blanks skipped, digits
// with at most one point); 0 when the text does not start with one.
double LeadingNumber(std::string_view text);

// An EXP frequency entry: empty means no frequency (0); otherwise a value from
// 137 to 174 MHz on the 25 kHz raster, "," read as ".". Returns the
// frequency or nothing.
std::optional<double> CheckExpFrequency(std::string_view text);

// An ATIS code entry: empty, or exactly ten digits once blanks are trimmed.
// Returns the code to store (trimmed) or nothing.
std::optional<std::string> CheckAtisCode(std::string_view text);

// The display characters a regular channel shows for its base channel name:
// the number in two places ("o" + n-100 from 100, "'" + n-110 from 110) and
// the "A" suffix, if any.
struct DisplayPair {
    std::string left, right;
};
DisplayPair RegularChannelDisplay(const std::string& baseName);

}  // namespace rp770::ui
