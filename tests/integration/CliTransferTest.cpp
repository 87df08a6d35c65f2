// rp770-cli read and program as a user runs them in a terminal, against the
// simulated radio on a pseudo-terminal of its own, in real time: a comma
// locale changes nothing in the file a read writes, and Ctrl+C or SIGTERM
// end a transfer the way Cancel does. Skipped without pseudo-terminals.
#include <gtest/gtest.h>

#include "core/MemoryImage.h"
#include "files/DatWriter.h"
#include "files/TestData.h"
#include "integration/SimulatorProcess.h"
#include "link/TransferEngine.h"
#include "sim/RadioMemoryFile.h"
#include "support/CommaLocale.h"

namespace rp770::testing {
namespace {

class CliTransfer : public ::testing::Test {
protected:
    void SetUp() override {
        DataSet data = FactoryDataSet();
        data.exp[1].Rxfreq = 157.0125;
        data.exp[1].Txfreq = 161.6125;
        EncodeImage(data);
        sim::RadioMemory memory{};
        std::copy(data.image.bytes.begin(), data.image.bytes.begin() + data.image.size(), memory.begin());
        std::string error;
        ASSERT_TRUE(sim::SaveRadioMemory(folder / "radio.hex", memory, error)) << error;
        WriteBytes(folder / "boat.dat", FormatSettingsText(data));
    }
    // The tool in a terminal on a simulated radio; the user's settings store
    // is a folder of the test's own.
    bool Run(CliInTerminal& cli, Simulator& radio, const std::vector<std::string>& radioOptions,
             std::vector<std::string> args, std::vector<std::string> environment = {}) {
        std::string why;
        if (!radio.Start(radioOptions, why)) return false;
        args.insert(args.begin() + 1, {"--port", radio.Device()});
        environment.insert(environment.end(), {"HOME=" + folder.str(), "XDG_CONFIG_HOME=" + folder.str()});
        return cli.Start(args, environment);
    }
    TestFolder folder;
};

#define RUN_OR_SKIP(...) \
    if (!Run(__VA_ARGS__)) GTEST_SKIP() << "no pseudo-terminal";

TEST_F(CliTransfer, AReadUnderACommaLocaleWritesTheFileTheCLocaleWrites) {
    CommaLocaleScope available;
    RP770_REQUIRE_COMMA_LOCALE(available);
    for (const std::string locale : {"C.UTF-8", kCommaLocale}) {
        Simulator radio;
        CliInTerminal cli;
        RUN_OR_SKIP(cli, radio, {"--image", folder / "radio.hex"}, {"read", folder / (locale + ".dat")},
                    {"LC_ALL=" + locale, "LANG=" + locale, "LOCPATH=" + CommaLocaleFolder()});
        EXPECT_EQ(cli.Finish(), 0) << cli.Output();
    }
    const std::string inC = ReadBytes(folder / "C.UTF-8.dat");
    EXPECT_NE(inC.find("CHDisplayR=\r\nRxfreq=157.0125\r\nTxfreq=161.6125\r\n"), std::string::npos);
    EXPECT_EQ(ReadBytes(folder / (std::string(kCommaLocale) + ".dat")), inC);
}

TEST_F(CliTransfer, AnInterruptEndsTheTransferAsCancelDoes) {
    // The radio goes quiet at block request 20 (the model check asks 2): the
    // tool waits for it, its progress bar at 2%, when the signal comes.
    const struct {
        const char* command;
        const char* file;
        int signal;
        std::string says;
    } cases[] = {
        {"program", "boat.dat", SIGINT, Words(link::kPartlyProgrammed)},
        {"read", "new.dat", SIGTERM, "Interrupted: nothing was read; no file was written."},
    };
    for (const auto& c : cases) {
        Simulator radio;
        CliInTerminal cli;
        RUN_OR_SKIP(cli, radio, {"--fault", "silent-from=20"}, {c.command, folder / c.file});
        ASSERT_TRUE(cli.WaitFor("] 2%")) << cli.Output();
        cli.Signal(c.signal);
        EXPECT_EQ(cli.Finish(), 128 + c.signal) << cli.Output();
        const size_t said = cli.Output().find(c.says);
        ASSERT_NE(said, std::string::npos) << cli.Output();
        EXPECT_EQ(cli.Output()[said - 1], '\n') << "the progress bar's line was ended";
        EXPECT_FALSE(std::filesystem::exists(folder / "new.dat"));
    }
}

}  // namespace
}  // namespace rp770::testing
