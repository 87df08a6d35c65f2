#pragma once
// Reading the radio's memory: the block read ("#CEPRD", answered by
// "#CMDOK" and a "#CEPDT" data reply), the model check every transfer runs
// first, the loop over the whole memory, and the rule by which a complete
// read replaces the memory image.

#include <cstdint>
#include <vector>

#include "core/Model.h"
#include "link/Handshake.h"
#include "link/LinkContext.h"
#include "link/LinkPort.h"

namespace rp770::link {

using Buffer = std::vector<uint8_t>;

inline constexpr int kBlockSize = 16;
inline constexpr int kPhaseEndPauseMs = 500;

class RadioReader {
public:
    RadioReader(LinkContext& context, LinkPort& port, Handshake& handshake)
        : ctx_(context), port_(port), handshake_(handshake) {}

    // count bytes at address into buffer[address...], with retries. CommError
    // is false afterwards only when the block arrived and passed every check.
    void ReadBlock(Buffer& buffer, int address, int count);
    void ReceiveDataReply(Buffer& buffer, int address, int count);
    // Leaves CommError true when the radio must not be used: its model code
    // (both copies) must be the supported model's, and so must the data set's.
    void ReadDataChkModel(const DataSet& data);
    // The whole used memory into the buffer (indices 0 to its upper bound).
    void ReadData(Buffer& buffer);
    // The buffer into the image, except the image's own model code bytes
    // 0x000-0x001 and addresses 0x400-0x4FF.
    static void ApplyReadImage(const Buffer& buffer, MemoryImage& image);
    // The whole read. True when the image was replaced and decoded; a read
    // that checks a programming or feeds a comparison (announce false) ends
    // without "Complete!!". `stage`: what the read is for, while it runs.
    bool ReadFromRadio(DataSet& data, bool announce = true, const std::string& stage = Words(MessageId::ReadingRadio));

private:
    LinkContext& ctx_;
    LinkPort& port_;
    Handshake& handshake_;
};

// The percentage the progress bar shows for a block or row at address.
int ProgressPercent(int address, int upperIndex);

}  // namespace rp770::link
