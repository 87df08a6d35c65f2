#pragma once
// The navigation tree as data: which nodes there are, their keys and texts,
// built from the in-memory model. The tree widget only shows this list.

#include <string>
#include <string_view>
#include <vector>

#include "core/Model.h"
#include "workspace/Edits.h"

namespace rp770::presentation {

struct TreeNodeInfo {
    std::string key;
    std::string text;
    std::string parentKey;  // empty for a root
};

inline constexpr const char* kGeneralKey = "General";
inline constexpr const char* kCommonKey = "Common";
inline constexpr const char* kProgramKey = "Program";
inline constexpr const char* kWeatherKey = "PW";
inline constexpr const char* kExpRootKey = "ExpChannel";

// "PU", "PI", "PC" for the USA, INT and CAN plans.
std::string GroupKey(int plan);
// The plan a group key names ("PU" -> USA; case does not matter), or -1.
int PlanOfGroupKey(std::string_view key);
std::string ChannelKey(int plan, int slot);  // "PU 5"
std::string ExpKey(int n);                   // "E 5"
// The numeric value of a key from its n-th character on (1-based), blanks
// skipped: KeyNumber("PU 5", 3) == 5.
int KeyNumber(std::string_view key, int fromCharacter);

std::string ChannelNodeText(const ChannelRecord& record);  // "CH16[Enable]"
std::string ExpNodeText(int n, bool enabled);              // "EXP3[Enable]"
std::string GroupNodeText(const DataSet& data, int plan);  // the name, or "USA"...

// All nodes in the order they are added (index 1 is the first).
std::vector<TreeNodeInfo> MakeTreeNodes(const DataSet& data);

// The screen a node shows: keys are compared in upper case; a node of no
// screen (or a channel that does not exist) shows nothing new.
enum class ScreenKind { None, General, Grey, Common, ChannelList, Weather, ChannelEditor };
struct NodeScreen {
    ScreenKind kind = ScreenKind::None;
    ChannelRef channel;  // the list's area (ChannelList), the channel (ChannelEditor)
    bool operator==(const NodeScreen&) const = default;
};
NodeScreen ScreenOfNode(std::string_view key, std::string_view parentKey);  // parentKey empty for a root

// The channel node a row of a channel list opens: in a plan's list the
// channel its first column names ("PU 30" for "16"), in the EXP list the
// EXP channel of the row (1-based); empty when there is none.
std::string RowNodeKey(std::string_view listKey, const std::string& channelName, int rowNumber);

}  // namespace rp770::presentation
