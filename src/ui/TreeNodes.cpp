#include "ui/TreeNodes.h"

#include "core/ChannelTables.h"
#include "core/Codecs.h"
#include "ui/InputRules.h"

namespace rp770::ui {

namespace {
const char* const kGroupKeys[kPlanCount] = {"PU", "PI", "PC"};
const char* const kDefaultGroupNames[kPlanCount] = {"USA", "INT", "CAN"};
}  // namespace

std::string GroupKey(int plan) { return plan >= 0 && plan < kPlanCount ? kGroupKeys[plan] : ""; }

int PlanOfGroupKey(std::string_view key) {
    const std::string upper = ToUpper(key);
    for (int p = 0; p < kPlanCount; ++p)
        if (upper == kGroupKeys[p]) return p;
    return -1;
}

std::string ChannelKey(int plan, int slot) { return GroupKey(plan) + " " + std::to_string(slot); }

std::string ExpKey(int n) { return "E " + std::to_string(n); }

int KeyNumber(std::string_view key, int fromCharacter) {
    const size_t from = static_cast<size_t>(fromCharacter > 0 ? fromCharacter - 1 : 0);
    if (from >= key.size()) return 0;
    return static_cast<int>(LeadingNumber(key.substr(from)));
}

std::string ChannelNodeText(const ChannelRecord& record) {
    const auto& base = BaseChannels();
    const std::string name =
        record.Position >= 0 && record.Position < kPlanSlots ? base[static_cast<size_t>(record.Position)].name : "";
    return "CH" + name + (record.Enable ? "[Enable]" : "");
}

std::string ExpNodeText(int n, bool enabled) { return "EXP" + std::to_string(n) + (enabled ? "[Enable]" : ""); }

std::string GroupNodeText(const DataSet& data, int plan) {
    const std::string& name = data.groups[static_cast<size_t>(plan)].Name;
    return name.empty() ? kDefaultGroupNames[plan] : name;
}

std::vector<TreeNodeInfo> MakeTreeNodes(const DataSet& data) {
    std::vector<TreeNodeInfo> nodes;
    nodes.push_back({kGeneralKey, "General", ""});
    nodes.push_back({kCommonKey, "Common Setup", kGeneralKey});
    nodes.push_back({kProgramKey, "Programmable Channel", ""});
    for (int p = 0; p < kPlanCount; ++p) {
        if (!data.groups[static_cast<size_t>(p)].Usable) continue;
        const std::string groupKey = GroupKey(p);
        nodes.push_back({groupKey, GroupNodeText(data, p), kProgramKey});
        const PlanArray& records = data.plan(p);
        for (int slot = 0; slot < kPlanSlots; ++slot)
            nodes.push_back({ChannelKey(p, slot), ChannelNodeText(records[static_cast<size_t>(slot)]), groupKey});
    }
    if (data.flags.wx) nodes.push_back({kWeatherKey, "Weather", kProgramKey});
    if (data.groups[GroupEXP].Usable) {
        nodes.push_back({kExpRootKey, kExpRootText, ""});
        for (int n = 1; n <= kExpChannels; ++n)
            nodes.push_back({ExpKey(n), ExpNodeText(n, data.exp[static_cast<size_t>(n)].Enable), kExpRootKey});
    }
    return nodes;
}

}  // namespace rp770::ui
