// The cable pulled in the middle of a transfer, in real time: the simulated
// radio runs as its own process (rp770-cli simulate) on a pseudo-terminal,
// the program talks to it through the real serial stack, and the process is
// killed while blocks are going over the line. The transfer must end with
// "Communication Error!!" within the protocol's limits, with nothing lost,
// and the same session must read or program again once a radio is back.
// Skipped where no pseudo-terminal can be had.
#include <gtest/gtest.h>

#include <QCoreApplication>
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
#include "support/RadioData.h"
#include "files/MemorySettingsStore.h"
#include "files/TestFolder.h"
#include "link/Handshake.h"
#include "link/RadioLink.h"
#include "link/WritePlan.h"
#include "platform/QtSerialPort.h"
#include "platform/QtServices.h"
#include "sim/RadioMemoryFile.h"
#include "support/ScriptedPrompter.h"
#include "workspace/Workspace.h"

extern char** environ;

namespace rp770::testing {
namespace {

using Seconds = std::chrono::duration<double>;

// Fast, so that the test stays short; the simulator still paces every byte.
constexpr int kBaud = 115200;

// The radio as a process of its own.
class Simulator {
public:
    ~Simulator() { Stop(SIGKILL); }

    // Starts it; false, with the reason, when it did not come up.
    bool Start(const std::vector<std::string>& options, std::string& why) {
        int out[2];
        if (::pipe(out) != 0) {
            why = "no pipe";
            return false;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        std::vector<std::string> args = {RP770_CLI_PATH, "simulate", "--baud", std::to_string(kBaud)};
        args.insert(args.end(), options.begin(), options.end());
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        const int spawned = posix_spawn(&pid_, RP770_CLI_PATH, &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        if (spawned != 0) {
            ::close(out[0]);
            pid_ = -1;
            why = "cannot start " + std::string(RP770_CLI_PATH);
            return false;
        }
        std::string first;
        char c = 0;
        while (::read(out[0], &c, 1) == 1 && c != '\n') first += c;
        ::close(out[0]);
        if (first.rfind("PORT ", 0) != 0) {
            why = "the simulator did not start: " + first;
            Stop(SIGKILL);
            return false;
        }
        device_ = first.substr(5);
        return true;
    }
    // SIGKILL pulls the cable: the process and its terminal are gone at once.
    // Returns the exit status.
    int Stop(int signal) {
        if (pid_ <= 0) return -1;
        ::kill(pid_, signal);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return status;
    }
    const std::string& Device() const { return device_; }

private:
    pid_t pid_ = -1;
    std::string device_;
};

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

private:
    int mark_ = 0;
    std::function<void()> action_;
};

class PulledCable : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!QCoreApplication::instance()) {
            static int argc = 1;
            static char name[] = "pulled_cable_tests";
            static char* argv[] = {name, nullptr};
            app_ = new QCoreApplication(argc, argv);
        }
    }

    void SetUp() override {
        CopyShippedData(folder.path());
        ASSERT_TRUE(ws.Start());
        ws.New();
        ASSERT_TRUE(ws.SaveDatFile(folder / "boat.dat"));
        DataSet edited = ws.data();
        edited.common.ResumeTime = 9;  // an edit not yet saved
        ws.ReplaceData(edited, "edit");
        std::string error;
        ASSERT_TRUE(sim::SaveRadioMemory(folder / "radio.hex", PatternMemory(), error)) << error;
        link.SetObserver(&progress);
        prompter.boxes.clear();
    }

    // Starts a radio and points the session's port at it, as the user picks
    // the port in the menu.
    bool Connect(Simulator& radio, const std::vector<std::string>& options) {
        std::string why;
        if (!radio.Start(options, why)) {
            skipReason = why;
            return false;
        }
        link.State().PortDevice = radio.Device();
        return true;
    }

    // A transfer as the dialog's OK runs it.
    bool Read() {
        link.SetTitle("Read from Radio");
        return ws.ReadFromRadio(link).completed;
    }
    bool Program() {
        link.SetTitle("Program to Radio");
        return ws.ProgramToRadio(link).completed;
    }

