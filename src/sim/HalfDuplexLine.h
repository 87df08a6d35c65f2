#pragma once
// The cable's line: one byte at a time in either direction, ten bits a byte
// at the given baud rate. A byte handed to the line arrives when the line has
// carried it; bytes queued from both ends go out one after the other.

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace rp770::sim {

enum class Side { Pc, Radio };

struct LineEvent {
    double time = 0;  // when the byte has arrived at the other end
    Side from = Side::Pc;
    uint8_t byte = 0;
};

class HalfDuplexLine {
public:
    explicit HalfDuplexLine(int baud);

    double ByteSeconds() const { return byteSeconds_; }
    // Queues the bytes, the first starting no earlier than now + delay.
    void Send(Side from, double now, const std::vector<uint8_t>& bytes, double delaySeconds = 0);
    // The arrival time of the next byte, if any is on its way.
    std::optional<double> NextTime() const;
    // Takes the next byte that has arrived by the given time.
    bool PopArrived(double upTo, LineEvent& event);
    // Bytes the line has been given from each side.
    uint64_t Carried(Side from) const { return from == Side::Pc ? fromPc_ : fromRadio_; }

private:
    double byteSeconds_;
    double freeAt_ = 0;
    std::deque<LineEvent> inFlight_;  // in arrival order
    uint64_t fromPc_ = 0;
    uint64_t fromRadio_ = 0;
};

}  // namespace rp770::sim
