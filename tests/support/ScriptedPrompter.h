#pragma once
// A Prompter for tests: records every box and answers from a script.

#include <deque>
#include <string>
#include <vector>

#include "core/Services.h"
#include "platform/Prompter.h"

namespace rp770::testing {

struct Box {
    std::string text;
    std::string title;
    Icon icon = Icon::None;
    bool question = false;
    Buttons buttons = Buttons::Ok;
};

class ScriptedPrompter : public Prompter {
public:
    std::vector<Box> boxes;
    std::deque<Answer> answers;  // taken in order by Ask(); empty -> the default answer

    void Message(const std::string& text, const std::string& title, Icon icon) override {
        boxes.push_back({text, title, icon, false, Buttons::Ok});
    }
    Answer Ask(const std::string& text, const std::string& title, Icon icon, Buttons buttons,
               Answer defaultAnswer) override {
        boxes.push_back({text, title, icon, true, buttons});
        if (answers.empty()) return defaultAnswer;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> t;
        for (const auto& b : boxes) t.push_back(b.text);
        return t;
    }
    const Box* Last() const { return boxes.empty() ? nullptr : &boxes.back(); }
};

}  // namespace rp770::testing
