#include "files/HexFile.h"

#include <cstdint>

#include "core/MemoryImage.h"

namespace rp770 {

std::string HexFileBytes(const MemoryImage& image) {
    return std::string(reinterpret_cast<const char*>(image.bytes.data()), static_cast<size_t>(image.size()));
}

HexRead ReadHexBytes(std::string_view bytes, int modelNumber, MemoryImage& image) {
    if (bytes.size() != static_cast<size_t>(image.size())) return HexRead::WrongLength;
    const auto* at = reinterpret_cast<const uint8_t*>(bytes.data());
    if (!ModelCodesAccepted(modelNumber, at, image.lastAddress)) return HexRead::BadModelCode;
    for (int a = 0; a <= image.lastAddress; ++a) image[a] = at[a];
    return HexRead::Loaded;
}

}  // namespace rp770
