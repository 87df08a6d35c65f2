#pragma once
// The radio at the far end of the stand-in cable that web/standin-serial.js
// plays: the simulated radio on a half-duplex line at 4800 baud (ten bits a
// byte), in the page's real time. JavaScript hands it what the PC wrote and
// when, and takes what has reached the PC's end by a given time. The line
// keeps its own schedule: a late caller receives the bytes late, but the
// radio answers when the line says it heard the request.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sim/HalfDuplexLine.h"
#include "sim/SimulatedRadio.h"

#include "sim/Faults.h"

namespace rp770::web {

// Fault names separated by spaces ("busy=2 silent-from=10"), as the command
// line's simulator takes them. Empty when every name was understood, else
// why not.
std::string ParseFaultNames(const std::string& names, sim::Faults& faults);

inline constexpr int kStandInBaud = 4800;

class StandInRadio : private sim::RadioOutput {
public:
    StandInRadio();
    ~StandInRadio() override;
    StandInRadio(const StandInRadio&) = delete;
    StandInRadio& operator=(const StandInRadio&) = delete;

    // The faults named ("busy=2 silent-from=10", separated by spaces) from
    // now on, the memory kept. Empty when every name was understood, else
    // why not (and the faults stay as they were).
    std::string SetFaults(const std::string& names);

    // Bytes the PC wrote at `now` (seconds, the page's clock).
    void Write(const std::vector<uint8_t>& bytes, double now);
    // Every byte that has reached the PC's end by `now`, in order.
    std::vector<uint8_t> Take(double now);
    // When the next byte reaches either end; negative when none is on its way.
    double NextArrival() const;
    // The cable pulled out: whatever is on the line is lost, and what the
    // radio had heard of a command.
    void Unplug();

    std::vector<uint8_t> Memory() const;
    // False unless the bytes are a whole memory (1024 bytes).
    bool SetMemory(const std::vector<uint8_t>& bytes);
    const sim::RadioLog& Log() const { return radio_->Log(); }
    // Bytes the line has carried from each end since it was last plugged in.
    uint64_t Carried(sim::Side from) const { return line_.Carried(from); }

private:
    void Echo(uint8_t byte) override;
    void Transmit(const sim::Bytes& bytes, double delaySeconds) override;
    void Replace(const sim::Faults& faults);

    std::unique_ptr<sim::SimulatedRadio> radio_;
    sim::HalfDuplexLine line_{kStandInBaud};
    double lineTime_ = 0;  // the time of the byte the radio is handling
    std::vector<uint8_t> toPc_;
};

}  // namespace rp770::web
