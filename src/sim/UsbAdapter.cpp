#include "sim/UsbAdapter.h"

#include <cmath>

namespace rp770::sim {

AdapterModel FtdiAdapter() { return {"FTDI", 0.016, 62, 0.001}; }
AdapterModel Ch340Adapter() { return {"CH340", 0.001, 32, 0}; }
AdapterModel Cp210xAdapter() { return {"CP210x", 0.001, 64, 0}; }

AdapterBuffer::AdapterBuffer(double latencySeconds, int packetBytes)
    : latency_(latencySeconds), packetBytes_(packetBytes > 0 ? packetBytes : 1) {}

double AdapterBuffer::TimerExpiryAfter(double time) const {
    // The first expiry strictly after `time`; a hair's tolerance keeps
    // rounding from skipping one.
    const double periods = std::floor((time - timerStart_) / latency_ + 1e-9) + 1;
    return timerStart_ + periods * latency_;
}

void AdapterBuffer::Send(double time) {
    for (uint8_t b : waiting_) sent_.emplace_back(time, b);
    waiting_.clear();
}

void AdapterBuffer::Arrive(double time, uint8_t byte) {
    if (!waiting_.empty() && release_ <= time) Send(release_);
    if (waiting_.empty()) release_ = TimerExpiryAfter(time);
    waiting_.push_back(byte);
    if (static_cast<int>(waiting_.size()) >= packetBytes_) {
        // A full packet goes at once and restarts the timer.
        Send(time);
        timerStart_ = time;
    }
}

std::optional<double> AdapterBuffer::NextRelease() const {
    if (!sent_.empty()) return sent_.front().first;
    if (!waiting_.empty()) return release_;
    return std::nullopt;
}

void AdapterBuffer::ReleaseUpTo(double time, std::deque<uint8_t>& host) {
    if (!waiting_.empty() && release_ <= time) Send(release_);
    while (!sent_.empty() && sent_.front().first <= time) {
        host.push_back(sent_.front().second);
        sent_.pop_front();
    }
}

void AdapterBuffer::Clear() {
    waiting_.clear();
    sent_.clear();
}

}  // namespace rp770::sim
