// rp770-cli fleet as a user runs it, in real time: four simulated radios on
// pseudo-terminals of their own are programmed at once, each with its own
// ATIS code, verified, a record line each, while a fifth that stops
// answering half-way fails alone; a bad roster touches no radio. Skipped
// without pseudo-terminals.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "core/MemoryImage.h"
#include "files/DatWriter.h"
#include "files/TestData.h"
#include "integration/SimulatorProcess.h"
#include "sim/RadioMemoryFile.h"

namespace rp770::testing {
namespace {

class FleetCli : public ::testing::Test {
protected:
    void SetUp() override {
        plan = FactoryDataSet();
        WriteBytes(folder / "plan.dat", FormatSettingsText(plan));
        EncodeImage(plan);
        sim::RadioMemory memory{};
        std::copy(plan.image.bytes.begin(), plan.image.bytes.begin() + plan.image.size(), memory.begin());
        std::string error;
        ASSERT_TRUE(sim::SaveRadioMemory(folder / "radio.hex", memory, error)) << error;
    }
    // Starts a radio; its memory goes to radioN.hex when it stops, what it
    // served to radioN.err.
    bool StartRadio(Simulator& radio, int n, std::vector<std::string> faults = {}) {
        std::vector<std::string> options = {"--image", folder / "radio.hex", "--dump", folder / Named("radio", n, ".hex")};
        options.insert(options.end(), faults.begin(), faults.end());
        return radio.Start(options, skipReason, folder / Named("radio", n, ".err"));
    }
    static std::string Named(const char* stem, int n, const char* ext) { return stem + std::to_string(n) + ext; }
    // Runs rp770-cli with the arguments; its output in out.txt and err.txt.
    int RunCli(const std::vector<std::string>& args) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, (folder / "out.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, (folder / "err.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const pid_t pid = SpawnCli(args, &actions, {"HOME=" + folder.str(), "XDG_CONFIG_HOME=" + folder.str()});
        posix_spawn_file_actions_destroy(&actions);
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // The ATIS code a radio held when it stopped.
    std::string AtisOf(int n) {
        sim::RadioMemory memory{};
        std::string error;
        EXPECT_TRUE(sim::LoadRadioMemory(folder / Named("radio", n, ".hex"), memory, error)) << error;
        DataSet data = plan;
        std::copy(memory.begin(), memory.end(), data.image.bytes.begin());
        DecodeImage(data);
        return data.atis.AtisCode;
    }
    static std::vector<std::string> Lines(const std::string& text) {
        std::vector<std::string> lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }
    TestFolder folder;
    DataSet plan;
    std::string skipReason;
};

#define START_OR_SKIP(...) \
    if (!StartRadio(__VA_ARGS__)) GTEST_SKIP() << skipReason;

TEST_F(FleetCli, FourRadiosAtOnceEachWithItsCodeWhileOneThatFallsSilentFailsAlone) {
    Simulator radios[5];
    std::string roster = "port,vessel,atis\n";
    for (int n = 0; n < 5; ++n) {
        START_OR_SKIP(radios[n], n, n == 4 ? std::vector<std::string>{"--fault", "silent-from=40"} : std::vector<std::string>{});
        roster += radios[n].Device() + ",Boat " + std::to_string(n) + ",921123450" + std::to_string(n) + "\n";
    }
    WriteBytes(folder / "roster.csv", roster);
    EXPECT_EQ(RunCli({"fleet", folder / "plan.dat", folder / "roster.csv", "--record", folder / "record.csv"}), 1)
        << ReadBytes(folder / "err.txt");
    for (Simulator& radio : radios) radio.Stop(SIGTERM);

    std::vector<std::string> lines = Lines(ReadBytes(folder / "out.txt"));
    ASSERT_EQ(lines.size(), 5u) << ReadBytes(folder / "out.txt");
    EXPECT_EQ(lines.back(), radios[4].Device() + "\tBoat 4\tpartly-programmed\tCommunication Error!!")
        << "the silent radio finishes last";
    // In the order they finished: compared in the order of their devices,
    // which need not be the order they were started in (another program
    // may take a pseudo-terminal between two of them).
    std::vector<std::string> expected;
    for (int n = 0; n < 4; ++n) {
        expected.push_back(radios[n].Device() + "\tBoat " + std::to_string(n) + "\tok\tverified");
        EXPECT_EQ(AtisOf(n), "921123450" + std::to_string(n)) << "radio " << n;
    }
    std::sort(lines.begin(), lines.end() - 1);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.end() - 1), expected);
    const std::vector<std::string> record = Lines(ReadBytes(folder / "record.csv"));
    ASSERT_EQ(record.size(), 6u);
    EXPECT_EQ(record[0], "time,port,vessel,atis,model,result,sha256");
    for (size_t i = 1; i < record.size(); ++i) {
        EXPECT_NE(record[i].find(",MR318,"), std::string::npos) << record[i];
        EXPECT_EQ(record[i][19], 'Z') << "UTC, ISO 8601: " << record[i];
    }
    EXPECT_NE(ReadBytes(folder / "err.txt").find("4 of 5 radios ok"), std::string::npos);

    // A second run appends; what was recorded stays.
    const std::string before = ReadBytes(folder / "record.csv");
    Simulator again;
    START_OR_SKIP(again, 9);
    WriteBytes(folder / "one.csv", "port,vessel,atis\n" + again.Device() + ",Boat 9,\n");
    EXPECT_EQ(RunCli({"fleet", folder / "plan.dat", folder / "one.csv", "--record", folder / "record.csv"}), 0)
        << ReadBytes(folder / "err.txt");
    again.Stop(SIGTERM);
    const std::string after = ReadBytes(folder / "record.csv");
    EXPECT_EQ(after.substr(0, before.size()), before);
    EXPECT_EQ(Lines(after).size(), 7u);
}

TEST_F(FleetCli, ABadRosterTouchesNoRadio) {
    Simulator radios[2];
    START_OR_SKIP(radios[0], 0);
    START_OR_SKIP(radios[1], 1);
    WriteBytes(folder / "roster.csv", "port,vessel,atis\n" + radios[0].Device() + ",Boat 0,9211234500\n" +
                                          radios[1].Device() + ",Boat 1,921123450\n");
    EXPECT_EQ(RunCli({"fleet", folder / "plan.dat", folder / "roster.csv", "--record", folder / "record.csv"}), 2);
    for (Simulator& radio : radios) radio.Stop(SIGTERM);
    EXPECT_EQ(ReadBytes(folder / "out.txt"), "");
    EXPECT_NE(ReadBytes(folder / "err.txt").find("roster.csv, line 3: the ATIS code '921123450' is not ten digits"),
              std::string::npos)
        << ReadBytes(folder / "err.txt");
    EXPECT_FALSE(std::filesystem::exists(folder / "record.csv"));
    for (int n = 0; n < 2; ++n)
        EXPECT_EQ(ReadBytes(folder / Named("radio", n, ".err")), "rp770-cli simulate: 0 reads, 0 writes\n");
}

}  // namespace
}  // namespace rp770::testing
