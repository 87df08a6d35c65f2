#pragma once
// The simulated radio behind a serial port that runs in real time: what a
// user without a radio picks as "Simulated radio". Bytes travel the line at
// its baud rate against the injected clock, so reading and programming take
// as long as they would on the cable.

#include <deque>
#include <string>

#include "core/Services.h"
#include "link/SerialPort.h"
#include "sim/HalfDuplexLine.h"
#include "sim/SimulatedRadio.h"

namespace rp770::sim {

class LiveRadioPort : public link::SerialPort, private RadioOutput {
public:
    LiveRadioPort(SimulatedRadio& radio, Clock& clock, int baud = 4800);
    ~LiveRadioPort() override;
    LiveRadioPort(const LiveRadioPort&) = delete;
    LiveRadioPort& operator=(const LiveRadioPort&) = delete;

    bool Open(const link::PortAddress& address, const std::string& settings) override;
    void Close() override;
    bool IsOpen() const override { return open_; }
    std::string Settings() const override { return open_ ? settings_ : std::string(); }
    bool Write(const std::vector<uint8_t>& bytes) override;
    int BytesAvailable() override;
    int ReadByte() override;
    link::PortError LastError() const override { return lastError_; }

private:
    void Deliver();  // everything that has arrived by now
    void Echo(uint8_t byte) override;
    void Transmit(const Bytes& bytes, double delaySeconds) override;

    SimulatedRadio& radio_;
    Clock& clock_;
    HalfDuplexLine line_;
    bool open_ = false;
    std::string settings_;
    std::deque<uint8_t> received_;
    link::PortError lastError_;
};

}  // namespace rp770::sim
