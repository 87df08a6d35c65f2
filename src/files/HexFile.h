#pragma once
// The memory image file (.hex): the image byte for byte, address 0 first,
// exactly as long as the image; no header, no checksum.

#include <string>

#include "core/Model.h"
#include "core/Failure.h"

namespace rp770 {

// Writes bytes 0 to the image's last address, replacing the previous file
// only when the new one was written completely.
Failure SaveHexFileAs(const std::string& path, const MemoryImage& image);

enum class HexRead {
    Loaded,       // the file was accepted and copied into the image
    WrongLength,  // not exactly the image's size; nothing read
    BadModelCode, // the model codes at both ends fail CheckModelCode; image untouched
    Failed,       // missing or unreadable; image untouched
};

struct HexReadResult {
    HexRead outcome = HexRead::Failed;
    Failure failure;  // why, when Failed
};

// Checks and reads a file into the image (model code bytes included). The
// image changes only when the outcome is Loaded.
HexReadResult ReadHexFileAs(const std::string& path, int modelNumber, MemoryImage& image);

}  // namespace rp770
