#include "files/ValueText.h"

#include <cmath>
#include <limits>

#include "core/DecimalText.h"

namespace rp770 {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

template <typename Int>
std::optional<Int> ToInteger(std::string_view text) {
    const std::optional<double> value = ToDouble(text);
    if (!value) return std::nullopt;
    const double rounded = std::nearbyint(*value);  // half to even in the default rounding mode
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return static_cast<Int>(rounded);
}

bool EqualsWordNoCase(std::string_view text, std::string_view word) {
    if (text.size() != word.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != word[i]) return false;
    }
    return true;
}

}  // namespace

std::optional<double> ToDouble(std::string_view text) {
    text = TrimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const auto number = ReadLeadingDecimal(text, DecimalForm::WithExponent);
    if (!number || number->length != text.size() || !std::isfinite(number->value)) return std::nullopt;
    return negative ? -number->value : number->value;
}

std::optional<bool> ToBoolean(std::string_view text) {
    if (text.size() == 1 && (text[0] == '0' || text[0] == '1')) return text[0] == '1';  // as written: spares the number reader
    const std::string_view word = TrimBlanks(text);
    if (EqualsWordNoCase(word, "true")) return true;
    if (EqualsWordNoCase(word, "false")) return false;
    const std::optional<double> value = ToDouble(word);
    if (!value) return std::nullopt;
    return *value != 0.0;
}

std::optional<int16_t> ToInt16(std::string_view text) { return ToInteger<int16_t>(text); }
std::optional<int32_t> ToInt32(std::string_view text) { return ToInteger<int32_t>(text); }

double LeadingValue(std::string_view text) {
    std::string compact;
    compact.reserve(text.size());
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r') compact += c;
    std::string_view rest = compact;
    bool negative = false;
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    const auto number = ReadLeadingDecimal(rest, DecimalForm::WithExponent);
    if (!number) return 0;
    return negative ? -number->value : number->value;
}

std::string FormatFrequency(double mhz) {
    if (!std::isfinite(mhz) || mhz == 0.0) return "0";
    return FormatDecimal(mhz, 15);
}

}  // namespace rp770
