#include "workspace/Verification.h"

#include "core/ByteMapNames.h"
#include "messages/MessageText.h"
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
    if (differences.empty()) return Words(MessageId::Verified);
    const auto count = static_cast<long long>(differences.size());
    std::string text =
        MessageText::Plural(count, MessageId::NotVerifiedOneByte, MessageId::NotVerifiedBytes, std::to_string(count))
            .Render() +
        "\n";
    for (size_t i = 0; i < differences.size() && i < kListedAtMost; ++i) {
        const ByteDifference& d = differences[i];
        const MessageText field = FieldAtAddress(d.address);
        const MessageText where =
            field.Empty() ? MessageText(Address(d.address)) : MessageText(MessageId::AddressOfField, Address(d.address), field);
        text += Words(MessageId::ByteDiffers, where, link::Hex2(d.sent), link::Hex2(d.held)) + "\n";
    }
    if (differences.size() > kListedAtMost)
        text += Words(MessageId::AndMore, std::to_string(differences.size() - kListedAtMost)) + "\n";
    return text + Words(MessageId::ProgramAgain);
}

}  // namespace rp770
