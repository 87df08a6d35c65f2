#include "web/StandInRadio.h"

#include <algorithm>

namespace rp770::web {

std::string ParseFaultNames(const std::string& names, sim::Faults& faults) {
    size_t at = 0;
    while ((at = names.find_first_not_of(' ', at)) != std::string::npos) {
        const size_t end = std::min(names.find(' ', at), names.size());
        std::string error;
        if (!sim::ApplyFault(faults, std::string_view(names).substr(at, end - at), error)) return error;
        at = end;
    }
    return {};
}

StandInRadio::StandInRadio() { Replace(sim::Faults{}); }

StandInRadio::~StandInRadio() { radio_->Connect(nullptr); }

void StandInRadio::Replace(const sim::Faults& faults) {
    auto next = std::make_unique<sim::SimulatedRadio>(faults);
    if (radio_) {
        next->SetMemory(radio_->Memory());
        radio_->Connect(nullptr);
    }
    radio_ = std::move(next);
    radio_->Connect(this);
}

std::string StandInRadio::SetFaults(const std::string& names) {
    sim::Faults faults;
    std::string error = ParseFaultNames(names, faults);
    if (error.empty()) Replace(faults);
    return error;
}

void StandInRadio::Write(const std::vector<uint8_t>& bytes, double now) {
    Take(now);  // what the line carried before these bytes joined it
    line_.Send(sim::Side::Pc, now, bytes);
}

std::vector<uint8_t> StandInRadio::Take(double now) {
    sim::LineEvent event;
    while (line_.PopArrived(now, event)) {
        lineTime_ = event.time;
        if (event.from == sim::Side::Pc)
            radio_->Receive(event.byte);
        else
            toPc_.push_back(event.byte);
    }
    std::vector<uint8_t> taken;
    taken.swap(toPc_);
    return taken;
}

double StandInRadio::NextArrival() const { return line_.NextTime().value_or(-1.0); }

void StandInRadio::Unplug() {
    line_ = sim::HalfDuplexLine(kStandInBaud);
    toPc_.clear();
    // Nor does the radio keep the half of a command it heard: the next
    // probe finds it ready, as when it is switched on again.
    Replace(radio_->CurrentFaults());
}

std::vector<uint8_t> StandInRadio::Memory() const { return {radio_->Memory().begin(), radio_->Memory().end()}; }

bool StandInRadio::SetMemory(const std::vector<uint8_t>& bytes) {
    if (bytes.size() != sim::kRadioMemorySize) return false;
    sim::RadioMemory memory{};
    std::copy(bytes.begin(), bytes.end(), memory.begin());
    radio_->SetMemory(memory);
    return true;
}

// The echo is the line's own loop: it is back at the PC's end the moment the
// radio hears the byte.
void StandInRadio::Echo(uint8_t byte) { toPc_.push_back(byte); }

void StandInRadio::Transmit(const sim::Bytes& bytes, double delaySeconds) {
    line_.Send(sim::Side::Radio, lineTime_, bytes, delaySeconds);
}

}  // namespace rp770::web
