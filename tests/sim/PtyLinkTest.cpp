// The real serial stack (termios) against the simulated radio on a
// pseudo-terminal, in real time. Skipped where no pseudo-terminal can be had.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <thread>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/MemoryImage.h"
#include "support/RadioData.h"
#include "link/RadioLink.h"
#include "desktop/SystemSerialPort.h"
#include "desktop/SteadyClock.h"
#include "sim/PtyRadio.h"
#include "sim/RadioMemoryFile.h"
#include "support/ScriptedPrompter.h"

extern char** environ;

namespace rp770::testing {
namespace {

// Fast enough to keep the tests short; the line still paces every byte.
constexpr int kTestBaud = 38400;

class PtyLinkTest : public ::testing::Test {
protected:
    // Starts the radio on a terminal in a thread of its own.
    bool StartRadio(const sim::RadioMemory& memory) {
        radio_.SetMemory(memory);
        pty_ = std::make_unique<sim::PtyRadio>(radio_, kTestBaud);
        std::string error;
        if (!pty_->Open(error)) {
            skipReason_ = error;
            return false;
        }
        server_ = std::thread([this] { pty_->Serve([this] { return stop_.load(); }); });
        return true;
    }
    void StopRadio() {
        stop_ = true;
        if (server_.joinable()) server_.join();
    }
    void TearDown() override {
        link_.reset();
        StopRadio();
        pty_.reset();
    }
    link::RadioLink& Link(const std::string& device) {
        link_ = std::make_unique<link::RadioLink>(port_, clock_, pump_, &asker_);
        link_->State().PortDevice = device;
        link_->SetTitle("Read from Radio");
        return *link_;
    }

