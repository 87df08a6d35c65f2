#pragma once
// What the link promises whatever the radio answers: it speaks only the
// protocol, never sends the bytes the radio keeps, takes into the image only
// data the radio sent in a sound reply for that address, tells the user in
// plain words, and never waits longer than its limits.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "support/ScriptedRadio.h"

namespace rp770::fuzz {

// The texts the link may show: its own terse messages and the explanations
// of a port that cannot be opened and of a failed synchronisation.
bool IsLinkText(const std::string& text);

// The longest the PC may go without transmitting: the pause before a
// transmission, its echo, an acknowledgement with its line end, a reply
// frame, and the longest fixed pause, each wait allowed one idle pump step
// past its deadline.
double LongestAllowedQuietSpell();

// Every transmission is a frame or text of the protocol with sound framing:
// "P", "0", CAN, a known text with CR LF, or a "#CEPSR", "#CEPRD" or
// "#CEPWR" frame with its checksum.
void CheckTransmissions(const std::vector<Transmission>& transmissions);

// Addresses the radio keeps: its model code at both ends, 0x017 and
// 0x0E0-0x0FF; never written.
bool RadioKeeps(int address);

struct WriteRequest {
    int address = 0;
    int count = 0;
    Bytes data;
};
std::vector<WriteRequest> WriteRequests(const std::vector<Transmission>& transmissions);

// The contents of every "#CEPDT" reply for `count` bytes at `address` with a
// sound checksum found in what the PC read.
std::vector<Bytes> DataReplies(const std::string& readByPc, int address, int count);

}  // namespace rp770::fuzz