    // The longest a transfer may go on once nothing answers: a block's
    // attempts, each waiting for its acknowledgement, and the pause before
    // each transmission.
    static double LongestWaitForAGoneRadio() {
        return 3 * (link::kAckSeconds + link::kAckLineEndSeconds * 2 + link::kSendPauseMs / 1000.0);
    }

    static QCoreApplication* app_;
    TestFolder folder;
    MemorySettingsStore settings;
    ScriptedPrompter prompter;
    Workspace ws{folder.str(), settings, prompter};
    platform::QtSerialPort port;
    platform::SteadyClock clock;
    platform::EventLoopPump pump;
    link::RadioLink link{port, clock, pump, prompter};
    ProgressWatch progress;
    std::string skipReason;
};
QCoreApplication* PulledCable::app_ = nullptr;

#define CONNECT_OR_SKIP(radio, ...) \
    if (!Connect(radio, __VA_ARGS__)) GTEST_SKIP() << skipReason;

TEST_F(PulledCable, MidReadThenReadAgain) {
    Simulator first;
    CONNECT_OR_SKIP(first, {"--image", folder / "radio.hex"});
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
    ASSERT_FALSE(prompter.boxes.empty());
    EXPECT_EQ(prompter.boxes.back().text, "Communication Error!!");
    EXPECT_EQ(prompter.boxes.back().title, "Read from Radio");
    EXPECT_LE(afterPull, LongestWaitForAGoneRadio());
    EXPECT_TRUE(link.State().CommError);  // the dialog stays open for another try
    EXPECT_EQ(ws.data().image, image);
    EXPECT_EQ(ws.data().common.ResumeTime, 9);
    EXPECT_TRUE(ws.modified());
    EXPECT_EQ(ws.currentFilePath(), file);
    EXPECT_FALSE(port.IsOpen());

    // The radio is back (on a terminal of its own): the same session reads it.
    prompter.boxes.clear();
    Simulator second;
    CONNECT_OR_SKIP(second, {"--image", folder / "radio.hex"});
    ASSERT_TRUE(Read()) << ::testing::PrintToString(prompter.Texts());
    EXPECT_EQ(prompter.Texts(), std::vector<std::string>{"Complete!!"});
    for (int a = 2; a < 1024; ++a) ASSERT_EQ(ws.data().image[a], PatternMemory()[static_cast<size_t>(a)]) << a;
    EXPECT_FALSE(ws.modified());
    EXPECT_EQ(ws.currentFilePath(), "");
    EXPECT_TRUE(ws.SaveDatFile(folder / "read.dat"));
}

TEST_F(PulledCable, MidProgrammingThenProgramAgain) {
    Simulator first;
    CONNECT_OR_SKIP(first, {"--image", folder / "radio.hex"});
    const std::string file = ws.currentFilePath();
    std::chrono::steady_clock::time_point pulled;
    progress.When(40, [&] {
        first.Stop(SIGKILL);
        pulled = std::chrono::steady_clock::now();
    });

    EXPECT_FALSE(Program());
    const double afterPull = Seconds(std::chrono::steady_clock::now() - pulled).count();
    RecordProperty("seconds_after_pull", std::to_string(afterPull));
    EXPECT_EQ(prompter.Texts(), std::vector<std::string>{"Communication Error!!"});
    EXPECT_EQ(prompter.boxes.back().title, "Program to Radio");
    EXPECT_LE(afterPull, LongestWaitForAGoneRadio());
    EXPECT_TRUE(link.State().CommError);
    EXPECT_TRUE(ws.modified());
    EXPECT_EQ(ws.currentFilePath(), file);
    const MemoryImage image = ws.data().image;  // encoded for the radio

    // Another radio: the whole image goes over, and the radio keeps its own bytes.
    prompter.boxes.clear();
    Simulator second;
    CONNECT_OR_SKIP(second, {"--image", folder / "radio.hex", "--dump", folder / "after.hex"});
    EXPECT_TRUE(Program()) << ::testing::PrintToString(prompter.Texts());
    EXPECT_EQ(prompter.Texts(), std::vector<std::string>{"Complete!!"});
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
