#pragma once
// The questions of a radio in a fleet, which nobody is there to answer (many
// radios at once): with --yes each is answered yes, at most three times
// the same question (a radio that stays busy cannot keep the fleet waiting
// for ever), else each takes its default answer. Every question is kept,
// for the radio's line. Plain C++.

#include <map>
#include <string>
#include <vector>

#include "core/Outcome.h"

namespace rp770::fleet {

inline constexpr int kUnattendedYes = 3;

class UnattendedAsker : public Asker {
public:
    explicit UnattendedAsker(bool yes) : yes_(yes) {}
    Answer Ask(const Question& question) override;
    const std::vector<std::string>& Asked() const { return asked_; }

private:
    bool yes_;
    std::map<std::string, int> yesSaid_;  // per question text
    std::vector<std::string> asked_;
};

}  // namespace rp770::fleet
