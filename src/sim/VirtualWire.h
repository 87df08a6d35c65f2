#pragma once
// The simulated radio on a virtual cable, in virtual time: the PC end is a
// SerialPort, time is a Clock that only moves when the link waits, and the
// Pump moves it to the next byte (or one millisecond on) and lets the radio
// act. A ten-second time-out costs microseconds, and a transfer's duration
// on the line is exact.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/Services.h"
#include "link/SerialPort.h"
#include "sim/HalfDuplexLine.h"
#include "sim/SimulatedRadio.h"
#include "sim/UsbAdapter.h"

namespace rp770::sim {

inline constexpr double kIdleStepSeconds = 0.001;

// How the adapter's driver answers the request for low latency an open makes.
enum class AdapterDriver {
    GrantsLowLatency,   // Linux's FTDI driver: the timer goes down to the model's low latency
    RefusesLowLatency,  // the timer stays as it is
    CannotBeAsked,      // Windows: the timer is the driver's setting
};

class VirtualWire : private RadioOutput {
public:
    VirtualWire(SimulatedRadio& radio, int baud = 4800);
    ~VirtualWire() override;
    VirtualWire(const VirtualWire&) = delete;
    VirtualWire& operator=(const VirtualWire&) = delete;

    Clock& GetClock() { return clock_; }
    Pump& GetPump() { return pump_; }
    link::SerialPort& Port() { return port_; }
    SimulatedRadio& Radio() { return radio_; }

    double Now() const { return now_; }
    // Lets everything due up to the given time happen.
    void AdvanceTo(double time);
    // Runs after every pump pass: a test's way to press Cancel at a given point.
    void OnYield(std::function<void()> hook) { hook_ = std::move(hook); }

    // Puts bytes on the line from the radio's end, as if the radio sent them.
    void SendFromRadio(const Bytes& bytes, double delaySeconds = 0) { Transmit(bytes, delaySeconds); }

    // A USB serial adapter between the line and the PC end (none: the bytes
    // reach the PC as they arrive). Set before the port opens.
    void UseAdapter(const AdapterModel& model, AdapterDriver driver = AdapterDriver::GrantsLowLatency,
                    link::HostSystem system = link::HostSystem::Linux);

    // The PC end: make the next opens fail, or pull the device out.
    void FailOpens(std::optional<link::PortError> error) { openFailure_ = std::move(error); }
    void Unplug();

    // What travelled: every byte the PC wrote, every byte the radio sent
    // (echoes not included), in order; and how many writes the PC made.
    const Bytes& SentByPc() const { return sentByPc_; }
    const Bytes& SentByRadio() const { return sentByRadio_; }
    int PcWrites() const { return pcWrites_; }
    double ByteSeconds() const { return line_.ByteSeconds(); }
    // The settings of the last successful open.
    const std::string& LastSettings() const { return settings_; }
    int Opens() const { return opens_; }

private:
    class WireClock : public Clock {
    public:
        explicit WireClock(VirtualWire& wire) : wire_(wire) {}
        double Now() override { return wire_.now_; }
        void Sleep(int milliseconds) override { wire_.AdvanceTo(wire_.now_ + milliseconds / 1000.0); }

    private:
        VirtualWire& wire_;
    };
    class WirePump : public Pump {
    public:
        explicit WirePump(VirtualWire& wire) : wire_(wire) {}
        void Yield() override { wire_.Yield(); }

    private:
        VirtualWire& wire_;
    };
    class WirePort : public link::SerialPort {
    public:
        explicit WirePort(VirtualWire& wire) : wire_(wire) {}
        bool Open(const link::PortAddress& address, const std::string& settings) override;
        void Close() override;
        bool IsOpen() const override { return wire_.open_; }
        std::string Settings() const override { return wire_.open_ ? wire_.settings_ : std::string(); }
        bool Write(const std::vector<uint8_t>& bytes) override;
        int BytesAvailable() override { return static_cast<int>(wire_.received_.size()); }
        int ReadByte() override;
        link::PortError LastError() const override { return wire_.lastError_; }
        link::PortLatency Latency() const override;

    private:
        VirtualWire& wire_;
    };

    void Yield();
    void Echo(uint8_t byte) override;
    void Transmit(const Bytes& bytes, double delaySeconds) override;
    void DeliverToPc(uint8_t byte);

    SimulatedRadio& radio_;
    HalfDuplexLine line_;
    WireClock clock_{*this};
    WirePump pump_{*this};
    WirePort port_{*this};
    double now_ = 0;
    std::function<void()> hook_;

    bool open_ = false;
    bool unplugged_ = false;
    int opens_ = 0;
    std::string settings_;
    std::deque<uint8_t> received_;
    std::optional<link::PortError> openFailure_;
    link::PortError lastError_;

    std::optional<AdapterModel> adapterModel_;
    std::optional<AdapterBuffer> adapter_;
    AdapterDriver adapterDriver_ = AdapterDriver::GrantsLowLatency;
    link::HostSystem adapterSystem_ = link::HostSystem::Linux;

    Bytes sentByPc_;
    Bytes sentByRadio_;
    int pcWrites_ = 0;
};

}  // namespace rp770::sim
