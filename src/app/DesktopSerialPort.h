#pragma once
// The serial port the window uses: the real port the user picked, or the
// simulated radio ("Simulated radio" in the SerialPort menu, device "sim"),
// which answers in real time as a radio on the cable would.

#include <memory>

#include "core/Services.h"
#include "link/SerialPort.h"

namespace rp770::sim {
class SimulatedRadio;
class LiveRadioPort;
}  // namespace rp770::sim

namespace rp770::platform {
class SystemSerialPort;
}  // namespace rp770::platform

namespace rp770::app {

class DesktopSerialPort : public link::SerialPort {
public:
    explicit DesktopSerialPort(Clock& clock);
    ~DesktopSerialPort() override;

    bool Open(const link::PortAddress& address, const std::string& settings) override;
    void Close() override;
    bool IsOpen() const override;
    std::string Settings() const override;
    bool Write(const std::vector<uint8_t>& bytes) override;
    int BytesAvailable() override;
    int ReadByte() override;
    link::PortError LastError() const override;
    link::PortLatency Latency() const override;

    // The simulated radio (created on first use); it keeps what was
    // programmed into it for as long as the program runs.
    sim::SimulatedRadio& Radio();

private:
    link::SerialPort& Current() const;

    Clock& clock_;
    std::unique_ptr<platform::SystemSerialPort> real_;
    std::unique_ptr<sim::SimulatedRadio> radio_;
    std::unique_ptr<sim::LiveRadioPort> simulated_;
    link::SerialPort* current_;
};

}  // namespace rp770::app
