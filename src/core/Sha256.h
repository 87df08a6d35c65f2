#pragma once
// SHA-256 (FIPS 180-4) of bytes, as 64 lower-case hexadecimal digits: what
// a fleet's record keeps of each memory image sent. Plain C++.

#include <string>
#include <string_view>

namespace rp770 {

std::string Sha256Hex(std::string_view bytes);

}  // namespace rp770
