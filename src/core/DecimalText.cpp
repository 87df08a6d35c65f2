#include "core/DecimalText.h"

// Two libraries made for the job do the conversions between binary doubles
// and decimal text: fast_float reads (correctly rounded, inf or 0 out of
// range) and {fmt} writes (the printf rules, exact digits). Neither looks at
// the locale, and neither needs the floating-point std::from_chars or
// std::to_chars, which not every standard library has.
#include <fast_float/fast_float.h>
#include <fmt/format.h>

#include <charconv>

namespace rp770 {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A negative precision means the printf default of 6, as in "%.*g".
int Precision(int digits) { return digits < 0 ? 6 : digits; }

}  // namespace

std::optional<LeadingDecimal> ReadLeadingDecimal(std::string_view text, DecimalForm form) {
    // The number is copied into the one spelling the reader takes ("0.5e3").
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
    const auto result = fast_float::from_chars(plain.data(), plain.data() + plain.size(), parsed);
    if (result.ec != std::errc()) return std::nullopt;
    return LeadingDecimal{parsed, i};
}

std::string FormatDecimal(double value, int significant) {
    std::string text = fmt::format("{:.{}g}", value, Precision(significant));
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
    return fmt::format("{:.{}f}", value, Precision(fractionDigits));
}

std::string CommaAsPoint(std::string_view text) {
    std::string t(text);
    for (char& c : t)
        if (c == ',') c = '.';
    return t;
}

}  // namespace rp770
