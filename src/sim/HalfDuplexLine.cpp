#include "sim/HalfDuplexLine.h"

#include <algorithm>

namespace rp770::sim {

HalfDuplexLine::HalfDuplexLine(int baud) : byteSeconds_(10.0 / std::max(baud, 1)) {}

void HalfDuplexLine::Send(Side from, double now, const std::vector<uint8_t>& bytes, double delaySeconds) {
    double start = std::max(freeAt_, now + delaySeconds);
    for (uint8_t b : bytes) {
        start += byteSeconds_;
        inFlight_.push_back({start, from, b});
    }
    freeAt_ = start;
    (from == Side::Pc ? fromPc_ : fromRadio_) += bytes.size();
}

std::optional<double> HalfDuplexLine::NextTime() const {
    if (inFlight_.empty()) return std::nullopt;
    return inFlight_.front().time;
}

bool HalfDuplexLine::PopArrived(double upTo, LineEvent& event) {
    if (inFlight_.empty() || inFlight_.front().time > upTo) return false;
    event = inFlight_.front();
    inFlight_.pop_front();
    return true;
}

}  // namespace rp770::sim