    sim::SimulatedRadio radio_;
    std::unique_ptr<sim::PtyRadio> pty_;
    std::thread server_;
    std::atomic<bool> stop_{false};
    std::string skipReason_;
    platform::SystemSerialPort port_;
    platform::SteadyClock clock_;
    platform::IdlePump pump_;
    // What the user has seen: questions as they came, then what the link said.
    std::vector<std::string> Texts() {
        ShowMessages(prompter_, link_->TakeMessages());
        return prompter_.Texts();
    }
    ScriptedPrompter prompter_;
    PrompterAsker asker_{prompter_};
    std::unique_ptr<link::RadioLink> link_;
};

#define START_OR_SKIP(memory)                                                               \
    if (!StartRadio(memory)) GTEST_SKIP() << "no pseudo-terminal: " << skipReason_;

TEST_F(PtyLinkTest, ReadsTheWholeRadio) {
    START_OR_SKIP(PatternMemory());
    link::RadioLink& link = Link(pty_->DevicePath());
    DataSet data = FreshData();
    ASSERT_TRUE(link.SyncRadio()) << ::testing::PrintToString(Texts());
    ASSERT_TRUE(link.ReadFromRadio(data)) << ::testing::PrintToString(Texts());
    StopRadio();
    for (int a = 2; a < 1024; ++a) ASSERT_EQ(data.image[a], PatternMemory()[static_cast<size_t>(a)]) << a;
    EXPECT_EQ(Texts(), std::vector<std::string>{"Complete!!"});
    EXPECT_EQ(radio_.Log().readRequests, 66);
}

TEST_F(PtyLinkTest, ProgramsTheRadio) {
    START_OR_SKIP(sim::SimulatedRadio::FactoryMemory());
    link::RadioLink& link = Link(pty_->DevicePath());
    link.SetTitle("Program to Radio");
    DataSet data = FreshData();
    const sim::RadioMemory pattern = PatternMemory();
    std::copy(pattern.begin(), pattern.end(), data.image.bytes.begin());
    ASSERT_TRUE(link.SyncRadio());
    link.ProgramToRadio(data);
    StopRadio();
    EXPECT_EQ(Texts(), std::vector<std::string>{"Complete!!"});
    EXPECT_EQ(radio_.Log().writeRequests, 88);
    EXPECT_EQ(radio_.Memory()[0x020], pattern[0x020]);
    EXPECT_EQ(radio_.Memory()[0x3EF], pattern[0x3EF]);
    EXPECT_EQ(radio_.Memory()[0x017], sim::SimulatedRadio::FactoryMemory()[0x017]);
}

TEST_F(PtyLinkTest, MissingDeviceEndsInAnOrderlyWay) {
    link::RadioLink& link = Link("/dev/rp770-no-such-device");
    EXPECT_FALSE(link.SyncRadio());
    // The real port says which device and why, in English whatever the desktop's language.
    EXPECT_EQ(Texts(),
              (std::vector<std::string>{"port inicialize error!!\n"
                                        "Cannot open the serial port /dev/rp770-no-such-device: No such file or "
                                        "directory. Check the name, and that the cable (or its USB adapter) is "
                                        "plugged in."}));
    EXPECT_FALSE(port_.IsOpen());
}

TEST_F(PtyLinkTest, TerminalGoneMidRead) {
    START_OR_SKIP(PatternMemory());
    link::RadioLink& link = Link(pty_->DevicePath());
    DataSet data = FreshData();
    const MemoryImage before = data.image;
    ASSERT_TRUE(link.SyncRadio());
    std::chrono::steady_clock::time_point pulled;
    std::thread pull([this, &pulled] {
        // A second into the read the blocks are being read (it takes over four).
        std::this_thread::sleep_for(std::chrono::seconds(1));
        StopRadio();
        pty_.reset();  // both ends of the terminal close: the device is gone
        pulled = std::chrono::steady_clock::now();
    });
    EXPECT_FALSE(link.ReadFromRadio(data));
    const auto ended = std::chrono::steady_clock::now();
    pull.join();
    const double seconds = std::chrono::duration<double>(ended - pulled).count();
    EXPECT_EQ(data.image, before);
    EXPECT_LT(radio_.Log().readRequests, 66);
    ASSERT_FALSE(Texts().empty());
    EXPECT_EQ(Texts().back(), "Communication Error!!");
    EXPECT_LT(seconds, 5.0);  // a port that is gone is not waited for
}

// The command-line simulator as a process: PORT line first, serves, stops on
// SIGTERM and writes its memory.
TEST_F(PtyLinkTest, SimulateCommand) {
    namespace fs = std::filesystem;
    const char* bin = std::getenv("RP770_DATA_DIR");
    const fs::path cli = fs::path(bin ? bin : ".") / "rp770-cli";
    if (!fs::exists(cli)) GTEST_SKIP() << "rp770-cli not built";
    const fs::path dir = fs::temp_directory_path() / ("rp770-simulate-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::string error;
    ASSERT_TRUE(sim::SaveRadioMemory((dir / "in.hex").string(), PatternMemory(), error)) << error;

    int out[2];
    ASSERT_EQ(::pipe(out), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const std::string image = (dir / "in.hex").string(), dump = (dir / "out.hex").string();
    const std::string baud = std::to_string(kTestBaud);
    std::vector<std::string> args = {cli.string(), "simulate", "--image", image, "--baud", baud, "--dump", dump};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, cli.c_str(), &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    std::string first;
    char c = 0;
    while (::read(out[0], &c, 1) == 1 && c != '\n') first += c;
    ::close(out[0]);
    if (first.rfind("PORT ", 0) != 0) {
        ::kill(pid, SIGTERM);
        ::waitpid(pid, nullptr, 0);
        GTEST_SKIP() << "simulator did not start: " << first;
    }

    link::RadioLink& link = Link(first.substr(5));
    DataSet data = FreshData();
    EXPECT_TRUE(link.SyncRadio());
    EXPECT_TRUE(link.ReadFromRadio(data));
    for (int a = 2; a < 1024; ++a) ASSERT_EQ(data.image[a], PatternMemory()[static_cast<size_t>(a)]) << a;
    link_.reset();

    ::kill(pid, SIGTERM);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    sim::RadioMemory dumped{};
    ASSERT_TRUE(sim::LoadRadioMemory(dump, dumped, error)) << error;
    EXPECT_EQ(dumped, PatternMemory());
    fs::remove_all(dir);
}

}  // namespace
}  // namespace rp770::testing
