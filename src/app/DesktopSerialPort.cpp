#include "app/DesktopSerialPort.h"

#include <algorithm>

#include "data/FactoryImage.h"
#include "desktop/SystemSerialPort.h"
#include "sim/LiveRadioPort.h"
#include "sim/SimulatedRadio.h"

namespace rp770::app {

DesktopSerialPort::DesktopSerialPort(Clock& clock)
    : clock_(clock), real_(std::make_unique<platform::SystemSerialPort>()), current_(real_.get()) {}

DesktopSerialPort::~DesktopSerialPort() = default;

sim::SimulatedRadio& DesktopSerialPort::Radio() {
    if (!radio_) {
        // A radio as it leaves the factory for the USA, so that a first read
        // shows channels to look at.
        radio_ = std::make_unique<sim::SimulatedRadio>();
        const MemoryImage image = MakeFactoryImage(PlanUSA);
        sim::RadioMemory memory{};
        std::copy_n(image.bytes.begin(), memory.size(), memory.begin());
        radio_->SetMemory(memory);
        simulated_ = std::make_unique<sim::LiveRadioPort>(*radio_, clock_);
    }
    return *radio_;
}

link::SerialPort& DesktopSerialPort::Current() const { return *current_; }

bool DesktopSerialPort::Open(const link::PortAddress& address, const std::string& settings) {
    if (current_->IsOpen()) current_->Close();
    if (address.device == link::kSimulatedRadioDevice) {
        Radio();
        current_ = simulated_.get();
    } else {
        current_ = real_.get();
    }
    return current_->Open(address, settings);
}

void DesktopSerialPort::Close() { current_->Close(); }
bool DesktopSerialPort::IsOpen() const { return current_->IsOpen(); }
std::string DesktopSerialPort::Settings() const { return current_->Settings(); }
bool DesktopSerialPort::Write(const std::vector<uint8_t>& bytes) { return current_->Write(bytes); }
int DesktopSerialPort::BytesAvailable() { return current_->BytesAvailable(); }
int DesktopSerialPort::ReadByte() { return current_->ReadByte(); }
link::PortError DesktopSerialPort::LastError() const { return current_->LastError(); }
link::PortLatency DesktopSerialPort::Latency() const { return current_->Latency(); }

}  // namespace rp770::app
