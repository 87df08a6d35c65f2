#pragma once
// A stand-in for the radio in PC-control mode: it echoes every byte it
// receives, answers the probe, "ACMD:002", "#CMDSY", the status request, the
// block read and the block write over a 1 KB memory, and answers CAN with
// ACK. Faults make it misbehave in the ways the link must survive.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/Faults.h"

namespace rp770::sim {

using Bytes = std::vector<uint8_t>;
inline constexpr int kRadioMemorySize = 1024;
using RadioMemory = std::array<uint8_t, kRadioMemorySize>;

// Where the radio's bytes go: the echo comes back at once (it is the line's
// own loop), answers travel the line after a delay in seconds.
class RadioOutput {
public:
    virtual ~RadioOutput() = default;
    virtual void Echo(uint8_t byte) = 0;
    virtual void Transmit(const Bytes& bytes, double delaySeconds) = 0;
};

// What the radio has seen, for tests and for the simulator's own report.
struct RadioLog {
    std::vector<std::string> lines;  // every line received, without CR LF
    int probes = 0;
    int cans = 0;
    int syncRequests = 0;
    int statusRequests = 0;
    int blockRequests = 0;  // reads and writes
    int readRequests = 0;
    int writeRequests = 0;
    struct Block {
        int address;
        int count;
        bool write;
    };
    std::vector<Block> blocks;  // every accepted block request, in order
};

class SimulatedRadio {
public:
    explicit SimulatedRadio(Faults faults = {});

    void Connect(RadioOutput* output) { output_ = output; }
    // One byte from the PC.
    void Receive(uint8_t byte);

    const RadioMemory& Memory() const { return memory_; }
    // Replaces the memory; the model-code faults are applied on top.
    void SetMemory(const RadioMemory& memory);
    const RadioLog& Log() const { return log_; }
    const Faults& CurrentFaults() const { return faults_; }

    // The memory a radio leaves the factory with.
    static RadioMemory FactoryMemory();

private:
    void HandleLine(const std::string& line);
    void HandleFrame(const std::string& line);
    void AnswerStatus();
    void AnswerRead(int address, int count);
    void Answer(const Bytes& bytes);
    void Answer(const std::string& text);  // followed by CR LF
    void ApplyModelFaults();

    Faults faults_;
    RadioMemory memory_{};
    RadioOutput* output_ = nullptr;
    RadioLog log_;
    std::string line_;
    bool silent_ = false;
    int sentBytes_ = 0;
    int echoedBytes_ = 0;
};

}  // namespace rp770::sim
