#pragma once
// What `read` and `program` share: the terminal as the transfer dialog.

#include <map>
#include <string>

#include "core/Services.h"
#include "link/TransferEngine.h"

namespace rp770::cli {

// Progress on stderr when it is a terminal; monitor texts with --debug.
class TerminalObserver : public link::TransferObserver {
public:
    explicit TerminalObserver(bool debug);
    ~TerminalObserver() override;
    void SetProgress(int percent) override;
    void ShowMonitor(const std::string& text) override;
    void SetControlsEnabled(bool) override {}
    // Ends the progress bar's line, so that what follows starts on a line
    // of its own.
    void EndBar();

private:
    bool debug_;
    bool bar_;
    bool drawn_ = false;
    int last_ = -1;
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

}  // namespace rp770::cli
