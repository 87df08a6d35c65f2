#include "presentation/CommonSetupView.h"

#include <algorithm>

#include "messages/MessageText.h"
#include "workspace/Edits.h"

namespace rp770::presentation {

namespace {

const char* const kPriorityCaptions[kGroupCount] = {"USA", "INT", "CAN", "EXP"};
const char* const kAtisCaptions[kGroupCount] = {"USA", "INTL", "CAN", "EXP"};

const char* Caption(const char* const (&captions)[kGroupCount], int group) {
    return group >= 0 && group < kGroupCount ? captions[group] : "";
}

ChoiceView OffOn(bool on) { return {OffOnItems(), on ? 1 : 0}; }

}  // namespace

// The plans by their names; the EXP channels' group in words.
std::string UsableGroupCaption(int group) {
    if (group == kGroupCount - 1) return Words(MessageId::ExpChGroup);
    return Caption(kPriorityCaptions, group);
}
const char* PriorityCaption(int group) { return Caption(kPriorityCaptions, group); }
const char* AtisGroupCaption(int group) { return Caption(kAtisCaptions, group); }

CommonSetupView MakeCommonSetupView(const DataSet& data) {
    CommonSetupView v;
    const CommonSetup& c = data.common;
    v.scan = OffOn(c.Scan);
    v.pttScanClear = OffOn(c.PttScanClear);
    v.pttScanClear.enabled = c.Scan;
    v.dualWatch = OffOn(c.DualWatch);
    v.resumeTime.items = ResumeTimeItems();
    v.resumeTime.enabled = c.Scan;
    if (c.ResumeTime >= 0 && c.ResumeTime < static_cast<int>(v.resumeTime.items.size()))
        v.resumeTime.selected = c.ResumeTime;
    v.weatherAlert.items = WeatherAlertItems();
    v.weatherAlert.enabled = AnyWeatherEnabled(data);
    if (c.WeatherAlert < 0) {
        v.weatherAlert.selected = kNoSelection;
    } else if (const int index = IndexOfData(v.weatherAlert.items, c.WeatherAlert); index >= 0) {
        v.weatherAlert.selected = index;
    }
    v.weatherAlertVisible = data.flags.wa;

    bool anyUsable = false;
    for (int i = 0; i < kGroupCount; ++i) {
        const ChannelGroup& group = data.groups[static_cast<size_t>(i)];
        GroupView& g = v.groups[static_cast<size_t>(i)];
        g.usable = {UsableGroupCaption(i), group.Usable};
        g.priority.items = PriorityItems(data, i);
        g.priority.enabled = group.Usable;
        g.priority.visible = i != GroupEXP;
        const int match = IndexOfData(g.priority.items, group.PriorityChannel);
        g.priority.selected = g.priority.visible && !g.priority.items.empty() ? std::max(match, 0) : kNoSelection;
        v.atisGroups[static_cast<size_t>(i)] = {group.Name.empty() ? AtisGroupCaption(i) : group.Name,
                                                data.atis.AtisGroups[static_cast<size_t>(i)], group.Usable};
        anyUsable = anyUsable || group.Usable;
    }
    v.atisVisible = data.flags.atis;
    v.atisCode = {data.atis.AtisCode, anyUsable};
    return v;
}

}  // namespace rp770::presentation
