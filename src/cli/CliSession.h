#pragma once
// The editing session of one rp770-cli command: the workspace on the data
// folder, the user's remembered choices read but never written, messages
// printed on stderr. Open() starts it the way the window starts: the model
// list, then a new data set on the chosen destination.

#include <functional>
#include <memory>
#include <string>

#include "cli/CliOptions.h"
#include "core/Services.h"
#include "files/MemorySettingsStore.h"
#include "workspace/Workspace.h"

namespace rp770::cli {

// Prints every message text on its own line on stderr; questions take
// their default answer.
class StderrPrompter : public Prompter {
public:
    void Message(const std::string& text, const std::string& title, Icon icon) override;
    Answer Ask(const std::string& text, const std::string& title, Icon icon, Buttons buttons,
               Answer defaultAnswer) override;
    int count() const { return count_; }
    // Runs before each message (a progress bar ends its line, say).
    std::function<void()> beforeMessage;

private:
    int count_ = 0;
};

class CliSession {
public:
    explicit CliSession(const CliOptions& options);
    ~CliSession();

    // Starts the session: models from global.ini, then a new data set on
    // --destination (which must be one of the Destination menu's names) or
    // on the remembered or first destination. Returns kExitOk when a
    // destination was loaded; otherwise the message is on stderr.
    int Open();

    Workspace& workspace() { return *workspace_; }
    StderrPrompter& prompter() { return prompter_; }

private:
    CliOptions options_;
    std::unique_ptr<SettingsStore> userStore_;
    std::unique_ptr<ReadOnlyOverlayStore> settings_;
    StderrPrompter prompter_;
    std::unique_ptr<Workspace> workspace_;
};

// The way every command starts: parse the arguments, open the session, then
// run `body` on it. Returns the command's exit status.
int RunWithSession(const std::vector<std::string>& args, const CliSpec& spec,
                   const std::function<int(const CliOptions&, Workspace&)>& body);

// A settings text file or, by its ".hex" ending (IsMemoryImagePath), a
// memory image file, opened or saved as the window would.
bool OpenDataFile(Workspace& ws, const std::string& path);
bool SaveDataFile(Workspace& ws, const std::string& path);

}  // namespace rp770::cli
