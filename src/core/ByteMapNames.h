#pragma once
// What a byte of the radio's memory holds, in words, for messages that name
// an address ("USA CH 17: attributes"). Empty where the byte map names
// nothing (an empty text).

#include "messages/MessageText.h"

namespace rp770 {

MessageText FieldAtAddress(int address);

}  // namespace rp770
