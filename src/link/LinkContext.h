#pragma once
// What every piece of the radio link shares: the injected services, the
// link's state, the dialog's observer and caption, the time limits in force.

#include <string>
#include <utility>
#include <vector>

#include "core/ErrorLog.h"
#include "core/Outcome.h"
#include "core/Services.h"
#include "link/SerialPort.h"
#include "link/TransferEngine.h"
#include "link/TransferPace.h"

namespace rp770::link {

// The protocol's limits, in seconds, for the waits a connection test shortens.
inline constexpr double kEchoSeconds = 100;  // the echo of a transmission
inline constexpr double kAckSeconds = 10;    // the first 6 characters of an acknowledgement
inline constexpr double kAbortAckSeconds = 10;  // ACK after CAN

struct LinkLimits {
    double echoSeconds = kEchoSeconds;
    double ackSeconds = kAckSeconds;
    double abortAckSeconds = kAbortAckSeconds;
};

struct LinkContext {
    LinkContext(SerialPort& serialPort, Clock& clockService, Pump& pumpService)
        : port(serialPort), clock(clockService), pump(pumpService) {}

    SerialPort& port;
    Clock& clock;
    Pump& pump;
    Asker* asker = nullptr;         // questions; without one, each takes its default answer
    ErrorLog* log = &NoErrorLog();  // run-time failures, under the procedure's name
    std::vector<Message> messages;  // what the link has said and nobody has taken yet
    LinkState state;
    LinkLimits limits;
    TransferObserver* observer = nullptr;
    std::string title;  // the dialog's caption, title of most message boxes
    std::string stage;  // what the link is doing ("Reading the radio..."); shown between waits
    TransferPace pace;  // what the transfer under way has put on the line and paused

    // A message titled with the dialog's caption, or with a title of its own.
    void Tell(const MessageText& text, Icon icon = Icon::Critical, std::string detail = {}) {
        messages.push_back(Message::Of(text, title, icon, std::move(detail)));
    }
    void TellTitled(const MessageText& text, const MessageText& boxTitle, Icon icon = Icon::Critical,
                    std::string detail = {}) {
        messages.push_back(Message::Of(text, boxTitle.Render(), icon, std::move(detail)));
    }
    // A question titled with the dialog's caption; what was said before it
    // goes with it, so that the user sees both in order.
    Answer Ask(const MessageText& text, Icon icon, Buttons buttons, Answer defaultAnswer) {
        if (!asker) return defaultAnswer;
        Question question{text.Render(), title, icon, buttons, defaultAnswer, std::move(messages)};
        messages.clear();
        return asker->Ask(question);
    }
    void SetProgress(int percent) {
        if (observer) observer->SetProgress(percent);
    }
    void SetControlsEnabled(bool enabled) {
        if (observer) observer->SetControlsEnabled(enabled);
    }
    void ShowActivity(const std::string& text) {
        if (observer) observer->ShowActivity(text);
    }
};

// Names what the link is doing for as long as it lives; the activity line
// is empty again afterwards.
class StageScope {
public:
    StageScope(LinkContext& context, std::string text) : ctx_(context), previous_(context.stage) {
        ctx_.stage = std::move(text);
        ctx_.ShowActivity(ctx_.stage);
    }
    ~StageScope() {
        ctx_.stage = previous_;
        ctx_.ShowActivity(ctx_.stage);
    }
    StageScope(const StageScope&) = delete;
    StageScope& operator=(const StageScope&) = delete;

private:
    LinkContext& ctx_;
    std::string previous_;
};

}  // namespace rp770::link
