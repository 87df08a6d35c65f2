#include "presentation/InputRules.h"

#include "core/Codecs.h"
#include "core/DecimalText.h"

namespace rp770::presentation {

namespace {

bool IsDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

}  // namespace

bool FrequencyKeyAllowed(char32_t key) { return IsDigit(key) || key == U'.' || key == U'\b'; }

bool AtisKeyAllowed(char32_t key) { return IsDigit(key) || key == U'\b'; }

char32_t FrequencyKeyTyped(char32_t key) { return key == U',' ? U'.' : key; }

double LeadingNumber(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    const auto number = ReadLeadingDecimal(text, DecimalForm::Plain);
    return number ? number->value : 0;
}

DisplayPair RegularChannelDisplay(const std::string& baseName) {
    const size_t a = baseName.find('A');
    const int number = static_cast<int>(LeadingNumber(a != std::string::npos ? baseName.substr(0, 2) : baseName));
    DisplayPair d;
    if (number < 100) {
        d.left = std::string(1, static_cast<char>('0' + number / 10 % 10)) + static_cast<char>('0' + number % 10);
    } else if (number < 110) {
        d.left = "o" + std::to_string(number - 100);
    } else {
        d.left = "'" + std::to_string(number - 110);
    }
    d.right = a != std::string::npos ? baseName.substr(a) : std::string();
    return d;
}

}  // namespace rp770::presentation
