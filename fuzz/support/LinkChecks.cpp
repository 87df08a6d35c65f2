#include "support/LinkChecks.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "link/Handshake.h"
#include "link/LinkAdvice.h"
#include "link/LinkPort.h"
#include "link/RadioReader.h"
#include "link/RadioWriter.h"
#include "support/FuzzCheck.h"

namespace rp770::fuzz {

namespace {

// Written here from the protocol's description, independently of the link's
// own frame code.
std::optional<uint32_t> Hex(std::string_view text) {
    if (text.empty() || text.size() > 8) return std::nullopt;
    uint32_t value = 0;
    for (char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9') digit = c - '0';
        if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        if (digit < 0) return std::nullopt;
        value = value * 16 + static_cast<uint32_t>(digit);
    }
    return value;
}

// A line (without CR LF) whose last two characters are the XOR of the rest.
bool SoundChecksum(std::string_view line) {
    if (line.size() <= 2) return false;
    uint8_t x = 0;
    for (size_t i = 0; i + 2 < line.size(); ++i) x ^= static_cast<uint8_t>(line[i]);
    const auto sum = Hex(line.substr(line.size() - 2));
    return sum && *sum == x;
}

std::vector<std::string_view> Pieces(std::string_view text) {
    std::vector<std::string_view> pieces;
    size_t start = 0;
    for (;;) {
        const size_t tab = text.find('\t', start);
        pieces.push_back(text.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos) return pieces;
        start = tab + 1;
    }
}

std::string Printable(const Bytes& bytes) {
    std::string s;
    for (uint8_t b : bytes) {
        if (b >= 0x20 && b < 0x7F) {
            s += static_cast<char>(b);
        } else {
            static const char* digits = "0123456789ABCDEF";
            s += "\\x";
            s += digits[b >> 4];
            s += digits[b & 15];
        }
    }
    return s;
}

}  // namespace

bool IsLinkText(const std::string& text) {
    static const char* const texts[] = {
        "Complete!!", "Communication Error!!", "ModelType Error !!", "Radio not ready!!", "Radio is busy!!",
        "cancel!!", "time out!!", "address error!!", "data error!!", "ACMD Command error!!", "error!!",
        "port inicialize error!!", "confirm the synchronization of the communication",
    };
    // A known text, with the explanation of a port that cannot be opened
    // (naming the device and the port's reason) under it, or without.
    const size_t lineEnd = text.find('\n');
    const std::string head = text.substr(0, lineEnd);
    const bool known = std::find(std::begin(texts), std::end(texts), head) != std::end(texts);
    if (known && (lineEnd == std::string::npos || text.compare(lineEnd + 1, 28, "Cannot open the serial port ") == 0))
        return true;
    // The explanation of a failed synchronisation.
    for (link::SyncStage stage :
         {link::SyncStage::NoEcho, link::SyncStage::NoAnswer, link::SyncStage::Silent, link::SyncStage::Refused})
        if (text == link::SyncFailureText(stage)) return true;
    return false;
}

double LongestAllowedQuietSpell() {
    constexpr int kWaits = 6;  // echo, acknowledgement, its CR, its LF, reply header, reply rest
    const double waits = link::kEchoSeconds + link::kAckSeconds + 2 * link::kAckLineEndSeconds + 2 * link::kReplySeconds;
    const double pauses = (link::kSendPauseMs + std::max(link::kSyncPauseMs, link::kPhaseEndPauseMs)) / 1000.0;
    return waits + pauses + kWaits * kIdleStepSeconds + 0.1;
}

void CheckTransmissions(const std::vector<Transmission>& transmissions) {
    for (const Transmission& t : transmissions) {
        const Bytes& b = t.bytes;
        const std::string what = "the PC sent " + Printable(b);
        if (b.size() == 1) {
            FUZZ_CHECK(b[0] == 'P' || b[0] == '0' || b[0] == 0x18, what);
            continue;
        }
        FUZZ_CHECK(b.size() >= 2 && b[b.size() - 2] == '\r' && b.back() == '\n', what + " (no CR LF)");
        const std::string line(b.begin(), b.end() - 2);
        static const char* const texts[] = {"ACMD:002", "#CMDSY", "#CMDOK", "#CMDSM", "#CMDER", "#CMDUN"};
        if (std::find(std::begin(texts), std::end(texts), line) != std::end(texts)) continue;
        const std::string command = line.substr(0, 6);
        FUZZ_CHECK(command == "#CEPSR" || command == "#CEPRD" || command == "#CEPWR", what);
        FUZZ_CHECK(SoundChecksum(line), what + " (checksum)");
        FUZZ_CHECK(line.size() >= 3 && line[line.size() - 3] == '\t', what + " (the checksum follows a TAB)");
    }
}

bool RadioKeeps(int address) {
    return address == 0x000 || address == 0x001 || address == 0x017 || (address >= 0x0E0 && address <= 0x0FF) ||
           address >= 0x3F0;
}

std::vector<WriteRequest> WriteRequests(const std::vector<Transmission>& transmissions) {
    std::vector<WriteRequest> requests;
    for (const Transmission& t : transmissions) {
        const std::string line(t.bytes.begin(), t.bytes.end());
        if (line.rfind("#CEPWR", 0) != 0) continue;
        const auto pieces = Pieces(std::string_view(line).substr(0, line.size() - 2));
        FUZZ_CHECK(pieces.size() == 5, "a write request without address, count and data: " + Printable(t.bytes));
        const auto address = Hex(pieces[1]);
        const auto count = Hex(pieces[2]);
        FUZZ_CHECK(address && count && pieces[1].size() == 4 && pieces[2].size() == 2,
                   "a write request with a malformed address or count: " + Printable(t.bytes));
        FUZZ_CHECK(pieces[3].size() == *count * 2, "a write request whose data is not its count: " + Printable(t.bytes));
        WriteRequest r;
        r.address = static_cast<int>(*address);
        r.count = static_cast<int>(*count);
        for (uint32_t i = 0; i < *count; ++i) {
            const auto byte = Hex(pieces[3].substr(i * 2, 2));
            FUZZ_CHECK(byte.has_value(), "a write request with data that is no hexadecimal: " + Printable(t.bytes));
            r.data.push_back(static_cast<uint8_t>(*byte));
        }
        requests.push_back(std::move(r));
    }
    return requests;
}

std::vector<Bytes> DataReplies(const std::string& readByPc, int address, int count) {
    std::vector<Bytes> replies;
    for (size_t at = readByPc.find("#CEPDT"); at != std::string::npos; at = readByPc.find("#CEPDT", at + 1)) {
        const size_t cr = readByPc.find('\r', at);
        if (cr == std::string::npos) break;
        const std::string_view line = std::string_view(readByPc).substr(at, cr - at);
        if (!SoundChecksum(line)) continue;
        const auto pieces = Pieces(line);
        if (pieces.size() < 5) continue;
        const auto a = Hex(pieces[1]);
        const auto n = Hex(pieces[2]);
        if (!a || !n || *a != static_cast<uint32_t>(address) || *n != static_cast<uint32_t>(count)) continue;
        if (pieces[3].size() != static_cast<size_t>(count) * 2) continue;
        Bytes data;
        for (int i = 0; i < count; ++i) {
            const auto byte = Hex(pieces[3].substr(static_cast<size_t>(i) * 2, 2));
            if (!byte) break;
            data.push_back(static_cast<uint8_t>(*byte));
        }
        if (static_cast<int>(data.size()) == count) replies.push_back(std::move(data));
    }
    return replies;
}

}  // namespace rp770::fuzz
