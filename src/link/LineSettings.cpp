#include "link/LineSettings.h"

#include <cctype>
#include <charconv>
#include <vector>

namespace rp770::link {

namespace {

std::vector<std::string_view> SplitAtCommas(std::string_view text) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (comma == std::string_view::npos) return parts;
        start = comma + 1;
    }
}

std::optional<int> ParseInt(std::string_view s) {
    int value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size() || s.empty()) return std::nullopt;
    return value;
}

}  // namespace

std::optional<LineSettings> ParseLineSettings(std::string_view text) {
    const auto parts = SplitAtCommas(text);
    if (parts.size() != 4) return std::nullopt;
    LineSettings s;
    const auto baud = ParseInt(parts[0]);
    if (!baud || *baud <= 0) return std::nullopt;
    s.baud = *baud;
    if (parts[1].size() != 1) return std::nullopt;
    s.parity = static_cast<char>(std::toupper(static_cast<unsigned char>(parts[1][0])));
    if (std::string_view("NEOMS").find(s.parity) == std::string_view::npos) return std::nullopt;
    const auto bits = ParseInt(parts[2]);
    if (!bits || *bits < 4 || *bits > 8) return std::nullopt;
    s.dataBits = *bits;
    if (parts[3] == "1") s.stopBits2 = 2;
    else if (parts[3] == "1.5") s.stopBits2 = 3;
    else if (parts[3] == "2") s.stopBits2 = 4;
    else return std::nullopt;
    return s;
}

std::string FormatLineSettings(const LineSettings& s) {
    const char* stop = s.stopBits2 == 3 ? "1.5" : s.stopBits2 == 4 ? "2" : "1";
    return std::to_string(s.baud) + "," + std::string(1, s.parity) + "," + std::to_string(s.dataBits) + "," + stop;
}

}  // namespace rp770::link
