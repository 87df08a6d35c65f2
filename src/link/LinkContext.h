#pragma once
// What every piece of the radio link shares: the injected services, the
// link's state, the dialog's observer and caption.

#include <string>

#include "core/Services.h"
#include "link/SerialPort.h"
#include "link/TransferEngine.h"

namespace rp770::link {

struct LinkContext {
    LinkContext(SerialPort& serialPort, Clock& clockService, Pump& pumpService, Prompter& prompterService)
        : port(serialPort), clock(clockService), pump(pumpService), prompter(prompterService) {}

    SerialPort& port;
    Clock& clock;
    Pump& pump;
    Prompter& prompter;
    LinkState state;
    TransferObserver* observer = nullptr;
    std::string title;  // the dialog's caption, title of most message boxes

    // A message box titled with the dialog's caption.
    void Tell(const std::string& text, Icon icon = Icon::Critical) { prompter.Message(text, title, icon); }
    void SetProgress(int percent) {
        if (observer) observer->SetProgress(percent);
    }
    void SetControlsEnabled(bool enabled) {
        if (observer) observer->SetControlsEnabled(enabled);
    }
};

}  // namespace rp770::link
