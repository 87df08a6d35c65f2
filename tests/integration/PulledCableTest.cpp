// The cable pulled in the middle of a transfer, in real time: the simulated
// radio runs as its own process (rp770-cli simulate) on a pseudo-terminal,
// the program talks to it through the real serial stack, and the process is
// killed while blocks are going over the line. The transfer must end with
// "Communication Error!!" within the protocol's limits, with nothing lost,
// and the same session must read or program again once a radio is back.
// Skipped where no pseudo-terminal can be had.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/MemoryImage.h"
#include "desktop/DiskFiles.h"
#include "files/MemorySettingsStore.h"
#include "files/TestFolder.h"
#include "integration/RecordingAsker.h"
#include "integration/SimulatorProcess.h"
#include "link/Handshake.h"
#include "link/RadioLink.h"
#include "link/WritePlan.h"
#include "desktop/SystemSerialPort.h"
#include "desktop/SteadyClock.h"
#include "session/AppSession.h"
#include "sim/RadioMemoryFile.h"
#include "support/RadioData.h"

namespace rp770::testing {
namespace {

using Seconds = std::chrono::duration<double>;

// The dialog's progress bar: calls back once the transfer has passed a mark.
class ProgressWatch : public link::TransferObserver {
public:
    void When(int percent, std::function<void()> action) {
        mark_ = percent;
        action_ = std::move(action);
    }
    void SetProgress(int percent) override {
        if (action_ && percent >= mark_) {
            auto action = std::move(action_);
            action_ = nullptr;
            action();
        }
    }
    void ShowMonitor(const std::string&) override {}
    void SetControlsEnabled(bool) override {}
    void ShowActivity(const std::string&) override {}

private:
    int mark_ = 0;
    std::function<void()> action_;
};

class PulledCable : public ::testing::Test {
protected:
    void SetUp() override {
        CopyShippedData(folder.path());
        ASSERT_TRUE(app.Start().Ok());
        ASSERT_TRUE(app.SaveAs(folder / "boat.dat").Ok());
        DataSet edited = app.data();
        edited.common.ResumeTime = 9;  // an edit not yet saved
        app.workspace().ReplaceData(edited, "edit");
        std::string error;
        ASSERT_TRUE(sim::SaveRadioMemory(folder / "radio.hex", PatternMemory(), error)) << error;
        link.SetObserver(&progress);
        app.SetLink(&link);
    }

    // Starts a radio and points the session's port at it, as the user picks
    // the port in the menu.
    bool Connect(Simulator& radio, const std::vector<std::string>& options) {
        std::string why;
        if (!radio.Start(options, why)) {
            skipReason = why;
            return false;
        }
        app.ChooseDevice(radio.Device());
        return true;
    }

    // A transfer as the dialog's OK runs it, its messages shown.
    bool Read() {
        link.SetTitle("Read from Radio");
        const TransferOutcome result = app.ReadFromRadio();
        asker.Show(result.messages);
        return result.completed;
    }
    bool Program() {
        link.SetTitle("Program to Radio");
        const TransferOutcome result = app.ProgramToRadio();
        asker.Show(result.messages);
        outcome = result.completed ? link::ProgramOutcome::Complete
                  : result.partial ? link::ProgramOutcome::Partial
                                   : link::ProgramOutcome::NotStarted;
        return result.completed;
    }

    // The longest a transfer may go on once nothing answers: a block's
    // attempts, each waiting for its acknowledgement, and the pause before
    // each transmission.
    static double LongestWaitForAGoneRadio() {
        return 3 * (link::kAckSeconds + link::kAckLineEndSeconds * 2 + link::kSendPauseMs / 1000.0);
    }

