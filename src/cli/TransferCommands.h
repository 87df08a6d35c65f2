#pragma once
// What `read` and `program` share: the terminal as the transfer dialog.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "cli/CliOptions.h"
#include "cli/LinkSession.h"

#include "core/Services.h"
#include "link/TransferEngine.h"

namespace rp770::cli {

// Progress on stderr when it is a terminal, with what the link is doing or
// waiting for after the bar; monitor texts with --debug.
class TerminalObserver : public link::TransferObserver {
public:
    explicit TerminalObserver(bool debug);
    ~TerminalObserver() override;
    void SetProgress(int percent) override;
    void ShowMonitor(const std::string& text) override;
    void SetControlsEnabled(bool) override {}
    void ShowActivity(const std::string& text) override;
    // Ends the progress bar's line, so that what follows starts on a line
    // of its own.
    void EndBar();

private:
    void Draw();

    bool debug_;
    bool bar_;
    bool drawn_ = false;
    int last_ = -1;        // the bar's percentage; -1: no bar yet
    std::string activity_;
    size_t width_ = 0;     // characters on the line now
};

// Messages go to stderr; questions (radio busy, re-synchronise) are
// answered by --yes / --no, else asked on the terminal, else take their
// default answer. An answer given for the user (--yes, or a default without
// a terminal) says yes to the same question at most kAutomaticYes times and
// no after that: a radio that stays busy or keeps refusing cannot keep an
// unattended run going for ever.
inline constexpr int kAutomaticYes = 3;

class TerminalPrompter : public Prompter {
public:
    enum class Policy { Ask, Yes, No };
    TerminalPrompter(Policy policy, TerminalObserver& bar) : policy_(policy), bar_(bar) {}
    void Message(const std::string& text, const std::string& title, Icon icon) override;
    Answer Ask(const std::string& text, const std::string& title, Icon icon, Buttons buttons,
               Answer defaultAnswer) override;

private:
    Policy policy_;
    TerminalObserver& bar_;
    std::map<std::string, int> automaticYes_;  // per question text
};

// The options of the commands that talk to the radio (--port, --debug,
// --no-echo, --fault; --yes and --no where the radio asks questions), for --help.
std::vector<OptionHelp> LinkOptionHelp(bool questions);
TerminalPrompter::Policy PolicyOf(const CliOptions& options);

// Opens the link as the transfer dialog has it (the port, the switches, the
// faults of the simulated radio, Ctrl+C as Cancel); null, after saying why,
// when the command line names no usable port or fault. The transfer itself
// (with its synchronisation) is the editing session's.
std::unique_ptr<LinkSession> Connect(const CliOptions& options, const std::string& title, Prompter& prompter,
                                     TerminalObserver& observer);

// Ctrl+C or a request to terminate ended the transfer: the terminal is put
// right, the shell told, and the exit status returned.
int Interrupted(TerminalObserver& observer, const char* what);

}  // namespace rp770::cli
