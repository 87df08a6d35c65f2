#pragma once
// Checking a programming: every byte the programming writes, as sent and as
// read back from the radio.

#include <cstdint>
#include <string>
#include <vector>

#include "messages/MessageId.h"

#include "core/Model.h"

namespace rp770 {

struct ByteDifference {
    int address = 0;
    uint8_t sent = 0;
    uint8_t held = 0;  // what the radio holds
    bool operator==(const ByteDifference&) const = default;
};

// The written bytes (those of the write plan) that differ, in address order.
std::vector<ByteDifference> CompareWrittenBytes(const MemoryImage& sent, const MemoryImage& readBack);

// What the user is told: "Verified..." when nothing differs; otherwise each
// differing address (0x120) with the field it belongs to where known, and
// that the radio may not hold what was sent.
std::string VerificationText(const std::vector<ByteDifference>& differences);

inline constexpr MessageId kNotVerified = MessageId::NotVerifiedUnread;

}  // namespace rp770
