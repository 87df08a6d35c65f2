#pragma once
// What the editing boxes accept: the keys each box lets through. The checks
// of a finished entry are the editing session's (workspace/Edits.h). Plain
// functions, no widgets.

#include <optional>
#include <string>
#include <string_view>

namespace rp770::presentation {

bool FrequencyKeyAllowed(char32_t key);  // digits and the point
// What a key typed into a frequency box types: "," is the decimal mark on
// many keyboards and in many locales, and is taken as ".".
char32_t FrequencyKeyTyped(char32_t key);
bool AtisKeyAllowed(char32_t key);       // digits

// The numeric value of the leading number of a text (blanks skipped, digits
// with at most one point); 0 when the text does not start with one.
double LeadingNumber(std::string_view text);

// The display characters a regular channel shows for its base channel name:
// the number in two places ("o" + n-100 from 100, "'" + n-110 from 110) and
// the "A" suffix, if any.
struct DisplayPair {
    std::string left, right;
};
DisplayPair RegularChannelDisplay(const std::string& baseName);

}  // namespace rp770::presentation
