#pragma once
// rp770-cli run end to end: the built executable on a temporary data folder,
// with a settings store of its own.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>
#if !defined(_WIN32)
#include <sys/wait.h>
#endif

#include "files/TestFolder.h"

namespace rp770 {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TestFolder;
using testing::WriteBytes;

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

class Cli : public ::testing::Test {
protected:
    TestFolder data;
    TestFolder work;
    TestFolder config;

    void SetUp() override {
#if defined(_WIN32)
        GTEST_SKIP() << "runs the tool through a POSIX shell";
#else
        testing::CopyShippedData(data.path());
        setenv("XDG_CONFIG_HOME", config.str().c_str(), 1);
        setenv("HOME", config.str().c_str(), 1);
#endif
    }

    static std::string Quote(const std::string& s) {
        std::string q = "'";
        for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return q + "'";
    }

    CliRun RunCli(const std::vector<std::string>& args, bool withDataDir = true) {
        std::string command = Quote(RP770_CLI_PATH);
        for (const std::string& a : args) command += " " + Quote(a);
        if (withDataDir) command += " --data-dir " + Quote(data.str());
        return RunShell(command);
    }

    // A shell command line, its standard output and error captured.
    CliRun RunShell(const std::string& commandLine) {
        const std::string command = "( " + commandLine + " ) >" + Quote(work / ".out") + " 2>" + Quote(work / ".err");
        CliRun run;
        const int raw = std::system(command.c_str());
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.out = ReadBytes(work / ".out");
        run.err = ReadBytes(work / ".err");
        fs::remove(work.path() / ".out");
        fs::remove(work.path() / ".err");
        return run;
    }

    std::string StoreFile() const { return (config.path() / "RP770" / "RP770.conf").string(); }
    void Remember(const std::string& destination) {
        fs::create_directories(config.path() / "RP770");
        WriteBytes(StoreFile(), "[IniFilePath]\nIniFileName_1=" + destination + "\n");
    }
};

}  // namespace rp770
