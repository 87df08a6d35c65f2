// Before programming, what the radio would get wrong is found and said.
#include <gtest/gtest.h>

#include <functional>

#include "files/TestData.h"
#include "workspace/Edits.h"
#include "workspace/ProgramCheck.h"

namespace rp770 {
namespace {

TEST(ProgramCheck, FindsWhatTheRadioWouldGetWrong) {
    struct Case {
        const char* what;
        std::function<void(DataSet&)> change;
        std::vector<std::string> findings;
    };
    const Case cases[] = {
        {"factory data", [](DataSet&) {}, {}},
        {"incomplete EXP channels are refused, not asked about",
         [](DataSet& d) {
             d.exp[3].Enable = true;
             d.exp[4] = d.exp[3];
             d.exp[4].Rxfreq = 157.025;
             d.exp[4].CHDisplayL = "<b";  // sent as 0xFF 'b': the radio's number ends at once
         },
         {}},
        {"display characters the radio takes but the editor does not offer",
         [](DataSet& d) {
             d.exp[3].Enable = true;
             d.exp[3].Rxfreq = 157.025;
             d.exp[3].CHDisplayL = "Z1";
         },
         {"EXP3 shows display characters the channel editor does not offer (\"Z1 \")."}},
        {"a disabled priority channel",
         [](DataSet& d) { d.plan(PlanINT)[static_cast<size_t>(d.groups[PlanINT].PriorityChannel)].Enable = false; },
         {"The priority channel of INT (CH17) is not an enabled INT channel."}},
        {"a usable group without channels",
         [](DataSet& d) {
             for (ChannelRecord& r : d.plan(PlanCAN)) r.Enable = false;
         },
         {"CAN is a usable channel group without an enabled channel: the radio gets it as not usable."}},
        {"no usable group",
         [](DataSet& d) {
             for (ChannelGroup& g : d.groups) g.Usable = false;
         },
         {"No channel group is usable: the radio would have no channel to use."}},
    };
    for (const Case& c : cases) {
        DataSet data = testing::FactoryDataSet();
        // The three plans usable, EXP not (no EXP channel is enabled at the factory).
        for (int g = 0; g < kGroupCount; ++g) data.groups[static_cast<size_t>(g)].Usable = g != GroupEXP;
        c.change(data);
        EXPECT_EQ(ProgrammingFindings(data), c.findings) << c.what;
    }
}

TEST(ProgramCheck, CountsTheFieldsThatChangeInTheRadio) {
    const DataSet radio = testing::FactoryDataSet();
    DataSet data = radio;
    EXPECT_EQ(FieldsChangedInRadio(data, radio.image), 0u);
    data.common.DualWatch = !data.common.DualWatch;
    data.plan(PlanUSA)[30].ScanMemory = !data.plan(PlanUSA)[30].ScanMemory;
    data.plan(PlanUSA)[30].ChTag = "only in files";
    EXPECT_EQ(FieldsChangedInRadio(data, radio.image), 2u);
    EXPECT_EQ(ProgrammingQuestion({"A."}, 2),
              "Before programming, please check:\n- A.\n\nProgramming changes 2 fields in the radio (as read from it "
              "before).\n\nProgram the radio anyway?");
}

}  // namespace
}  // namespace rp770