    TestFolder folder;
    FolderProgramData program{folder.str()};
    MemorySettingsStore settings;
    DiskFiles files;
    RecordingAsker asker;
    AppSession app{program, SessionServices{settings, files, asker}};
    platform::SystemSerialPort port;
    platform::SteadyClock clock;
    platform::IdlePump pump;
    link::RadioLink link{port, clock, pump, &asker};
    ProgressWatch progress;
    link::ProgramOutcome outcome = link::ProgramOutcome::NotStarted;
    std::string skipReason;
};

#define CONNECT_OR_SKIP(radio, ...) \
    if (!Connect(radio, __VA_ARGS__)) GTEST_SKIP() << skipReason;

TEST_F(PulledCable, MidReadThenReadAgain) {
    Simulator first;
    CONNECT_OR_SKIP(first, {"--image", folder / "radio.hex"});
    const Workspace& ws = app.workspace();
    const MemoryImage image = ws.data().image;
    const std::string file = ws.currentFilePath();
    std::chrono::steady_clock::time_point pulled;
    progress.When(25, [&] {
        first.Stop(SIGKILL);
        pulled = std::chrono::steady_clock::now();
    });

    EXPECT_FALSE(Read());
    const double afterPull = Seconds(std::chrono::steady_clock::now() - pulled).count();
    RecordProperty("seconds_after_pull", std::to_string(afterPull));
    ASSERT_FALSE(asker.boxes.empty());
    EXPECT_EQ(asker.boxes.back().text, "Communication Error!!");
    EXPECT_EQ(asker.boxes.back().title, "Read from Radio");
    EXPECT_LE(afterPull, LongestWaitForAGoneRadio());
    EXPECT_TRUE(link.State().CommError);  // the dialog stays open for another try
    EXPECT_EQ(ws.data().image, image);
    EXPECT_EQ(ws.data().common.ResumeTime, 9);
    EXPECT_TRUE(ws.modified());
    EXPECT_EQ(ws.currentFilePath(), file);
    EXPECT_FALSE(port.IsOpen());

    // The radio is back (on a terminal of its own): the same session reads it.
    asker.boxes.clear();
    Simulator second;
    CONNECT_OR_SKIP(second, {"--image", folder / "radio.hex"});
    ASSERT_TRUE(Read()) << ::testing::PrintToString(asker.Texts());
    EXPECT_EQ(asker.Texts(), std::vector<std::string>{"Complete!!"});
    for (int a = 2; a < 1024; ++a) ASSERT_EQ(ws.data().image[a], PatternMemory()[static_cast<size_t>(a)]) << a;
    EXPECT_FALSE(ws.modified());
    EXPECT_EQ(ws.currentFilePath(), "");
    EXPECT_TRUE(app.SaveAs(folder / "read.dat").Ok());
}

TEST_F(PulledCable, MidProgrammingThenProgramAgain) {
    Simulator first;
    CONNECT_OR_SKIP(first, {"--image", folder / "radio.hex"});
    const Workspace& ws = app.workspace();
    const std::string file = ws.currentFilePath();
    std::chrono::steady_clock::time_point pulled;
    progress.When(40, [&] {
        first.Stop(SIGKILL);
        pulled = std::chrono::steady_clock::now();
    });

    EXPECT_FALSE(Program());
    EXPECT_EQ(outcome, link::ProgramOutcome::Partial);
    const double afterPull = Seconds(std::chrono::steady_clock::now() - pulled).count();
    RecordProperty("seconds_after_pull", std::to_string(afterPull));
    EXPECT_EQ(asker.Texts(), (std::vector<std::string>{"Communication Error!!", Words(link::kPartlyProgrammed)}));
    EXPECT_EQ(asker.boxes.back().title, "Program to Radio");
    EXPECT_LE(afterPull, LongestWaitForAGoneRadio());
    EXPECT_TRUE(link.State().CommError);
    EXPECT_TRUE(ws.modified());
    EXPECT_EQ(ws.currentFilePath(), file);
    const MemoryImage image = ws.data().image;  // encoded for the radio

    // Another radio: the whole image goes over, and the radio keeps its own bytes.
    asker.boxes.clear();
    Simulator second;
    CONNECT_OR_SKIP(second, {"--image", folder / "radio.hex", "--dump", folder / "after.hex"});
    EXPECT_TRUE(Program()) << ::testing::PrintToString(asker.Texts());
    EXPECT_EQ(outcome, link::ProgramOutcome::Complete);
    EXPECT_EQ(asker.Texts(), std::vector<std::string>{"Complete!!"});
    EXPECT_EQ(ws.data().image, image);  // programming never changes the image
    const int status = second.Stop(SIGTERM);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    sim::RadioMemory after{};
    std::string error;
    ASSERT_TRUE(sim::LoadRadioMemory(folder / "after.hex", after, error)) << error;
    std::vector<bool> planned(1024, false);
    for (const link::PlannedRow& row : link::WritePlan(1023))
        for (const link::PlannedWrite& w : row.writes)
            for (int a = w.address; a < w.address + w.count; ++a) planned[static_cast<size_t>(a)] = true;
    for (int a = 0; a < 1024; ++a)
        ASSERT_EQ(after[static_cast<size_t>(a)], planned[static_cast<size_t>(a)] ? image[a] : PatternMemory()[static_cast<size_t>(a)])
            << a;
}

}  // namespace
}  // namespace rp770::testing
