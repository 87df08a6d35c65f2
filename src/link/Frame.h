#pragma once
// Command frames: the command, TAB, each non-empty field followed by TAB, a
// two-digit upper-case hexadecimal XOR checksum of everything before it,
// then CR LF. Replies from the radio have the same shape.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rp770::link {

using Bytes = std::vector<uint8_t>;

uint8_t FrameChecksum(const Bytes& bytes);
uint8_t FrameChecksum(std::string_view text);

// Empty text for an absent field.
Bytes BuildFrame(std::string_view command, std::string_view field1, std::string_view field2,
                 std::string_view field3);

// True when the reply line (header and rest, without CR LF) is longer than two
// characters and its last two characters are the hexadecimal XOR of all the
// others. Checksum digits that are not hexadecimal never match.
bool VerifyReply(std::string_view line);

// The pieces of a text split at every TAB ("\t00\t74" gives "", "00", "74").
std::vector<std::string> SplitAtTabs(std::string_view text);

// Upper-case, zero-padded hexadecimal.
std::string Hex2(unsigned value);
std::string Hex4(unsigned value);
// Two digits per byte, in order.
std::string HexBytes(const uint8_t* data, size_t count);
// A hexadecimal number of 1 to 8 digits (either case), nothing otherwise.
std::optional<uint32_t> ParseHex(std::string_view text);

Bytes ToBytes(std::string_view text);

}  // namespace rp770::link
