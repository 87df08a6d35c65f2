#pragma once
// The vocabulary of edits: which channel, which switch, which setting, and
// the rules every edit is checked against, whoever makes it (a panel, a
// bulk change, an import). Plain C++.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/Model.h"
#include "messages/MessageText.h"

namespace rp770 {

// Where a channel record lives: the three plans (slots 0-113), the weather
// channels (0-9) and the EXP channels (1-20).
enum class Area { USA = PlanUSA, INT = PlanINT, CAN = PlanCAN, WX, EXP };

struct ChannelRef {
    Area area = Area::USA;
    int index = 0;
    bool operator==(const ChannelRef&) const = default;
};

inline bool IsPlan(Area area) { return area == Area::USA || area == Area::INT || area == Area::CAN; }
inline int PlanOf(Area area) { return static_cast<int>(area); }
inline ChannelRef PlanChannel(int plan, int slot) { return {static_cast<Area>(plan), slot}; }

// The switches of a channel, named as the channel editor names them.
enum class ChannelFlag { Enable, Scan, Duplex, TxEnable, LowPower, PowerUp };

// The settings of the common setup panel.
enum class CommonField { Scan, ResumeTime, PttScanClear, DualWatch, WeatherAlert };

// A refused edit: the message box the user sees, and the rule it broke in
// one line under the message ("137 to 174 MHz on a 25 kHz step").
struct Refusal {
    std::string text;
    std::string title;
    std::string detail = {};
    // The rule broken, for code that must tell one refusal from another
    // (Verbatim: none named).
    MessageId rule = MessageId::Verbatim;

    Refusal() = default;
    Refusal(std::string said, std::string caption, std::string why = {})
        : text(std::move(said)), title(std::move(caption)), detail(std::move(why)) {}
    Refusal(std::string said, std::string caption, CatalogueText broken)
        : text(std::move(said)), title(std::move(caption)), detail(broken.Render()), rule(broken.id) {}
    // What the user sees: the same words are the same refusal.
    bool operator==(const Refusal& other) const {
        return text == other.text && title == other.title && detail == other.detail;
    }
    // The text with its rule under it, as one box shows it.
    std::string Shown() const { return detail.empty() ? text : text + "\n" + detail; }
};

// Nothing when the edit was taken (or changed nothing); the refusal when
// the value is not acceptable, in which case nothing changed.
using EditResult = std::optional<Refusal>;

// The record a reference names, or null when it names none.
const ChannelRecord* FindRecord(const DataSet& data, ChannelRef ref);
ChannelRecord* FindRecord(DataSet& data, ChannelRef ref);

// The channel as the user knows it: "CH16", "CH01A", "WX01", "EXP3".
std::string ChannelName(const DataSet& data, ChannelRef ref);
// The area as the channel tables name it: "USA", "INT", "CAN", "WX", "EXP".
const char* AreaName(Area area);
// The channel within its area, as the comparison and the import name it:
// "21A" (a plan's channel name), "1" (WX position 1-10), "3" (EXP); and
// with its area: "USA 21A", "WX 1", "EXP 3".
std::string TableChannelName(const DataSet& data, ChannelRef ref);
std::string AreaChannelName(const DataSet& data, ChannelRef ref);
// The number a channel table gives a channel: its slot (plans), its
// position 1-10 (WX) or its number 1-20 (EXP); and back (nothing when the
// area has no such channel).
int TableNumber(ChannelRef ref);
std::optional<ChannelRef> FromTableNumber(const DataSet& data, Area area, int number);
// The caption of a switch in the channel editor ("Scan Memory"); the weather
// panel's columns for weather channels ("Enable", "Scan"); in the language in use.
std::string FlagCaption(ChannelFlag flag, Area area);
// A setting of the common setup panel ("Dual Watch"): its catalogue id,
// and its words in the language in use.
MessageId CommonCaptionId(CommonField field);
std::string CommonCaption(CommonField field);
const char* GroupName(int group);  // "USA", "INT", "CAN", "EXP"

// Whether the slot can have the switch on at all: a receive-only slot never
// transmits, a slot without duplex never goes duplex, EXP channels have no
// duplex, weather channels only Enable and Scan. Turning a switch off is
// always possible where the slot has it.
bool CanHaveFlag(const ChannelRecord& record, Area area, ChannelFlag flag);
bool HasFlag(Area area, ChannelFlag flag);
bool FlagValue(const ChannelRecord& record, ChannelFlag flag);

// The checks of typed values.
// An EXP frequency: empty (no frequency), or 137 to 174 MHz on a 25 kHz
// step. Returns the frequency in MHz (0 for empty).
std::optional<double> CheckExpFrequency(std::string_view text);
// An ATIS code: empty, or exactly ten digits once blanks are trimmed.
std::optional<std::string> CheckAtisCode(std::string_view text);
// EXP display characters: the characters the radio's display can show in
// that box (`leftBox`: the two left characters).
bool DisplayTextAllowed(std::string_view text, bool leftBox);
bool DisplayKeyAllowed(char32_t key, bool leftBoxEmpty);

// An enabled EXP channel the radio cannot use: it has no receive frequency,
// or no channel number (its left display characters). No edit leaves one
// behind, except the channel editor for as long as the channel is on
// screen (it enables the channel first, then takes the frequency and the
// number); the editor does not let the user leave it so.
// The channel number counts as the radio will receive it: a character
// outside the codec's set is sent as 0xFF, and the number ends there.
bool IsIncompleteExpChannel(const ChannelRecord& record);
bool HasReceivedChannelNumber(const ChannelRecord& record);
// The enabled EXP channels (1-20) that are incomplete.
std::vector<int> IncompleteExpChannels(const DataSet& data);
// The EXP channels incomplete after a change that were not so before: what
// no edit may leave behind.
std::vector<int> NewlyIncompleteExpChannels(const DataSet& before, const DataSet& after);
inline constexpr CatalogueText kDisplayRule{MessageId::RuleDisplay};
inline constexpr CatalogueText kIncompleteExpRule{MessageId::RuleIncompleteExp};

// Whether an edit may enable an EXP channel that is still incomplete.
enum class Completion {
    Required,  // refused: the channel must be complete once enabled
    Later,     // the channel editor and an import row, which complete it next and check it then
};

// The edits themselves, on a data set, by the rules above: a refused value
// changes nothing. The editing session makes each an undo step; an import
// applies many to a copy of the data.
EditResult ApplyChannelFlag(DataSet& data, ChannelRef channel, ChannelFlag flag, bool on,
                            Completion completion = Completion::Required);
EditResult ApplyExpDisplay(DataSet& data, int n, std::string_view left, std::string_view right);
EditResult ApplyExpFrequency(DataSet& data, int n, bool rx, std::string_view text);

// The weather alert follows the weather channels: off once none is enabled,
// on (3) again when the first one comes back, else as it was before.
bool AnyWeatherEnabled(const DataSet& data);
int16_t WeatherAlertFollowing(const DataSet& before, const DataSet& after);

// The refusals the editor shows.
inline constexpr CatalogueText kDataError{MessageId::DataError};
Refusal FrequencyRefusal(bool rx);  // "Data Error!!" titled "Rx frequency" / "Tx frequency"
Refusal AtisRefusal();              // "Data Error!!" titled "ATISNo"

}  // namespace rp770
