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

std::string PriorityName(int code) {
    if (code >= 0 && code < kPlanSlots) return "CH" + BaseChannels()[static_cast<size_t>(code)].name;
    return "code " + std::to_string(code);
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
            findings.push_back(name + " is a usable channel group without an enabled channel: the radio gets it as not usable.");
            continue;
        }
        anyUsable = true;
        if (group < kPlanCount && !IsEnabledChannelOf(data, group, g.PriorityChannel))
            findings.push_back("The priority channel of " + name + " (" + PriorityName(g.PriorityChannel) +
                               ") is not an enabled " + name + " channel.");
    }
    if (!anyUsable) findings.push_back("No channel group is usable: the radio would have no channel to use.");
    // Enabled incomplete EXP channels are no question: programming refuses
    // them (Workspace::CheckProgrammable). Characters the radio takes but the
    // channel editor does not offer are sent as they are, once asked.
    for (int n = 1; n <= kExpChannels; ++n) {
        const ChannelRecord& r = data.exp[static_cast<size_t>(n)];
        if (!r.Enable || IsIncompleteExpChannel(r)) continue;
        const std::string cell = ReceivedExpDisplayCell(r.CHDisplayL, r.CHDisplayR);
        if (DisplayTextAllowed(TrimSpaces(cell.substr(0, 2)), true) && DisplayTextAllowed(TrimSpaces(cell.substr(2)), false))
            continue;
        findings.push_back(ChannelName(data, {Area::EXP, n}) + " shows display characters the channel editor does not offer (\"" +
                           cell + "\").");
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
    std::string text = "Before programming, please check:";
    for (const std::string& finding : findings) text += "\n- " + finding;
    if (changedFields)
        text += "\n\nProgramming changes " + std::to_string(*changedFields) +
                (*changedFields == 1 ? " field" : " fields") + " in the radio (as read from it before).";
    text += "\n\nProgram the radio anyway?";
    return text;
}

}  // namespace rp770
