#pragma once
// The memory image file (.hex): the image byte for byte, address 0 first,
// exactly as long as the image; no header, no checksum.

#include <string>
#include <string_view>

#include "core/Model.h"

namespace rp770 {

// Bytes 0 to the image's last address: the file's whole content.
std::string HexFileBytes(const MemoryImage& image);

enum class HexRead {
    Loaded,       // the file was accepted and copied into the image
    WrongLength,  // not exactly the image's size; nothing read
    BadModelCode, // the model codes at both ends fail CheckModelCode; image untouched
};

// Checks a file's content and copies it into the image (model code bytes
// included). The image changes only when the outcome is Loaded.
HexRead ReadHexBytes(std::string_view bytes, int modelNumber, MemoryImage& image);

}  // namespace rp770
