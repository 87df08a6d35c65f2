#pragma once
// rp770-cli's standard error: the progress bar of a transfer, the engine's
// messages in the order the outcomes hold them (the bar's line ended
// first), and its questions, answered from the options, on the terminal or
// by their defaults.

#include <map>
#include <string>
#include <vector>

#include "core/Outcome.h"
#include "link/TransferEngine.h"

namespace rp770::cli {

// Progress on stderr when it is a terminal, with what the link is doing or
// waiting for after the bar; monitor texts with --debug.
class ProgressBar : public link::TransferObserver {
public:
    explicit ProgressBar(bool debug);
    ~ProgressBar() override;
    void SetProgress(int percent) override;
    void ShowMonitor(const std::string& text) override;
    void SetControlsEnabled(bool) override {}
    void ShowActivity(const std::string& text) override;
    // Ends the bar's line, so that what follows starts on a line of its own.
    void End();

private:
    void Draw();

    bool debug_;
    bool shown_;            // stderr is a terminal
    bool drawn_ = false;
    int last_ = -1;         // the bar's percentage; -1: no bar yet
    std::string activity_;
    size_t width_ = 0;      // characters on the line now
};

class Console {
public:
    // `titled`: each message names its box's title after it ("Communication
    // Error!!  (Read from Radio)"), as the transfer commands say them,
    // unless it is the program's own title (NotNaming).
    explicit Console(bool titled = false) : titled_(titled) {}
    void NotNaming(std::string title) { plainTitles_.push_back(std::move(title)); }
    void SetBar(ProgressBar* bar) { bar_ = bar; }
    void EndBar();
    // Each message on a line of its own, its detail on the next.
    void Say(const Message& message);
    void Say(const std::vector<Message>& messages);
    // A line of the program's own ("Nothing was read; no file was written.").
    void Say(const std::string& line);

private:
    bool titled_;
    std::vector<std::string> plainTitles_;
    ProgressBar* bar_ = nullptr;
};

// Questions (radio busy, re-synchronise, program data the radio would get
// wrong) are answered by --yes / --no, else asked on the terminal, else take
// their default answer. An answer given for the user (--yes, or a default
// without a terminal) says yes to the same question at most kAutomaticYes
// times and no after that: a radio that stays busy or keeps refusing cannot
// keep an unattended run going for ever.
inline constexpr int kAutomaticYes = 3;

class CliAsker : public Asker {
public:
    enum class Policy { Ask, Yes, No };
    CliAsker(Policy policy, Console& console) : policy_(policy), console_(console) {}
    Answer Ask(const Question& question) override;

private:
    Policy policy_;
    Console& console_;
    std::map<std::string, int> automaticYes_;  // per question text
};

}  // namespace rp770::cli
