#pragma once
// What a fleet does with each radio, on the radio's own session (its link
// set, its port chosen): programming the plan with the radio's own ATIS
// code (the check before programming first, then the programming, verified
// by reading back), or reading the radio into a file of its own. The
// session's outcomes decide the radio's result; nothing is shown here.
// Plain C++.

#include <string>

#include "fleet/RadioReport.h"
#include "fleet/SafeFileName.h"
#include "session/AppSession.h"

namespace rp770::fleet {

// `plan`: the plan file's bytes, `planName` its name (how its kind is told).
// `backup`: the radio's memory is read and kept first (the session's
// keeper); a radio whose memory could not be kept is left untouched.
RadioReport ProgramRadio(AppSession& session, const std::string& plan, const std::string& planName,
                         const RosterEntry& radio, bool backup = false);

// Reads the radio into `folder`/VESSEL-ATIS.dat (the code the radio holds,
// else the roster's; names made safe and unique in the run).
RadioReport ReadRadio(AppSession& session, const RosterEntry& radio, const std::string& folder, NameClaims& names);

}  // namespace rp770::fleet
