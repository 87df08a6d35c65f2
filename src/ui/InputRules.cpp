#include "ui/InputRules.h"

#include "core/Codecs.h"
#include "core/DecimalText.h"

namespace rp770::ui {

namespace {

constexpr std::u32string_view kDisplayLetters = U"AbCdEFHIKLMnoPQRStUy";
constexpr std::u32string_view kFrontOnlyLetters = U"KMQR";

bool IsDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

}  // namespace

bool DisplayKeyAllowed(char32_t key, bool leftBoxEmpty) {
    if (IsDigit(key) || key == U'-' || key == U' ' || key == U'\b') return true;
    if (kDisplayLetters.find(key) == std::u32string_view::npos) return false;
    return leftBoxEmpty || kFrontOnlyLetters.find(key) == std::u32string_view::npos;
}

bool DisplayTextAllowed(std::string_view text, bool leftBox) {
    for (size_t i = 0; i < text.size(); ++i) {
        const char32_t c = static_cast<unsigned char>(text[i]);
        if (c == U'\b' || !DisplayKeyAllowed(c, leftBox && i == 0)) return false;
    }
    return true;
}

bool FrequencyKeyAllowed(char32_t key) { return IsDigit(key) || key == U'.' || key == U'\b'; }

bool AtisKeyAllowed(char32_t key) { return IsDigit(key) || key == U'\b'; }

char32_t FrequencyKeyTyped(char32_t key) { return key == U',' ? U'.' : key; }

double LeadingNumber(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    const auto number = ReadLeadingDecimal(text, DecimalForm::Plain);
    return number ? number->value : 0;
}

std::optional<double> CheckExpFrequency(std::string_view text) {
    if (TrimSpaces(text).empty()) return 0.0;
    // A pasted "157,025" means what a typed one does.
    std::string entry(text);
    for (char& c : entry) c = static_cast<char>(FrequencyKeyTyped(static_cast<unsigned char>(c)));
    const double value = LeadingNumber(entry);
    if (value >= 137.0 && value <= 174.0 && IsStep25k(value)) return UnitsToFreq(FreqUnits(value));
    return std::nullopt;
}

std::optional<std::string> CheckAtisCode(std::string_view text) {
    const std::string code = TrimSpaces(text);
    if (code.empty()) return code;
    if (code.size() != 10) return std::nullopt;
    for (char c : code)
        if (c < '0' || c > '9') return std::nullopt;
    return code;
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

}  // namespace rp770::ui
