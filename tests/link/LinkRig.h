#pragma once
// A radio link wired to the simulated radio on the virtual cable, with a
// scripted prompter and an observer that records what the dialog would show.

#include <string>
#include <vector>

#include "core/MemoryImage.h"
#include "support/RadioData.h"
#include "link/RadioLink.h"
#include "sim/SimulatedRadio.h"
#include "sim/VirtualWire.h"
#include "support/ScriptedPrompter.h"

namespace rp770::testing {

class RecordingObserver : public link::TransferObserver {
public:
    std::vector<int> progress;
    std::vector<std::string> monitor;
    std::vector<bool> enabled;
    std::vector<std::string> activity;
    void SetProgress(int percent) override { progress.push_back(percent); }
    void ShowMonitor(const std::string& text) override { monitor.push_back(text); }
    void SetControlsEnabled(bool on) override { enabled.push_back(on); }
    void ShowActivity(const std::string& text) override { activity.push_back(text); }
};

// A memory with a distinct value at every address and the supported model's
// code at both ends.
// Faults by name ("silent-from=10", "error=40,3"), as the command line gives them.
inline sim::Faults With(const std::vector<std::string>& names) {
    sim::Faults f;
    for (const std::string& name : names) {
        std::string error;
        EXPECT_TRUE(sim::ApplyFault(f, name, error)) << error;
    }
    return f;
}
inline sim::Faults With(const std::string& name) { return With(std::vector<std::string>{name}); }
inline sim::Faults With(const char* name) { return With(std::string(name)); }

struct LinkRig {
    explicit LinkRig(sim::Faults faults = {}, int baud = 4800)
        : radio(faults), wire(radio, baud), link(wire.Port(), wire.GetClock(), wire.GetPump(), &asker) {
        link.SetTitle("Read from Radio");
        link.SetObserver(&observer);
        radio.SetMemory(PatternMemory());
    }

    link::LinkState& State() { return link.State(); }
    // What the user has been shown so far: the questions as they were asked
    // (with what was said before them), then what the link has said since.
    ScriptedPrompter& Shown() {
        ShowMessages(prompter, link.TakeMessages());
        return prompter;
    }
    std::string SentText() const { return std::string(wire.SentByPc().begin(), wire.SentByPc().end()); }
    std::string RadioText() const { return std::string(wire.SentByRadio().begin(), wire.SentByRadio().end()); }
    // Presses Cancel (once) as soon as the condition holds during a wait.
    template <typename Condition>
    void CancelWhen(Condition condition) {
        wire.OnYield([this, condition, pressed = false]() mutable {
            if (!pressed && condition()) {
                pressed = true;
                State().CancelRequested = true;
            }
        });
    }

    sim::SimulatedRadio radio;
    sim::VirtualWire wire;
    ScriptedPrompter prompter;
    PrompterAsker asker{prompter};
    RecordingObserver observer;
    link::RadioLink link;
};

}  // namespace rp770::testing
