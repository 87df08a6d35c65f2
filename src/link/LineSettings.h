#pragma once
// Line settings written as "baud,parity,data bits,stop bits" ("4800,N,8,1").

#include <optional>
#include <string>
#include <string_view>

namespace rp770::link {

struct LineSettings {
    int baud = 4800;
    char parity = 'N';  // N, E, O, M or S
    int dataBits = 8;   // 4 to 8
    int stopBits2 = 2;  // stop bits times two: 2 = one, 3 = one and a half, 4 = two
    bool operator==(const LineSettings&) const = default;
};

// Nothing when the text is not a complete, valid setting.
std::optional<LineSettings> ParseLineSettings(std::string_view text);
std::string FormatLineSettings(const LineSettings& settings);

}  // namespace rp770::link
