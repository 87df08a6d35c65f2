#pragma once
// The radio link on the scripted radio, as the transfer dialog drives it:
// synchronise, then read or program.

#include "link/RadioLink.h"
#include "support/ScriptedRadio.h"

namespace rp770::fuzz {

struct ScriptedLink {
    ScriptedLink(const uint8_t* bytes, size_t size, const char* title)
        : script(ParseScript(bytes, size)), radio(script), user(script.questionAnswers), asker(user),
          link(radio, radio, radio, &asker) {
        link.SetTitle(title);
        link.State().NoEchoMode = script.NoEchoSwitch();
        radio.OnCancel([this] { link.State().CancelRequested = true; });
    }
    // The user has seen the questions as they came; now what the link said.
    void ShowMessages() { rp770::ShowMessages(user, link.TakeMessages()); }

    Script script;
    ScriptedRadio radio;
    ScriptedUser user;
    PrompterAsker asker;
    link::RadioLink link;
};

}  // namespace rp770::fuzz
