#pragma once
// Many radios at once: each on a thread of its own, with its own session
// and link (what `work` makes), sharing nothing but what `work` reads; each
// radio's report handed to `finished` as it comes, one at a time. One
// radio's failure stops no other. Plain C++.

#include <functional>
#include <vector>

#include "fleet/RadioReport.h"

namespace rp770::fleet {

using RadioWork = std::function<RadioReport(const RosterEntry&)>;

// The reports in the roster's order, once every radio has finished.
std::vector<RadioReport> RunFleet(const std::vector<RosterEntry>& radios, const RadioWork& work,
                                  const std::function<void(const RadioReport&)>& finished);

}  // namespace rp770::fleet
