#include "workspace/Verification.h"

#include "core/ByteMapNames.h"
#include "link/Frame.h"
#include "link/WritePlan.h"

namespace rp770 {

namespace {
constexpr size_t kListedAtMost = 20;

std::string Address(int address) {
    const std::string digits = link::Hex4(static_cast<unsigned>(address));
    return "0x" + digits.substr(digits.size() - 3);
}
}  // namespace

std::vector<ByteDifference> CompareWrittenBytes(const MemoryImage& sent, const MemoryImage& readBack) {
    std::vector<ByteDifference> differences;
    for (const link::PlannedRow& row : link::WritePlan(sent.lastAddress))
        for (const link::PlannedWrite& write : row.writes)
            for (int a = write.address; a < write.address + write.count; ++a)
                if (sent[a] != readBack[a]) differences.push_back({a, sent[a], readBack[a]});
    return differences;
}

std::string VerificationText(const std::vector<ByteDifference>& differences) {
    if (differences.empty()) return "Verified: the radio holds every byte that was sent.";
    std::string text = "Not verified: the radio may not hold what was sent. " + std::to_string(differences.size()) +
                       (differences.size() == 1 ? " byte differs" : " bytes differ") + ":\n";
    for (size_t i = 0; i < differences.size() && i < kListedAtMost; ++i) {
        const ByteDifference& d = differences[i];
        text += Address(d.address);
        if (const std::string field = FieldAtAddress(d.address); !field.empty()) text += " (" + field + ")";
        text += ": sent " + link::Hex2(d.sent) + ", the radio holds " + link::Hex2(d.held) + "\n";
    }
    if (differences.size() > kListedAtMost)
        text += "and " + std::to_string(differences.size() - kListedAtMost) + " more\n";
    return text + "Program the radio again before using it.";
}

}  // namespace rp770
