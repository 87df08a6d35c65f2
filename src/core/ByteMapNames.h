#pragma once
// What a byte of the radio's memory holds, in words, for messages that name
// an address ("USA CH 17: attributes"). Empty where the byte map names
// nothing.

#include <string>

namespace rp770 {

std::string FieldAtAddress(int address);

}  // namespace rp770
