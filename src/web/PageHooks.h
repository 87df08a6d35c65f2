#pragma once
// The link's messages, questions and progress, handed to the page: the
// runtime object of web/engine.js takes
//   message({text, title, icon})
//   ask({text, title, icon, buttons, defaultAnswer})  a promise of an answer
//   progress(percent), monitor(text), activity(text), controls(enabled)
// Icons, buttons and answers travel as lower-case names ("critical",
// "retryCancel", "retry").

#include <emscripten/val.h>
#include <optional>

#include "core/Services.h"
#include "link/TransferEngine.h"

namespace rp770::web {

class PageHooks : public Prompter, public link::TransferObserver {
public:
    explicit PageHooks(emscripten::val runtime) : runtime_(std::move(runtime)) {}

    void Message(const std::string& text, const std::string& title, Icon icon) override;
    // Waits for the page's answer; an answer the buttons do not offer is the default.
    Answer Ask(const std::string& text, const std::string& title, Icon icon, Buttons buttons,
               Answer defaultAnswer) override;

    void SetProgress(int percent) override;
    void ShowMonitor(const std::string& text) override;
    void SetControlsEnabled(bool enabled) override;
    void ShowActivity(const std::string& text) override;

private:
    emscripten::val runtime_;
};

const char* IconName(Icon icon);
const char* ButtonsName(Buttons buttons);
const char* AnswerName(Answer answer);
// The answer named, when the buttons offer it.
std::optional<Answer> OfferedAnswer(const std::string& name, Buttons buttons);

}  // namespace rp770::web
