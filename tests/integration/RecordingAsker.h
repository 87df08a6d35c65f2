#pragma once
// The user's side of the application session for the whole-path tests:
// every message and question in the order a window shows them (what a
// question was preceded by, the question, then what the outcome says), the
// questions answered from a script.

#include <deque>
#include <string>
#include <vector>

#include "core/Outcome.h"

namespace rp770::testing {

struct Shown {
    std::string text;  // the message's own words (its detail aside)
    std::string title;
    Icon icon = Icon::None;
    bool question = false;
};

class RecordingAsker : public Asker {
public:
    std::vector<Shown> boxes;
    std::deque<Answer> answers;  // taken in order; none left: the default answer

    Answer Ask(const Question& question) override {
        Show(question.before);
        boxes.push_back({question.text, question.title, question.icon, true});
        if (answers.empty()) return question.defaultAnswer;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void Show(const std::vector<Message>& messages) {
        for (const Message& m : messages) boxes.push_back({m.text, m.title, m.icon, false});
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const Shown& box : boxes) texts.push_back(box.text);
        return texts;
    }
};

}  // namespace rp770::testing
