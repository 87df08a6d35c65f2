#include "core/DecimalText.h"

#include <charconv>
#include <limits>
#include <system_error>

namespace rp770 {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

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

}  // namespace

std::optional<LeadingDecimal> ReadLeadingDecimal(std::string_view text, DecimalForm form) {
    // The number is copied into the one spelling from_chars takes ("0.5e3"),
    // which reads it the same in every locale.
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
    if (!anyDigit) return std::nullopt;
    if (form == DecimalForm::WithExponent && i < text.size() &&
        (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
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
    if (result.ec == std::errc::result_out_of_range)
        parsed = DecimalMagnitude(plain) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    else if (result.ec != std::errc())
        return std::nullopt;
    return LeadingDecimal{parsed, i};
}

std::string FormatDecimal(double value, int significant) {
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, significant);
    std::string text(buf, result.ptr);
    for (char& c : text)
        if (c == 'e') c = 'E';
    return text;
}

std::string FixedDecimal(int64_t units, int fractionDigits, int wholeDigits) {
    int64_t scale = 1;
    for (int i = 0; i < fractionDigits; ++i) scale *= 10;
    const bool negative = units < 0;
    // Magnitudes as unsigned, so that the most negative value has one too.
    const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(units) : static_cast<uint64_t>(units);
    const uint64_t whole = magnitude / static_cast<uint64_t>(scale), fraction = magnitude % static_cast<uint64_t>(scale);
    char buf[24];
    std::string wholeText(buf, std::to_chars(buf, buf + sizeof buf, whole).ptr);
    std::string fractionText(buf, std::to_chars(buf, buf + sizeof buf, fraction).ptr);
    if (static_cast<int>(wholeText.size()) < wholeDigits)
        wholeText.insert(0, static_cast<size_t>(wholeDigits) - wholeText.size(), '0');
    fractionText.insert(0, static_cast<size_t>(fractionDigits) - fractionText.size(), '0');
    std::string text = negative ? "-" : "";
    text += wholeText;
    if (fractionDigits > 0) text += "." + fractionText;
    return text;
}

std::string FixedDecimal(double value, int fractionDigits) {
    // The largest double has 309 digits before the point.
    char buf[400];
    const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, fractionDigits);
    if (result.ec != std::errc()) return {};
    return std::string(buf, result.ptr);
}

std::string CommaAsPoint(std::string_view text) {
    std::string t(text);
    for (char& c : t)
        if (c == ',') c = '.';
    return t;
}

}  // namespace rp770
