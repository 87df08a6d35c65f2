#pragma once
// The simulated radio behind a pseudo-terminal, so that a real serial stack
// can talk to it: the terminal's device path is the port to open. Bytes
// travel at the given baud rate in real time (the terminal itself ignores
// baud rates). POSIX only.

#include <functional>
#include <string>

#include "sim/HalfDuplexLine.h"
#include "sim/SimulatedRadio.h"

namespace rp770::sim {

class PtyRadio : private RadioOutput {
public:
    PtyRadio(SimulatedRadio& radio, int baud);
    ~PtyRadio() override;
    PtyRadio(const PtyRadio&) = delete;
    PtyRadio& operator=(const PtyRadio&) = delete;

    // Creates the terminal. False, with a reason, when none can be had.
    bool Open(std::string& error);
    const std::string& DevicePath() const { return path_; }
    // Serves until stop() says so; stop() is asked at least every 20 ms.
    void Serve(const std::function<bool()>& stop);

private:
    double Now() const;
    void Echo(uint8_t byte) override;
    void Transmit(const Bytes& bytes, double delaySeconds) override;
    void WriteOut(const uint8_t* bytes, size_t count);
    void CloseAll();

    SimulatedRadio& radio_;
    HalfDuplexLine line_;
    int master_ = -1;
    int slave_ = -1;  // held open so the terminal survives the client closing it
    std::string path_;
};

}  // namespace rp770::sim
