#include "sim/SimulatedRadio.h"

#include <algorithm>

#include "core/MemoryImage.h"
#include "link/Frame.h"
#include "link/LinkCodes.h"

namespace rp770::sim {

using link::BuildFrame;
using link::Hex2;
using link::Hex4;
using link::HexBytes;
using link::ParseHex;
using link::SplitAtTabs;

namespace {
constexpr uint8_t kCR = link::kCR;
constexpr uint8_t kLF = link::kLF;
}  // namespace

SimulatedRadio::SimulatedRadio(Faults faults) : faults_(faults) { SetMemory(FactoryMemory()); }

RadioMemory SimulatedRadio::FactoryMemory() {
    DataSet data;
    data.modelNumber = 1;
    InitImage(data);
    RadioMemory memory{};
    std::copy(data.image.bytes.begin(), data.image.bytes.begin() + kRadioMemorySize, memory.begin());
    return memory;
}

void SimulatedRadio::SetMemory(const RadioMemory& memory) {
    memory_ = memory;
    ApplyModelFaults();
}

void SimulatedRadio::ApplyModelFaults() {
    if (faults_.modelCode) {
        memory_[0] = memory_[kRadioMemorySize - 2] = static_cast<uint8_t>(*faults_.modelCode >> 8);
        memory_[1] = memory_[kRadioMemorySize - 1] = static_cast<uint8_t>(*faults_.modelCode & 0xFF);
    }
    if (faults_.modelCodeTail) {
        memory_[kRadioMemorySize - 2] = static_cast<uint8_t>(*faults_.modelCodeTail >> 8);
        memory_[kRadioMemorySize - 1] = static_cast<uint8_t>(*faults_.modelCodeTail & 0xFF);
    }
}

void SimulatedRadio::Receive(uint8_t byte) {
    ++echoedBytes_;
    if (output_ && !faults_.noEcho && echoedBytes_ != faults_.dropEcho)
        output_->Echo(echoedBytes_ == faults_.corruptEcho ? static_cast<uint8_t>(byte ^ 0x01) : byte);
    if (faults_.off) return;

    if (byte == link::kCAN) {
        ++log_.cans;
        line_.clear();
        Answer(Bytes{link::kACK});
        return;
    }
    if (line_.empty()) {
        if (byte == 'P') {
            ++log_.probes;
            if (!faults_.noProbe) Answer(Bytes{'P'});
            return;
        }
        if (byte == '0' || byte == kCR || byte == kLF) return;  // the probe's confirmation, stray line ends
    }
    if (byte == '#') line_.clear();  // every command starts afresh
    if (byte == kLF) {
        std::string line = line_;
        line_.clear();
        if (!line.empty() && line.back() == static_cast<char>(kCR)) line.pop_back();
        HandleLine(line);
        return;
    }
    line_ += static_cast<char>(byte);
}

void SimulatedRadio::Answer(const Bytes& bytes) {
    if (silent_ || !output_) return;
    Bytes sent;
    for (uint8_t b : bytes) {
        ++sentBytes_;
        if (sentBytes_ == faults_.dropByte) continue;
        sent.push_back(sentBytes_ == faults_.corruptByte ? static_cast<uint8_t>(b ^ 0x01) : b);
    }
    if (!sent.empty()) output_->Transmit(sent, faults_.replyDelay);
}

void SimulatedRadio::Answer(const std::string& text) {
    Bytes bytes(text.begin(), text.end());
    bytes.push_back(kCR);
    bytes.push_back(kLF);
    Answer(bytes);
}

void SimulatedRadio::HandleLine(const std::string& line) {
    log_.lines.push_back(line);
    if (line == "ACMD:002") {
        switch (faults_.acmd) {
            case AcmdAnswer::Ok: return Answer(std::string("OK"));
            case AcmdAnswer::Unknown: return Answer(std::string("#CMDUN"));
            case AcmdAnswer::Error: return Answer(std::string("ERROR"));
            case AcmdAnswer::None: return;
            case AcmdAnswer::Other: return Answer(std::string("NG"));
            case AcmdAnswer::BadLineEnd: return Answer(Bytes{'O', 'K', kCR, kCR});
        }
        return;
    }
    if (line == "#CMDSY") {
        ++log_.syncRequests;
        if (!faults_.syncOnce || log_.syncRequests == 1) Answer(std::string("#CMDOK"));
        return;
    }
    // The PC's own acknowledgements need no answer.
    if (line == "#CMDOK" || line == "#CMDSM" || line == "#CMDER" || line == "#CMDUN") return;
    if (line.rfind("#CEP", 0) == 0) return HandleFrame(line);
    Answer(std::string("ERROR"));
}

void SimulatedRadio::HandleFrame(const std::string& line) {
    // The checksum follows the last TAB; the radio refuses a frame that fails it.
    if (!link::VerifyReply(line) || line.size() < 3 || line[line.size() - 3] != '\t') return Answer(std::string("ERROR"));
    const auto pieces = SplitAtTabs(line);
    const std::string& command = pieces[0];
    auto field = [&pieces](size_t i) { return i + 1 < pieces.size() ? pieces[i] : std::string(); };

    if (command == "#CEPSR") {
        ++log_.statusRequests;
        if (faults_.statusErrors != 0) {
            if (faults_.statusErrors > 0) --faults_.statusErrors;
            return Answer(std::string("ERROR"));
        }
        return AnswerStatus();
    }
    if (command != "#CEPRD" && command != "#CEPWR") return Answer(std::string("ERROR"));

    const int number = ++log_.blockRequests;
    if (faults_.silentFrom > 0 && number >= faults_.silentFrom) silent_ = true;
    if (silent_) return;
    const bool write = command == "#CEPWR";
    (write ? log_.writeRequests : log_.readRequests)++;
    if (faults_.errorAt > 0 && number >= faults_.errorAt && number < faults_.errorAt + faults_.errorTimes)
        return Answer(std::string("ERROR"));

    // Anything malformed or out of range parses as an impossible value.
    constexpr uint32_t kBad = 0x10000;
    const uint32_t address = field(1).size() == 4 ? ParseHex(field(1)).value_or(kBad) : kBad;
    const uint32_t count = field(2).size() == 2 ? ParseHex(field(2)).value_or(kBad) : kBad;
    if (count == 0 || address + count > kRadioMemorySize) return Answer(std::string("ERROR"));
    const int a = static_cast<int>(address);
    const int n = static_cast<int>(count);

    if (!write) {
        log_.blocks.push_back({a, n, false});
        Answer(std::string("#CMDOK"));
        return AnswerRead(a, n);
    }
    const std::string data = field(3);
    if (data.size() != static_cast<size_t>(n) * 2) return Answer(std::string("ERROR"));
    Bytes bytes;
    for (int i = 0; i < n; ++i) {
        const auto value = ParseHex(std::string_view(data).substr(static_cast<size_t>(i) * 2, 2));
        if (!value) return Answer(std::string("ERROR"));
        bytes.push_back(static_cast<uint8_t>(*value));
    }
    for (int i = 0; i < n; ++i)
        if (std::find(faults_.keep.begin(), faults_.keep.end(), a + i) == faults_.keep.end())
            memory_[static_cast<size_t>(a + i)] = bytes[static_cast<size_t>(i)];
    log_.blocks.push_back({a, n, true});
    Answer(std::string("#CMDOK"));
}

void SimulatedRadio::AnswerStatus() {
    Answer(std::string("#CMDOK"));
    std::string status = "00";
    if (faults_.busyReplies != 0) {
        if (faults_.busyReplies > 0) --faults_.busyReplies;
        status = "01";
    }
    Bytes frame = BuildFrame("#CEPSD", status, "", "");
    if (faults_.statusChecksum) frame[frame.size() - 3] ^= 0x01;
    Answer(frame);
}

void SimulatedRadio::AnswerRead(int address, int count) {
    const int number = log_.blockRequests;
    int repliedAddress = address;
    int repliedCount = count;
    std::string data = HexBytes(memory_.data() + address, static_cast<size_t>(count));
    if (number == faults_.addressAt) repliedAddress ^= 0x10;
    if (number == faults_.countAt) repliedCount += 1;
    if (number == faults_.lengthAt) data.resize(data.size() - 2);
    const char* header = number == faults_.headerAt ? "#CEPDX" : "#CEPDT";
    Bytes frame = BuildFrame(header, Hex4(static_cast<unsigned>(repliedAddress)), Hex2(static_cast<unsigned>(repliedCount)), data);
    if (number == faults_.checksumAt) frame[frame.size() - 3] ^= 0x01;
    Answer(frame);
}

}  // namespace rp770::sim
