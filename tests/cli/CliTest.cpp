// rp770-cli run end to end: the built executable on a temporary data folder,
// with a settings store of its own.

#include <sstream>

#include "CliFixture.h"

#include "cli/ReadOutput.h"
#include "core/HexDump.h"
#include "core/MemoryImage.h"

namespace rp770 {
namespace {

TEST_F(Cli, DestinationsListsTheMenuAndMarksTheOneThatLoads) {
    CliRun run = RunCli({"destinations"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "* CAN\n  INT\n  USA\n");
    EXPECT_EQ(run.err, "");

    run = RunCli({"destinations", "--destination", "usa"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "  CAN\n  INT\n* USA\n");

    run = RunCli({"destinations", "--destination", "ATLANTIS"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("unknown destination"), std::string::npos);
}

TEST_F(Cli, TheUsersRememberedDestinationIsReadButTheStoreNeverWritten) {
    CliRun run = RunCli({"destinations"});
    EXPECT_FALSE(fs::exists(config.path() / "RP770")) << "the tool created a settings store";

    Remember("INT");
    const std::string before = ReadBytes(StoreFile());
    run = RunCli({"destinations"});
    EXPECT_EQ(run.out, "  CAN\n* INT\n  USA\n");
    run = RunCli({"destinations", "--destination", "USA"});
    EXPECT_EQ(run.out, "  CAN\n  INT\n* USA\n");
    EXPECT_EQ(ReadBytes(StoreFile()), before);
    EXPECT_EQ(config.Names(), std::vector<std::string>{"RP770"});

    Remember("GONE");  // its file is missing: the first one, as the window does
    run = RunCli({"destinations"});
    EXPECT_EQ(run.out, "* CAN\n  INT\n  USA\n");
}

TEST_F(Cli, ConvertingAnImageToTextAndBackGivesTheSameImage) {
    const std::string usa = data / "USA_013E.ini";
    CliRun run = RunCli({"hex2dat", usa, work / "usa.dat", "--destination", "USA"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::string text = ReadBytes(work / "usa.dat");
    EXPECT_EQ(text.rfind("[MAIN]\r\nMODEL=#MR318\r\n", 0), 0u);

    run = RunCli({"dat2hex", work / "usa.dat", work / "usa.hex", "--destination=USA"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(work / "usa.hex"), ReadBytes(usa));
}

TEST_F(Cli, DumpPrintsTheHexDumpOfTheImage) {
    const std::string path = data / "INT_013E.ini";
    const CliRun run = RunCli({"dump", path});
    ASSERT_EQ(run.status, 0) << run.err;
    MemoryImage image;
    const std::string bytes = ReadBytes(path);
    std::copy(bytes.begin(), bytes.end(), image.bytes.begin());
    std::string expected;
    for (const std::string& line : HexDumpLines(image)) expected += line + "\n";
    EXPECT_EQ(run.out, expected);
}

TEST_F(Cli, RefusalsAndFailuresSayTheProgramsMessageAndLeaveNoOutput) {
    const std::string good = ReadBytes(data / "USA_013E.ini");
    WriteBytes(work / "short.hex", good.substr(0, 1023));
    std::string badEnd = good;
    badEnd[1023] = '\0';
    WriteBytes(work / "bad.hex", badEnd);
    WriteBytes(work / "model2.dat", "[MAIN]\r\nMODELTYPE=2\r\n");
    const std::string out = work / "out";
    const std::string kOtherModel = "ModelType Error !!\nThe model codes at both ends of the image are not those of the MR318.";
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    // File errors: the program's message first, then the path and the system's reason.
    const Case cases[] = {
        {{"hex2dat", work / "missing.hex", out},
         "FileRead Error!! (" + (work / "missing.hex") + ": No such file or directory)"},
        {{"hex2dat", work / "short.hex", out}, "bad file!!\nA memory image is 1024 bytes; this file has 1023."},
        {{"hex2dat", work / "bad.hex", out}, kOtherModel},
        {{"dump", work / "bad.hex"}, kOtherModel},
        {{"dat2hex", work / "model2.dat", out}, "ModelType Error !!\nThe file's [MAIN] MODELTYPE is not 1 (MR318)."},
        {{"dat2hex", work / "missing.dat", out},
         "FileRead Error!! (" + (work / "missing.dat") + ": No such file or directory)"},
        {{"hex2dat", data / "USA_013E.ini", work / "no-folder/out.dat"},
         "FileSave Error!! (" + (work / "no-folder/out.dat") + ": No such file or directory)"},
        {{"hex2dat", data / "USA_013E.ini", work.str()}, "FileSave Error!! (" + work.str() + ": Is a directory)"},
        // Reading stops at each kind's limit: a device that never ends is refused at once.
        {{"hex2dat", "/dev/zero", out}, "bad file!!\nA memory image is 1024 bytes; this file has more."},
        {{"dat2hex", "/dev/zero", out}, "FileRead Error!! (/dev/zero: File too large (over the limit of 4194304 bytes))"},
        {{"dat2hex", work / "huge.dat", out},
         "FileRead Error!! (" + (work / "huge.dat") + ": File too large (5242880 bytes, over the limit of 4194304 bytes))"},
    };
    WriteBytes(work / "huge.dat", "");
    fs::resize_file(work.path() / "huge.dat", 5 << 20);  // sparse: nothing on the disk
    for (const Case& c : cases) {
        const CliRun run = RunCli(c.args);
        EXPECT_EQ(run.status, 1) << c.args[0] << " " << c.args[1];
        EXPECT_EQ(run.err, c.message + "\n") << c.args[0] << " " << c.args[1];
        EXPECT_FALSE(fs::exists(out)) << c.args[0] << " " << c.args[1];
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(work.Names(), (std::vector<std::string>{"bad.hex", "huge.dat", "model2.dat", "short.hex"}));
}

// Before anything is read: an output that is an input's file (by any name,
// links included) but of another kind is refused, and the input stays as
// it was; an update in place, of the same kind, is taken.
TEST_F(Cli, AnOutputNeverReplacesAnInputOfAnotherKind) {
    const std::string dat = work / "boat.dat", csv = work / "rows.csv";
    ASSERT_EQ(RunCli({"hex2dat", data / "USA_013E.ini", dat}).status, 0);
    ASSERT_EQ(RunCli({"export-csv", dat, csv}).status, 0);
    WriteBytes(work / "boat.hex", ReadBytes(data / "USA_013E.ini"));
    fs::create_hard_link(dat, work / "hard.txt");
    fs::create_symlink(dat, work / "link.csv");
    const std::string original = ReadBytes(dat);
    const struct Case {
        std::vector<std::string> args;
        std::string said;
    } cases[] = {
        {{"dat2hex", dat, dat}, dat + " (the output) is the same file as " + dat +
                                    " (the input): a memory image file would replace the settings text file."},
        {{"hex2dat", work / "boat.hex", work / "boat.hex"}, "a settings text file would replace the memory image file."},
        {{"report", dat, "-o", work / "hard.txt"}, "a text report would replace the settings text file."},
        {{"report", dat, "--pdf", work / "hard.txt"}, "a PDF document would replace"},
        {{"export-csv", dat, work / "link.csv"}, "a channel table would replace"},
        {{"import-csv", dat, csv, csv}, "a settings text file would replace the channel table."},
    };
    for (const Case& c : cases) {
        const CliRun run = RunCli(c.args);
        EXPECT_EQ(run.status, 1) << c.args[0];
        EXPECT_NE(run.err.find(c.said + (c.said.back() == '.' ? " Nothing was read or written." : "")),
                  std::string::npos) << run.err;
    }
    EXPECT_TRUE(ReadBytes(dat) == original);
    EXPECT_TRUE(ReadBytes(work / "boat.hex") == ReadBytes(data / "USA_013E.ini"));

    // In place, each in its own kind.
    WriteBytes(csv, "Plan,Slot,Scan\r\nUSA,30,1\r\n");
    CliRun run = RunCli({"import-csv", dat, csv, dat});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(dat).rfind("[MAIN]", 0), 0u);
    EXPECT_TRUE(ReadBytes(dat) != original) << "updated in place";
    run = RunCli({"import-csv", work / "boat.hex", csv, work / "boat.hex"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(work / "boat.hex").size(), 1024u);
}

TEST_F(Cli, AnExistingOutputFileIsLeftAloneWhenTheConversionFails) {
    WriteBytes(work / "keep.dat", "precious");
    WriteBytes(work / "model2.dat", "[MAIN]\r\nMODELTYPE=2\r\n");
    const CliRun run = RunCli({"dat2hex", work / "model2.dat", work / "keep.dat"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(ReadBytes(work / "keep.dat"), "precious");
}

TEST_F(Cli, AMissingModelListOrMissingDefinitionsStopTheCommand) {
    fs::remove(data.path() / "USA_013E.ini");
    fs::remove(data.path() / "INT_013E.ini");
    fs::remove(data.path() / "CAN_013E.ini");
    CliRun run = RunCli({"destinations"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Ini files are not found!!\n");
    run = RunCli({"hex2dat", work / "x.hex", work / "x.dat"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Ini files are not found!!\n");
    EXPECT_FALSE(fs::exists(work / "x.dat"));

    fs::remove(data.path() / "global.ini");
    run = RunCli({"destinations"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Unknown model!!\nNo global.ini offering a radio model was found in:\n  " + data.str() + "\n");
}

TEST_F(Cli, WrongCommandLinesAreUsageErrors) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"hex2dat", "only-one"}, {"dump"}, {"destinations", "extra"}, {"dump", "x.hex", "--colour"},
             {"dump", "x.hex", "--destination"}, {"read", "--port", "sim", "--yes", "--no", "x.dat"},
             {"program", "--port", "sim", "--no", "--yes", "x.dat"}}) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.status, 2) << args[0];
        EXPECT_NE(run.err.find("usage: rp770-cli"), std::string::npos) << run.err;
    }
}

// What a command line gets wrong is found from the options, never from a
// message's text: an unknown destination or fault too.
TEST_F(Cli, AWrongNameInAnOptionIsAUsageError) {
    CliRun run = RunCli({"report", work / "x.dat", "--destination", "ATLANTIS"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "unknown destination 'ATLANTIS'; the destinations are: CAN INT USA\n");
    run = RunCli({"read", "--port", "sim", "--fault", "gremlins", work / "x.dat"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("--fault gremlins: "), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(work / "x.dat"));
}

TEST_F(Cli, TheDataFolderDefaultsToTheExecutablesFolder) {
    const CliRun run = RunCli({"destinations"}, false);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "* CAN\n  INT\n  USA\n");  // the shipped data beside the executable
}

}  // namespace
}  // namespace rp770

namespace rp770 {
namespace {

TEST_F(Cli, ReadFromTheSimulatedRadioSavesInTheFormatTheNameSays) {
    CliRun run = RunCli({"read", "--port", "sim", work / "radio.dat"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("Complete!!"), std::string::npos);
    EXPECT_EQ(ReadBytes(work / "radio.dat").rfind("[MAIN]\r\n", 0), 0u);

    run = RunCli({"read", "--port=sim", work / "radio.hex"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string image = ReadBytes(work / "radio.hex");
    ASSERT_EQ(image.size(), 1024u);
    EXPECT_EQ(image.substr(0, 2), std::string("\x01\x3E", 2));
}

TEST_F(Cli, AFailedReadSaysWhyAndWritesNothing) {
    const struct {
        const char* fault;
        const char* message;
    } cases[] = {{"silent-from=10", "Communication Error!!"}, {"model=0x0140", "ModelType Error !!"},
                 {"busy", "Radio not ready!!"}, {"sync-once", "Synchronisation failed: the radio answered but refused."}};
    for (const auto& c : cases) {
        const std::string out = work / "never.dat";
        CliRun run = RunCli({"read", "--port", "sim", "--fault", c.fault, "--fault", "reply-delay=1", "--no", out});
        EXPECT_NE(run.status, 0) << c.fault;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.fault << ": " << run.err;
        EXPECT_FALSE(fs::exists(out)) << c.fault;
    }
}

TEST_F(Cli, AReadIsRefusedBeforeThePortIsOpenedWhenItsFileCannotBeSaved) {
    // The port named does not exist: a read that opened it would say so.
    const struct {
        std::string out;
        const char* why;
    } cases[] = {{work / "missing/x.dat", "does not exist"}, {work.str(), "it is a folder"}};
    for (const auto& c : cases) {
        const CliRun run = RunCli({"read", "--port", work / "no-such-port", c.out});
        EXPECT_EQ(run.status, 1) << c.out;
        EXPECT_EQ(run.err.rfind("FileSave Error!!\n" + c.out + ": ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(c.why), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("The radio was not read."), std::string::npos) << run.err;
    }
    EXPECT_TRUE(work.Names().empty()) << "nothing left behind";
}

TEST_F(Cli, DataThatCannotBeSavedGoToAPrivateRecoveryFile) {
    // What a read does when its file still cannot be saved after the transfer.
    const TestFolder temp;
    const char* tmpdir = std::getenv("TMPDIR");
    const std::string before = tmpdir ? tmpdir : "";
    setenv("TMPDIR", temp.str().c_str(), 1);
    for (const char* intended : {"/gone/radio.dat", "/gone/radio.dat", "/gone/radio.hex"})
        EXPECT_TRUE(cli::SaveToRecoveryFile(intended, intended)) << intended;
    if (tmpdir) setenv("TMPDIR", before.c_str(), 1); else unsetenv("TMPDIR");
    const std::vector<std::string> names = temp.Names();
    ASSERT_EQ(names.size(), 3u) << "the same second, all the same a file of its own";
    for (const std::string& name : names) {
        const std::string saved = temp / name;
        EXPECT_EQ(name.rfind("rp770-recovery-", 0), 0u) << name;
        EXPECT_EQ(fs::status(saved).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
        EXPECT_EQ(ReadBytes(saved), name.ends_with("-radio.hex") ? "/gone/radio.hex" : "/gone/radio.dat") << name;
    }
}

TEST_F(Cli, AnswersGivenForTheUserGiveUpOnARadioThatNeverAgrees) {
    // A radio that always refuses, or is always busy: --yes agrees three
    // times, then the run ends.
    for (const char* fault : {"status-error", "busy"}) {
        CliRun run = RunCli({"read", "--port", "sim", "--fault", fault, "--yes", work / "never.dat"});
        EXPECT_NE(run.status, 0) << fault;
        EXPECT_NE(run.err.find("Radio not ready!!"), std::string::npos) << fault << ": " << run.err;
        EXPECT_NE(run.err.find("(said yes often enough)"), std::string::npos) << fault << ": " << run.err;
        EXPECT_FALSE(fs::exists(work / "never.dat")) << fault;
    }
    CliRun run = RunCli({"read", "--port", "sim", "--fault", "busy=3", "--yes", work / "radio.dat"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("Complete!!"), std::string::npos) << run.err;
}

TEST_F(Cli, ReadsAreKeptAndListedAndAPartlyProgrammedRadioIsSaidOnItsPort) {
    CliRun run = RunCli({"read", "--port", "sim", work / "radio.dat"});
    ASSERT_EQ(run.status, 0) << run.err;
    run = RunCli({"program", "--port", "sim", "--backup", "--yes", work / "radio.dat"});
    ASSERT_EQ(run.status, 0) << run.err;
    // The radio's memory is known after the read: its changes come before the answer.
    const size_t listed = run.err.find("fields in the radio (as read from it before):\n  ");
    EXPECT_NE(listed, std::string::npos) << run.err;
    EXPECT_LT(listed, run.err.find("-> Yes (--yes)")) << run.err;

    run = RunCli({"backups"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<std::vector<std::string>> lines;
    std::istringstream out(run.out);
    for (std::string line; std::getline(out, line);) {
        std::istringstream cells(line);
        for (std::string& cell : lines.emplace_back(5)) std::getline(cells, cell, '\t');
    }
    ASSERT_EQ(lines.size(), 2u) << run.out;
    EXPECT_EQ(lines[0][4], "before-programming");
    EXPECT_EQ(lines[1][4], "read");
    EXPECT_EQ(ReadBytes(lines[0][0]).size(), 1024u) << lines[0][0];
    EXPECT_EQ(lines[0][1].size(), 20u) << lines[0][1];  // 2026-12-09T06:15:00Z
    EXPECT_EQ(lines[0][2], "MR318");
    EXPECT_GE(lines[0][1], lines[1][1]) << "newest first";

    const std::string notice = "The radio on sim was left partly programmed";
    run = RunCli({"hex2dat", data / "INT_013E.ini", work / "int.dat", "--destination", "INT"});
    ASSERT_EQ(run.status, 0) << run.err;
    run = RunCli({"program", "--port", "sim", "--fault", "error=20,3", "--no", work / "int.dat"});
    ASSERT_NE(run.err.find("The radio was only partly programmed"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find(notice), std::string::npos) << run.err;
    run = RunCli({"read", "--port", "sim", work / "again.dat"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find(notice), std::string::npos) << run.err;
    run = RunCli({"read", "--port", "sim", work / "again.dat"});
    EXPECT_EQ(run.err.find(notice), std::string::npos) << "forgotten after a whole read: " << run.err;
}

TEST_F(Cli, ProgramSendsASettingsFileToTheRadio) {
    CliRun run = RunCli({"hex2dat", data / "INT_013E.ini", work / "int.dat", "--destination", "INT"});
    ASSERT_EQ(run.status, 0) << run.err;
    run = RunCli({"program", "--port", "sim", work / "int.dat"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("Complete!!"), std::string::npos);
    EXPECT_EQ(run.err.find("partly"), std::string::npos) << run.err;
    // Stopped part-way, the radio holds a mix: said plainly. Stopped before
    // the first write, it holds what it held.
    run = RunCli({"program", "--port", "sim", "--fault", "error=20,3", "--no", work / "int.dat"});
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.err.find("Communication Error!!"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("The radio was only partly programmed"), std::string::npos) << run.err;
    run = RunCli({"program", "--port", "sim", "--fault", "model=0x0140", work / "int.dat"});
    EXPECT_NE(run.status, 0);
    EXPECT_EQ(run.err.find("The radio was only partly programmed"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Nothing was written to the radio."), std::string::npos) << run.err;
    run = RunCli({"program", work / "int.dat"});
    EXPECT_EQ(run.status, 2) << "no --port: a usage error";
    // An enabled EXP channel the radio cannot use is never sent, --yes or not.
    std::string text = ReadBytes(work / "int.dat");
    text.replace(text.find("[CHEXP3]\r\nEnable=0"), 19, "[CHEXP3]\r\nEnable=1");
    WriteBytes(work / "exp.dat", text);
    for (const char* answer : {"--no", "--yes"}) {
        run = RunCli({"program", "--port", "sim", answer, work / "exp.dat"});
        EXPECT_EQ(run.status, 1) << answer;
        EXPECT_NE(run.err.find("no channel number (left display characters): EXP3."), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("Nothing was written to the radio."), std::string::npos) << run.err;
    }
    // Data the radio would get wrong in other ways go out only when the user says so.
    text = ReadBytes(work / "int.dat");
    const size_t usable = text.find("\r\nExp CH=0\r\n");
    ASSERT_NE(usable, std::string::npos);
    text.replace(usable, 12, "\r\nExp CH=1\r\n");  // a usable group without an enabled channel
    WriteBytes(work / "group.dat", text);
    run = RunCli({"program", "--port", "sim", "--no", work / "group.dat"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("- EXP is a usable channel group without an enabled channel"), std::string::npos) << run.err;
    run = RunCli({"program", "--port", "sim", "--yes", work / "group.dat"});
    EXPECT_EQ(run.status, 0) << run.err;
}

TEST_F(Cli, ReportToStdoutToAFileAndAsPdf) {
    const std::string usa = work / "usa.hex";
    WriteBytes(usa, ReadBytes(data / "USA_013E.ini"));
    CliRun run = RunCli({"report", usa, "--destination", "USA"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("##### Common Setup #####\r\n", 0), 0u);
    ASSERT_GE(run.out.size(), 2u);
    EXPECT_EQ(run.out.substr(run.out.size() - 2), "\r\n");
    EXPECT_NE(run.out.find("##### Programmable USA Channel #####"), std::string::npos);

    CliRun toFile = RunCli({"report", usa, "-o", work / "r.txt", "--pdf", work / "r.pdf", "--destination", "USA"});
    ASSERT_EQ(toFile.status, 0) << toFile.err;
    EXPECT_EQ(ReadBytes(work / "r.txt"), run.out);
    const std::string pdf = ReadBytes(work / "r.pdf");
    EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);

    run = RunCli({"report", work / "missing.dat"});
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.err.find("No such file or directory"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace rp770
