#pragma once
// What an operation of the engine gives back instead of showing message
// boxes itself: success or a Failure, and the messages for the user, in the
// order the program has them to say. Every front end shows them its own way
// (a message box, a line on stderr, a banner on the page).

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/Failure.h"
#include "core/Services.h"
#include "messages/MessageText.h"

namespace rp770 {

struct Message {
    std::string text;    // the program's own words ("FileRead Error!! (/boat.dat: No such file or directory)")
    std::string title;   // the caption of its box
    Icon icon = Icon::None;
    std::string detail = {};  // what is wrong, one line under the text ("137 to 174 MHz on a 25 kHz step")
    // Which of the catalogue's messages the text is, for code that must
    // tell one from another; Verbatim for words of their own.
    MessageId id = MessageId::Verbatim;

    // A catalogue message in the language in use.
    static Message Of(const MessageText& words, std::string title, Icon icon, std::string detail = {}) {
        return Message{words.Render(), std::move(title), icon, std::move(detail), words.id};
    }
    bool Is(MessageId message) const { return id == message; }

    // The text with its detail under it, as one box or one line shows it.
    std::string Shown() const { return detail.empty() ? text : text + "\n" + detail; }
    // What the user sees: the same words are the same message.
    bool operator==(const Message& other) const {
        return text == other.text && title == other.title && icon == other.icon && detail == other.detail;
    }
};

// A question the engine has to ask in the middle of an operation ("Radio is
// busy!!", "Do you want to change to INT?"), with the messages it had to
// say before it (they come first, in order).
struct Question {
    std::string text;
    std::string title;
    Icon icon = Icon::Question;
    Buttons buttons = Buttons::OkCancel;
    Answer defaultAnswer = Answer::Ok;  // what Enter means, and the answer when nobody can be asked
    std::vector<Message> before = {};
    // A choice shown with the question (a check box), when the asker can
    // show one: its words, and the bool that holds it (set beforehand to
    // what is offered, and left as it is by an asker that shows no choice).
    std::string optionText = {};
    bool* option = nullptr;
};

// How the engine asks the user. The answer may come later: a window shows a
// modal box, the command line answers from its options or its terminal, the
// page awaits its own dialog, a test answers from a script.
class Asker {
public:
    virtual ~Asker() = default;
    virtual Answer Ask(const Question& question) = 0;
    // The file to keep the data in when they have none of their own yet
    // (a file dialog); nothing when the user cancels or none can be chosen.
    virtual std::optional<std::string> ChooseSaveFile() { return std::nullopt; }
    // A file to read or write of the kind a command needs (a file dialog);
    // nothing when the user cancels. A settings file to save in is ChooseSaveFile.
    enum class Files { Data, MemoryImage, Channels };
    virtual std::optional<std::string> ChooseFileToOpen(Files) { return std::nullopt; }
    virtual std::optional<std::string> ChooseFileToSave(Files kind) {
        return kind == Files::Data ? ChooseSaveFile() : std::nullopt;
    }
};

struct [[nodiscard]] Outcome {
    Failure failure;                // Ok() when the operation did what it was asked
    std::vector<Message> messages;  // to show, in order; a success may have some too ("Complete!!")

    bool Ok() const { return failure.Ok(); }
    bool Failed() const { return failure.Failed(); }
    // The user stopped it (Cancel, a dialog closed, "No" to a question).
    bool Cancelled() const { return failure.kind == FailureKind::Cancelled; }

    void Say(Message message) { messages.push_back(std::move(message)); }
    // Takes another outcome's messages after this one's, and its failure if it failed.
    Outcome& Then(Outcome other) {
        for (Message& m : other.messages) messages.push_back(std::move(m));
        if (other.Failed()) failure = std::move(other.failure);
        return *this;
    }
};

// A failed outcome whose only message says why.
inline Outcome FailedWith(Failure failure, Message message) {
    Outcome outcome;
    outcome.failure = std::move(failure);
    outcome.Say(std::move(message));
    return outcome;
}

// An outcome of the user's own stopping: nothing to say.
inline Outcome CancelledOutcome() { return Outcome{Failure{FailureKind::Cancelled}, {}}; }

}  // namespace rp770
