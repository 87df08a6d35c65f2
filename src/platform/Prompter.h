#pragma once
// The message boxes of the window: every box it shows goes through a
// Prompter (QtPrompter on the screen, a scripted one in tests). The engine
// never shows a box itself: it returns its messages in an Outcome and asks
// its questions through an Asker; a front end with message boxes shows
// them here. Plain C++, so that tests need no screen.

#include <string>
#include <vector>

#include "core/Outcome.h"
#include "core/Services.h"

namespace rp770 {

class Prompter {
public:
    virtual ~Prompter() = default;
    virtual void Message(const std::string& text, const std::string& title, Icon icon) = 0;
    virtual Answer Ask(const std::string& text, const std::string& title, Icon icon, Buttons buttons,
                       Answer defaultAnswer) = 0;
    // The same with a check box: `checked` holds what is offered and
    // receives the user's choice. A prompter without check boxes asks
    // without it, and the offer stands.
    virtual Answer AskWithOption(const std::string& text, const std::string& title, Icon icon, Buttons buttons,
                                 Answer defaultAnswer, const std::string& /*option*/, bool& /*checked*/) {
        return Ask(text, title, icon, buttons, defaultAnswer);
    }
};

// Shows each message on a prompter, in order.
inline void ShowMessages(Prompter& prompter, const std::vector<Message>& messages) {
    for (const Message& m : messages) prompter.Message(m.Shown(), m.title, m.icon);
}

// The engine's questions on a prompter: the messages that came before the
// question, then the question.
class PrompterAsker : public Asker {
public:
    explicit PrompterAsker(Prompter& prompter) : prompter_(prompter) {}
    Answer Ask(const Question& question) override {
        ShowMessages(prompter_, question.before);
        if (question.option)
            return prompter_.AskWithOption(question.text, question.title, question.icon, question.buttons,
                                           question.defaultAnswer, question.optionText, *question.option);
        return prompter_.Ask(question.text, question.title, question.icon, question.buttons, question.defaultAnswer);
    }

private:
    Prompter& prompter_;
};

}  // namespace rp770
