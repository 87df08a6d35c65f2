#include "sim/VirtualWire.h"

#include "link/LineSettings.h"
#include "messages/MessageText.h"

namespace rp770::sim {

VirtualWire::VirtualWire(SimulatedRadio& radio, int baud) : radio_(radio), line_(baud) { radio_.Connect(this); }

VirtualWire::~VirtualWire() { radio_.Connect(nullptr); }

void VirtualWire::AdvanceTo(double time) {
    for (;;) {
        // The adapter's hand-overs and the line's arrivals, in time order.
        const auto handOver = adapter_ ? adapter_->NextRelease() : std::nullopt;
        const auto arrival = line_.NextTime();
        if (handOver && *handOver <= time && (!arrival || *handOver <= *arrival)) {
            if (*handOver > now_) now_ = *handOver;
            adapter_->ReleaseUpTo(*handOver, received_);
            continue;
        }
        LineEvent event;
        if (!line_.PopArrived(time, event)) break;
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
    if (adapter_)
        if (const auto next = adapter_->NextRelease(); next && *next < target) target = *next;
    AdvanceTo(target);
    if (hook_) hook_();
}

void VirtualWire::UseAdapter(const AdapterModel& model, AdapterDriver driver, link::HostSystem system) {
    adapterModel_ = model;
    adapter_.emplace(model.latencySeconds, model.packetBytes);
    adapterDriver_ = driver;
    adapterSystem_ = system;
}

link::PortLatency VirtualWire::WirePort::Latency() const {
    const VirtualWire& w = wire_;
    link::PortLatency latency;
    if (!w.adapterModel_) return latency;
    latency.system = w.adapterSystem_;
    latency.usbAdapter = true;
    latency.device = w.adapterModel_->name;
    latency.latencyTimerMs = static_cast<int>(w.adapter_->Latency() * 1000 + 0.5);
    if (w.adapterDriver_ == AdapterDriver::CannotBeAsked)
        latency.lowLatency = link::LowLatency::CannotAsk;
    else if (w.adapterModel_->lowLatencySeconds <= 0)
        latency.lowLatency = link::LowLatency::NotOffered;
    else
        latency.lowLatency = w.adapterDriver_ == AdapterDriver::GrantsLowLatency ? link::LowLatency::Granted
                                                                                 : link::LowLatency::Refused;
    if (latency.lowLatency == link::LowLatency::NotOffered || latency.lowLatency == link::LowLatency::CannotAsk)
        latency.latencyTimerMs.reset();  // the system does not say
    return latency;
}

void VirtualWire::Echo(uint8_t byte) { DeliverToPc(byte); }

void VirtualWire::Transmit(const Bytes& bytes, double delaySeconds) {
    sentByRadio_.insert(sentByRadio_.end(), bytes.begin(), bytes.end());
    line_.Send(Side::Radio, now_, bytes, delaySeconds);
}

void VirtualWire::DeliverToPc(uint8_t byte) {
    // A closed port hears nothing.
    if (!open_) return;
    if (adapter_)
        adapter_->Arrive(now_, byte);
    else
        received_.push_back(byte);
}

void VirtualWire::Unplug() {
    unplugged_ = true;
    open_ = false;
    received_.clear();
    if (adapter_) adapter_->Clear();
    lastError_ = {9, Words(MessageId::PortDeviceRemoved)};
}

bool VirtualWire::WirePort::Open(const link::PortAddress&, const std::string& settings) {
    VirtualWire& w = wire_;
    if (w.openFailure_) {
        w.lastError_ = *w.openFailure_;
        return false;
    }
    if (w.unplugged_) {
        w.lastError_ = {1, Words(MessageId::PortNoSuchDevice)};
        return false;
    }
    if (w.open_) {
        w.lastError_ = {2, Words(MessageId::PortAlreadyOpen)};
        return false;
    }
    if (!link::ParseLineSettings(settings)) {
        w.lastError_ = {4, Words(MessageId::PortUnsupportedSettings)};
        return false;
    }
    w.open_ = true;
    w.settings_ = settings;
    ++w.opens_;
    // The open asks the adapter's driver for low latency.
    if (w.adapter_) {
        const bool granted = w.adapterModel_->lowLatencySeconds > 0 && w.adapterDriver_ == AdapterDriver::GrantsLowLatency;
        w.adapter_->SetLatency(granted ? w.adapterModel_->lowLatencySeconds : w.adapterModel_->latencySeconds);
    }
    return true;
}

void VirtualWire::WirePort::Close() {
    wire_.open_ = false;
    wire_.received_.clear();
    if (wire_.adapter_) wire_.adapter_->Clear();
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
