#include "ui/InputRules.h"

#include <cstdlib>

#include "core/Codecs.h"

namespace rp770::ui {

namespace {

bool IsDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

}  // namespace

bool FrequencyKeyAllowed(char32_t key) { return IsDigit(key) || key == U'.' || key == U'\b'; }

bool AtisKeyAllowed(char32_t key) { return IsDigit(key) || key == U'\b'; }

double LeadingNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    std::string number;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            number += c;
        } else if (c == '.' && !point) {
            point = true;
            number += c;
        } else {
            break;
        }
    }
    if (number.empty() || number == ".") return 0;
    return std::strtod(number.c_str(), nullptr);
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
