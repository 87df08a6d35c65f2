#pragma once
// The application session of one rp770-cli command: the data folder, the
// user's remembered choices read but never written, files through
// CliFiles, messages on stderr and questions answered as CliAsker does.
// Start() starts it the way the window starts: the model list, then a new
// data set on --destination or on the remembered or first destination.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "cli/CliConsole.h"
#include "cli/CliFiles.h"
#include "cli/CliOptions.h"
#include "desktop/DiskFiles.h"
#include "desktop/ErrorLogFile.h"
#include "desktop/FolderKeeper.h"
#include "desktop/SameFile.h"
#include "files/MemorySettingsStore.h"
#include "session/AppSession.h"

namespace rp770::cli {

class CliSession {
public:
    // `transfer`: the command talks to the radio (messages name their
    // titles; --yes, --no, --debug and --no-echo apply).
    explicit CliSession(const CliOptions& options, bool transfer = false);
    ~CliSession();
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;

    // Starts the session; kExitOk when a destination was loaded, otherwise
    // what went wrong is on stderr and the status is returned (kExitUsage
    // for an unknown --destination).
    int Start();

    AppSession& session() { return *session_; }
    Console& console() { return console_; }
    CliAsker& asker() { return asker_; }

    // Says the outcome's messages; kExitOk when it succeeded, else `failed`.
    int Show(const Outcome& outcome, int failed = kExitFailure);
    // Saves a file made from the data (a report, a PDF document) as the
    // session saves its own: kExitOk, or kExitFailure after "FileSave Error!!"
    // with the name and the system's reason.
    int Save(const std::string& name, std::string_view bytes);

private:
    CliOptions options_;
    FolderProgramData program_;
    std::unique_ptr<SettingsStore> userStore_;
    ReadOnlyOverlayStore settings_;
    CliFiles files_;
    Console console_;
    CliAsker asker_;
    std::unique_ptr<ErrorLogFile> errorLog_;  // --debug only
    std::unique_ptr<DesktopRadioKeeper> keeper_;  // transfers only: what radios held
    std::unique_ptr<AppSession> session_;
};

// The way most commands start: parse the arguments, start the session,
// then run `body` on it. Returns the command's exit status; `failed` is the
// status when the session cannot start (trouble, for diff).
int RunWithSession(const std::vector<std::string>& args, const CliSpec& spec,
                   const std::function<int(const CliOptions&, CliSession&)>& body, int failed = kExitFailure);

// Writes a listing (a hex dump, differences) on standard output. False,
// after saying why on stderr, when standard output failed.
bool PrintListing(const std::string& text);

// What a file a command reads holds, as its kind is told.
FileContent ContentOf(FileKind kind);

// False, after saying why, when an output is the same file as an input of
// another kind: checked before anything is read, so that nothing is lost.
bool OutputsSpareInputs(Console& console, const std::vector<NamedFile>& outputs, const std::vector<NamedFile>& inputs);

}  // namespace rp770::cli
