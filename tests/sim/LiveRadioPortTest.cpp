// The simulated radio the window offers: a whole read and a program against
// a clock that only the test moves, as the real one would.
#include <gtest/gtest.h>

#include "core/MemoryImage.h"
#include "link/RadioLink.h"
#include "sim/LiveRadioPort.h"
#include "support/ScriptedPrompter.h"

namespace rp770::sim {
namespace {

// Time passes a millisecond per pass of a wait, and with every pause.
class SteppingTime : public Clock, public Pump {
public:
    double now = 1000;
    double Now() override { return now; }
    void Sleep(int ms) override { now += ms / 1000.0; }
    void Yield() override { now += 0.001; }
};

TEST(LiveRadioPort, ReadsAndProgramsInRealTime) {
    SteppingTime time;
    SimulatedRadio radio;
    LiveRadioPort port(radio, time);
    rp770::testing::ScriptedPrompter prompter;
    link::RadioLink radioLink(port, time, time);
    radioLink.SetTitle("Read from Radio");

    DataSet data;
    data.flags = {true, true, true};
    ResetDataSet(data);
    data.image[0x100] = 0x5A;  // differs from the radio's memory
    const double start = time.now;
    ASSERT_TRUE(radioLink.SyncRadio());
    const bool read = radioLink.ReadFromRadio(data);
    ShowMessages(prompter, radioLink.TakeMessages());
    ASSERT_TRUE(read) << (prompter.Last() ? prompter.Last()->text : "");
    EXPECT_EQ(data.image[0x100], radio.Memory()[0x100]);
    EXPECT_GT(time.now - start, 14.0) << "a whole read takes as long as on the cable";
    EXPECT_EQ(prompter.Last()->text, "Complete!!");

    data.common.DualWatch = true;
    EncodeImage(data);
    FixStartChannel(data);
    ASSERT_TRUE(radioLink.SyncRadio());
    radioLink.ProgramToRadio(data);
    EXPECT_FALSE(radioLink.State().CommError);
    EXPECT_EQ(radio.Memory()[0x012], 1) << "the radio keeps what was programmed";
    EXPECT_FALSE(port.IsOpen());
}

}  // namespace
}  // namespace rp770::sim
