#include "link/Frame.h"

#include "link/LinkCodes.h"

namespace rp770::link {

namespace {
constexpr char kDigits[] = "0123456789ABCDEF";

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}
}  // namespace

uint8_t FrameChecksum(const Bytes& bytes) {
    uint8_t sum = 0;
    for (uint8_t b : bytes) sum ^= b;
    return sum;
}

uint8_t FrameChecksum(std::string_view text) {
    uint8_t sum = 0;
    for (char c : text) sum ^= static_cast<uint8_t>(c);
    return sum;
}

Bytes BuildFrame(std::string_view command, std::string_view field1, std::string_view field2,
                 std::string_view field3) {
    Bytes frame = ToBytes(command);
    frame.push_back(kTAB);
    for (std::string_view field : {field1, field2, field3}) {
        if (field.empty()) continue;
        frame.insert(frame.end(), field.begin(), field.end());
        frame.push_back(kTAB);
    }
    const std::string sum = Hex2(FrameChecksum(frame));
    frame.insert(frame.end(), sum.begin(), sum.end());
    frame.push_back(kCR);
    frame.push_back(kLF);
    return frame;
}

bool VerifyReply(std::string_view line) {
    if (line.size() <= 2) return false;
    const auto stated = ParseHex(line.substr(line.size() - 2));
    if (!stated) return false;
    return FrameChecksum(line.substr(0, line.size() - 2)) == *stated;
}

std::vector<std::string> SplitAtTabs(std::string_view text) {
    std::vector<std::string> pieces;
    size_t start = 0;
    for (;;) {
        const size_t tab = text.find('\t', start);
        if (tab == std::string_view::npos) {
            pieces.emplace_back(text.substr(start));
            return pieces;
        }
        pieces.emplace_back(text.substr(start, tab - start));
        start = tab + 1;
    }
}

std::string Hex2(unsigned value) {
    value &= 0xFF;
    return {kDigits[value >> 4], kDigits[value & 0xF]};
}

std::string Hex4(unsigned value) { return Hex2((value >> 8) & 0xFF) + Hex2(value & 0xFF); }

std::string HexBytes(const uint8_t* data, size_t count) {
    std::string text;
    text.reserve(count * 2);
    for (size_t i = 0; i < count; ++i) text += Hex2(data[i]);
    return text;
}

std::optional<uint32_t> ParseHex(std::string_view text) {
    if (text.empty() || text.size() > 8) return std::nullopt;
    uint32_t value = 0;
    for (char c : text) {
        const int d = HexDigitValue(c);
        if (d < 0) return std::nullopt;
        value = value * 16 + static_cast<uint32_t>(d);
    }
    return value;
}

Bytes ToBytes(std::string_view text) { return Bytes(text.begin(), text.end()); }

}  // namespace rp770::link
