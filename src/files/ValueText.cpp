#include "files/ValueText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace rp770 {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Roughly the power of ten of a plain number text ("123.4e5" -> 3 + 5):
// enough to tell an overflow from an underflow.
long long DecimalMagnitude(std::string_view plain) {
    const size_t e = plain.find('e');
    const std::string_view mantissa = plain.substr(0, e);
    long long exponent = 0;
    if (e != std::string_view::npos) {
        std::string_view digits = plain.substr(e + 1);
        const bool negative = !digits.empty() && digits.front() == '-';
        if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) digits.remove_prefix(1);
        for (char c : digits) {
            exponent = exponent * 10 + (c - '0');
            if (exponent > 1000000000LL) break;  // far beyond any double
        }
        if (negative) exponent = -exponent;
    }
    const size_t point = mantissa.find('.');
    const std::string_view whole = mantissa.substr(0, point);
    const size_t firstNonZero = whole.find_first_not_of('0');
    long long magnitude = 0;
    if (firstNonZero != std::string_view::npos) {
        magnitude = static_cast<long long>(whole.size() - firstNonZero);
    } else if (point != std::string_view::npos) {
        const std::string_view fraction = mantissa.substr(point + 1);
        const size_t nz = fraction.find_first_not_of('0');
        magnitude = nz == std::string_view::npos ? -1000000000LL : -static_cast<long long>(nz);
    }
    return magnitude + exponent;
}

// Parses "digits[.digits][(E|D)[sign]digits]" (no sign) in a plain ASCII
// form from_chars understands; returns false when nothing numeric leads.
// `consumed` tells how much of the text the number took.
bool ParseUnsigned(std::string_view text, double& value, size_t& consumed) {
    std::string plain;
    size_t i = 0;
    bool anyDigit = false;
    while (i < text.size() && IsDigit(text[i])) {
        plain += text[i++];
        anyDigit = true;
    }
    if (i < text.size() && text[i] == '.') {
        plain += text[i++];
        while (i < text.size() && IsDigit(text[i])) {
            plain += text[i++];
            anyDigit = true;
        }
    }
    if (!anyDigit) return false;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
        const size_t digitsStart = j;
        while (j < text.size() && IsDigit(text[j])) exponent += text[j++];
        if (j > digitsStart) {
            plain += exponent;
            i = j;
        }
    }
    if (plain.front() == '.') plain.insert(plain.begin(), '0');
    double parsed = 0;
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), parsed, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        parsed = DecimalMagnitude(plain) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (result.ec != std::errc()) {
        return false;
    }
    value = parsed;
    consumed = i;
    return true;
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
    double value = 0;
    size_t consumed = 0;
    if (!ParseUnsigned(text, value, consumed) || consumed != text.size()) return std::nullopt;
    if (!std::isfinite(value)) return std::nullopt;
    return negative ? -value : value;
}

std::optional<bool> ToBoolean(std::string_view text) {
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
    double value = 0;
    size_t consumed = 0;
    if (!ParseUnsigned(rest, value, consumed)) return 0;
    return negative ? -value : value;
}

std::string FormatFrequency(double mhz) {
    if (!std::isfinite(mhz) || mhz == 0.0) return "0";
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, mhz, std::chars_format::general, 15);
    std::string text(buf, result.ptr);
    for (char& c : text)
        if (c == 'e') c = 'E';
    return text;
}

}  // namespace rp770
