#include "core/HexDump.h"

#include "core/Codecs.h"

namespace rp770 {

std::vector<std::string> HexDumpLines(const MemoryImage& image) {
    std::vector<std::string> lines;
    std::string header = "      ";
    std::string rule = " ---- ";
    for (uint32_t c = 0; c < 16; ++c) {
        header += " " + HexDigits(c, 2);
        rule += " --";
    }
    lines.push_back(header);
    lines.push_back(rule);
    for (int a = 0; a <= image.lastAddress; a += 16) {
        std::string row = " " + HexDigits(static_cast<uint32_t>(a), 4) + ":";
        for (int i = 0; i < 16; ++i) row += " " + HexDigits(image[a + i], 2);
        lines.push_back(row);
    }
    return lines;
}

}  // namespace rp770
