#include "workspace/ProgramCheck.h"

#include <algorithm>

#include "core/ChannelTables.h"
#include "core/Codecs.h"
#include "core/MemoryImage.h"
#include "workspace/DataDiff.h"
#include "workspace/Edits.h"

namespace rp770 {

namespace {

bool AnyEnabled(const DataSet& data, int group) {
    if (group == GroupEXP)
        return std::any_of(data.exp.begin() + 1, data.exp.end(), [](const ChannelRecord& r) { return r.Enable; });
    const PlanArray& plan = data.plan(group);
    return std::any_of(plan.begin(), plan.end(), [](const ChannelRecord& r) { return r.Enable; });
}

bool IsEnabledChannelOf(const DataSet& data, int plan, int code) {
    if (code < 0 || code >= kPlanSlots) return false;
    const PlanArray& records = data.plan(plan);
    return std::any_of(records.begin(), records.end(),
                       [code](const ChannelRecord& r) { return r.Enable && r.Position == code; });
}

MessageText PriorityName(int code) {
    if (code >= 0 && code < kPlanSlots) return "CH" + BaseChannels()[static_cast<size_t>(code)].name;
    return {MessageId::ChannelCode, code};
}

// The data as the radio would hold them after receiving `image`: decoded
// over `data`, so that what the image does not carry stays the same.
DataSet AsTheRadioHoldsIt(const DataSet& data, const MemoryImage& image) {
    DataSet held = data;
    held.image = image;
    DecodeImage(held);
    return held;
}

}  // namespace

std::vector<std::string> ProgrammingFindings(const DataSet& data) {
    std::vector<std::string> findings;
    bool anyUsable = false;
    for (int group = 0; group < kGroupCount; ++group) {
        const ChannelGroup& g = data.groups[static_cast<size_t>(group)];
        if (!g.Usable) continue;
        const std::string name = GroupName(group);
        if (!AnyEnabled(data, group)) {
            findings.push_back(Words(MessageId::FindingGroupWithoutChannel, name));
            continue;
        }
        anyUsable = true;
        if (group < kPlanCount && !IsEnabledChannelOf(data, group, g.PriorityChannel))
            findings.push_back(Words(MessageId::FindingPriorityNotEnabled, name, PriorityName(g.PriorityChannel)));
    }
    if (!anyUsable) findings.push_back(Words(MessageId::FindingNoUsableGroup));
    // Enabled incomplete EXP channels are no question: programming refuses
    // them (Workspace::CheckProgrammable). Characters the radio takes but the
    // channel editor does not offer are sent as they are, once asked.
    for (int n = 1; n <= kExpChannels; ++n) {
        const ChannelRecord& r = data.exp[static_cast<size_t>(n)];
        if (!r.Enable || IsIncompleteExpChannel(r)) continue;
        const std::string cell = ReceivedExpDisplayCell(r.CHDisplayL, r.CHDisplayR);
        if (DisplayTextAllowed(TrimSpaces(cell.substr(0, 2)), true) && DisplayTextAllowed(TrimSpaces(cell.substr(2)), false))
            continue;
        findings.push_back(Words(MessageId::FindingExpDisplayNotOffered, ChannelName(data, {Area::EXP, n}), cell));
    }
    return findings;
}

std::vector<Difference> ChangedInRadio(const DataSet& data, const MemoryImage& radio) {
    DataSet sent = data;
    EncodeImage(sent);
    FixStartChannel(sent);
    return CompareDataSets(AsTheRadioHoldsIt(data, radio), AsTheRadioHoldsIt(data, sent.image));
}

size_t FieldsChangedInRadio(const DataSet& data, const MemoryImage& radio) { return ChangedInRadio(data, radio).size(); }

std::string ProgrammingQuestion(const std::vector<std::string>& findings, std::optional<size_t> changedFields) {
    std::string text = Words(MessageId::BeforeProgrammingCheck);
    for (const std::string& finding : findings) text += "\n" + Words(MessageId::FindingItem, finding);
    if (changedFields) {
        const auto count = static_cast<long long>(*changedFields);
        text += "\n\n" + MessageText::Plural(count, MessageId::ChangesOneField, MessageId::ChangesFields, count).Render();
    }
    text += "\n\n" + Words(MessageId::ProgramAnyway);
    return text;
}

}  // namespace rp770
