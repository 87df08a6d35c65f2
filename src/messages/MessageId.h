#pragma once
// The ids of the program's messages: one for every text the user reads, as
// English.def lists them. Code names a text by its id; the words come from
// the catalogue of the language in use.

#include <cstdint>

namespace rp770 {

enum class MessageId : uint16_t {
#define RP770_MESSAGE(id, english) id,
#include "messages/English.def"
#undef RP770_MESSAGE
    // Not a message: the text is given as it is (a file name, a channel
    // name, a system's own words).
    Verbatim,
};

inline constexpr int kMessageCount = static_cast<int>(MessageId::Verbatim);

}  // namespace rp770
