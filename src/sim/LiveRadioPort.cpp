#include "sim/LiveRadioPort.h"

#include "link/LineSettings.h"
#include "messages/MessageText.h"

namespace rp770::sim {

LiveRadioPort::LiveRadioPort(SimulatedRadio& radio, Clock& clock, int baud)
    : radio_(radio), clock_(clock), line_(baud) {
    radio_.Connect(this);
}

LiveRadioPort::~LiveRadioPort() { radio_.Connect(nullptr); }

bool LiveRadioPort::Open(const link::PortAddress&, const std::string& settings) {
    if (open_) {
        lastError_ = {2, Words(MessageId::PortAlreadyOpen)};
        return false;
    }
    if (!link::ParseLineSettings(settings)) {
        lastError_ = {4, Words(MessageId::PortUnsupportedSettings)};
        return false;
    }
    open_ = true;
    settings_ = settings;
    received_.clear();
    return true;
}

void LiveRadioPort::Close() {
    open_ = false;
    received_.clear();
}

bool LiveRadioPort::Write(const std::vector<uint8_t>& bytes) {
    if (!open_) return false;
    line_.Send(Side::Pc, clock_.Now(), bytes);
    return true;
}

void LiveRadioPort::Deliver() {
    LineEvent event;
    while (line_.PopArrived(clock_.Now(), event)) {
        if (event.from == Side::Pc)
            radio_.Receive(event.byte);
        else if (open_)
            received_.push_back(event.byte);
    }
}

int LiveRadioPort::BytesAvailable() {
    Deliver();
    if (received_.empty()) {
        // Nothing yet: wait a moment for the line instead of spinning, as a
        // serial driver would.
        clock_.Sleep(1);
        Deliver();
    }
    return static_cast<int>(received_.size());
}

int LiveRadioPort::ReadByte() {
    Deliver();
    if (received_.empty()) return -1;
    const int b = received_.front();
    received_.pop_front();
    return b;
}

void LiveRadioPort::Echo(uint8_t byte) {
    if (open_) received_.push_back(byte);
}

void LiveRadioPort::Transmit(const Bytes& bytes, double delaySeconds) {
    line_.Send(Side::Radio, clock_.Now(), bytes, delaySeconds);
}

}  // namespace rp770::sim
