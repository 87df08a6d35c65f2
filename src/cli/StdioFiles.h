#pragma once
// "-" as a file argument: standard input for a file a command reads,
// standard output for a file it writes. The session works on files, so
// standard input is first kept in a private temporary folder, and an output
// is written there and then copied to standard output. Any command that
// reads or writes one file goes through here:
//
//   StdioFiles stdio;
//   const std::string in = stdio.Input(options.positional[0], ".hex");
//   const std::string out = stdio.Output(options.positional[1], ".dat");
//   if (in.empty() || out.empty()) return kExitFailure;
//   ... open `in`, save `out` ...
//   return stdio.SendOutputs() ? kExitOk : kExitFailure;

#include <filesystem>
#include <string>
#include <vector>

namespace rp770::cli {

class StdioFiles {
public:
    StdioFiles() = default;
    ~StdioFiles();  // removes the temporary folder and all in it
    StdioFiles(const StdioFiles&) = delete;
    StdioFiles& operator=(const StdioFiles&) = delete;

    // The file to read: `argument` itself, or for "-" a copy of standard
    // input named with `suffix` (".hex", ".dat"); an empty suffix takes
    // ".hex" for bytes that no text holds, else ".dat". Empty text after a
    // failure, whose message is on stderr.
    std::string Input(const std::string& argument, const std::string& suffix);

    // The file to write: `argument` itself, or for "-" a file in the
    // temporary folder named with `suffix`, sent by SendOutputs().
    std::string Output(const std::string& argument, const std::string& suffix);

    // Copies the outputs meant for standard output there, in order, and
    // flushes it. False after a failure (message on stderr).
    bool SendOutputs();

    static bool IsStandardStream(const std::string& argument) { return argument == "-"; }

private:
    bool MakeFolder();
    std::filesystem::path folder_;
    std::vector<std::filesystem::path> outputs_;
};

}  // namespace rp770::cli
