#pragma once
// The messages the screens show for what the engine tells them.

#include <string>

#include "core/Outcome.h"
#include "workspace/Edits.h"

namespace rp770::presentation {

// A refused edit: its text, with the rule it broke under it, as a warning.
Message RefusalMessage(const Refusal& refusal);

// A comparison that found nothing: "No differences: the data on screen are
// the same as boat.dat."
Message NoDifferencesMessage(const std::string& otherName, const std::string& title);

}  // namespace rp770::presentation
