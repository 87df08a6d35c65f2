#include "fleet/UnattendedAsker.h"

namespace rp770::fleet {

Answer UnattendedAsker::Ask(const Question& q) {
    asked_.push_back(q.text);
    if (!yes_ || ++yesSaid_[q.text] > kUnattendedYes) return q.defaultAnswer;
    switch (q.buttons) {
        case Buttons::RetryCancel: return Answer::Retry;
        case Buttons::YesNo:
        case Buttons::YesNoCancel: return Answer::Yes;
        default: return Answer::Ok;
    }
}

}  // namespace rp770::fleet
