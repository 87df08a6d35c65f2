#include "presentation/TreeNodes.h"

#include "core/ChannelTables.h"
#include "core/Codecs.h"
#include "messages/MessageText.h"
#include "presentation/InputRules.h"

namespace rp770::presentation {

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
    return "CH" + name + (record.Enable ? Words(MessageId::GridEnabled) : "");
}

std::string ExpNodeText(int n, bool enabled) { return "EXP" + std::to_string(n) + (enabled ? Words(MessageId::GridEnabled) : ""); }

std::string GroupNodeText(const DataSet& data, int plan) {
    const std::string& name = data.groups[static_cast<size_t>(plan)].Name;
    return name.empty() ? kDefaultGroupNames[plan] : name;
}

std::vector<TreeNodeInfo> MakeTreeNodes(const DataSet& data) {
    std::vector<TreeNodeInfo> nodes;
    nodes.push_back({kGeneralKey, Words(MessageId::TreeGeneral), ""});
    nodes.push_back({kCommonKey, Words(MessageId::TreeCommonSetup), kGeneralKey});
    nodes.push_back({kProgramKey, Words(MessageId::TreeProgrammableChannel), ""});
    for (int p = 0; p < kPlanCount; ++p) {
        if (!data.groups[static_cast<size_t>(p)].Usable) continue;
        const std::string groupKey = GroupKey(p);
        nodes.push_back({groupKey, GroupNodeText(data, p), kProgramKey});
        const PlanArray& records = data.plan(p);
        for (int slot = 0; slot < kPlanSlots; ++slot)
            nodes.push_back({ChannelKey(p, slot), ChannelNodeText(records[static_cast<size_t>(slot)]), groupKey});
    }
    if (data.flags.wx) nodes.push_back({kWeatherKey, Words(MessageId::TreeWeather), kProgramKey});
    if (data.groups[GroupEXP].Usable) {
        nodes.push_back({kExpRootKey, Words(MessageId::TreeExpChannel), ""});
        for (int n = 1; n <= kExpChannels; ++n)
            nodes.push_back({ExpKey(n), ExpNodeText(n, data.exp[static_cast<size_t>(n)].Enable), kExpRootKey});
    }
    return nodes;
}

NodeScreen ScreenOfNode(std::string_view key, std::string_view parentKey) {
    const std::string upper = ToUpper(key);
    if (parentKey.empty()) {
        if (upper == "GENERAL") return {ScreenKind::General, {}};
        if (upper == "PROGRAM") return {ScreenKind::Grey, {}};
        if (upper == "EXPCHANNEL") return {ScreenKind::ChannelList, {Area::EXP, 0}};
        return {};
    }
    const std::string parent = ToUpper(parentKey);
    if (parent == "GENERAL") return upper == "COMMON" ? NodeScreen{ScreenKind::Common, {}} : NodeScreen{};
    if (parent == "PROGRAM") {
        if (const int plan = PlanOfGroupKey(upper); plan >= 0) return {ScreenKind::ChannelList, PlanChannel(plan, 0)};
        return upper == "PW" ? NodeScreen{ScreenKind::Weather, {Area::WX, 0}} : NodeScreen{};
    }
    if (const int plan = PlanOfGroupKey(parent); plan >= 0) {
        const int slot = KeyNumber(key, 3);
        if (slot < 0 || slot >= kPlanSlots) return {};
        return {ScreenKind::ChannelEditor, PlanChannel(plan, slot)};
    }
    if (parent == "EXPCHANNEL") {
        const int n = KeyNumber(key, 2);
        if (n < 1 || n > kExpChannels) return {};
        return {ScreenKind::ChannelEditor, {Area::EXP, n}};
    }
    return {};
}

std::string RowNodeKey(std::string_view listKey, const std::string& channelName, int rowNumber) {
    const std::string_view group = listKey.substr(0, 2);
    if (group == "PU" || group == "PI" || group == "PC") {
        const int slot = FindBaseSlot(channelName);
        return slot >= 0 ? std::string(group) + " " + std::to_string(slot) : std::string();
    }
    if (!listKey.empty() && listKey.front() == 'E' && rowNumber >= 1) return ExpKey(rowNumber);
    return {};
}

}  // namespace rp770::presentation
