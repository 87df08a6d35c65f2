#include "sim/VirtualWire.h"

#include "link/LineSettings.h"

namespace rp770::sim {

VirtualWire::VirtualWire(SimulatedRadio& radio, int baud) : radio_(radio), line_(baud) { radio_.Connect(this); }

VirtualWire::~VirtualWire() { radio_.Connect(nullptr); }

void VirtualWire::AdvanceTo(double time) {
    LineEvent event;
    while (line_.PopArrived(time, event)) {
        if (event.time > now_) now_ = event.time;
        if (event.from == Side::Pc)
            radio_.Receive(event.byte);
        else
            DeliverToPc(event.byte);
    }
    if (time > now_) now_ = time;
}

void VirtualWire::Yield() {
    double target = now_ + kIdleStepSeconds;
    if (const auto next = line_.NextTime(); next && *next < target) target = *next;
    AdvanceTo(target);
    if (hook_) hook_();
}

void VirtualWire::Echo(uint8_t byte) { DeliverToPc(byte); }

void VirtualWire::Transmit(const Bytes& bytes, double delaySeconds) {
    sentByRadio_.insert(sentByRadio_.end(), bytes.begin(), bytes.end());
    line_.Send(Side::Radio, now_, bytes, delaySeconds);
}

void VirtualWire::DeliverToPc(uint8_t byte) {
    // A closed port hears nothing.
    if (open_) received_.push_back(byte);
}

void VirtualWire::Unplug() {
    unplugged_ = true;
    open_ = false;
    received_.clear();
    lastError_ = {9, "the device was removed"};
}

bool VirtualWire::WirePort::Open(const link::PortAddress&, const std::string& settings) {
    VirtualWire& w = wire_;
    if (w.openFailure_) {
        w.lastError_ = *w.openFailure_;
        return false;
    }
    if (w.unplugged_) {
        w.lastError_ = {1, "no such device"};
        return false;
    }
    if (w.open_) {
        w.lastError_ = {2, "the port is already open"};
        return false;
    }
    if (!link::ParseLineSettings(settings)) {
        w.lastError_ = {4, "unsupported line settings"};
        return false;
    }
    w.open_ = true;
    w.settings_ = settings;
    ++w.opens_;
    return true;
}

void VirtualWire::WirePort::Close() {
    wire_.open_ = false;
    wire_.received_.clear();
}

bool VirtualWire::WirePort::Write(const std::vector<uint8_t>& bytes) {
    VirtualWire& w = wire_;
    if (!w.open_) return false;
    ++w.pcWrites_;
    w.sentByPc_.insert(w.sentByPc_.end(), bytes.begin(), bytes.end());
    w.line_.Send(Side::Pc, w.now_, bytes);
    return true;
}

int VirtualWire::WirePort::ReadByte() {
    VirtualWire& w = wire_;
    if (w.received_.empty()) return -1;
    const int b = w.received_.front();
    w.received_.pop_front();
    return b;
}

}  // namespace rp770::sim
