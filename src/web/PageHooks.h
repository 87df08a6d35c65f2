#pragma once
// The link's questions and progress, handed to the page: the runtime object
// of web/engine.js takes
//   ask({text, title, icon, buttons, defaultAnswer, before})  a promise of an answer
//   chooseSaveFile()  a promise of the name to keep new data in, or null
//   chooseOpenFile(kind)  a promise of the name a picked file is kept under, or null
//   progress(percent), monitor(text), activity(text), controls(enabled)
// What the link says comes back with each transfer's result instead, as
// messages ({text, title, icon, detail}, in order); a question brings the
// messages said before it in `before`. Icons, buttons and answers travel as
// lower-case names ("critical", "retryCancel", "retry").

#include <emscripten/val.h>
#include <optional>
#include <vector>

#include "core/Outcome.h"
#include "link/TransferEngine.h"

namespace rp770::web {

class PageHooks : public Asker, public link::TransferObserver {
public:
    explicit PageHooks(emscripten::val runtime) : runtime_(std::move(runtime)) {}

    // Waits for the page's answer; an answer the buttons do not offer is the default.
    Answer Ask(const Question& question) override;
    // Waits for the page's chooseSaveFile(): a name, or nothing (cancelled,
    // or a runtime without one).
    std::optional<std::string> ChooseSaveFile() override;
    // Waits for the page's chooseOpenFile(kind) ("data", "hex", "csv"): the
    // name the picked file is kept under, or nothing.
    std::optional<std::string> ChooseFileToOpen(Files kind) override;

    void SetProgress(int percent) override;
    void ShowMonitor(const std::string& text) override;
    void SetControlsEnabled(bool enabled) override;
    void ShowActivity(const std::string& text) override;

private:
    emscripten::val runtime_;
};

// Messages as the page takes them: an array of {text, title, icon, detail}.
emscripten::val MessagesObject(const std::vector<Message>& messages);

const char* IconName(Icon icon);
const char* ButtonsName(Buttons buttons);
const char* AnswerName(Answer answer);
// The answer named, when the buttons offer it.
std::optional<Answer> OfferedAnswer(const std::string& name, Buttons buttons);

}  // namespace rp770::web
