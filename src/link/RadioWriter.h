#pragma once
// Programming the radio: the block write ("#CEPWR", answered by "#CMDOK")
// and the loop over the write plan. Programming never changes the image.

#include "core/Model.h"
#include "link/Handshake.h"
#include "link/LinkContext.h"
#include "link/LinkPort.h"
#include "link/RadioReader.h"

namespace rp770::link {

inline constexpr int kSkippedRowPauseMs = 10;


class RadioWriter {
public:
    RadioWriter(LinkContext& context, LinkPort& port, Handshake& handshake, RadioReader& reader)
        : ctx_(context), port_(port), handshake_(handshake), reader_(reader) {}

    // count bytes of the image from address, with retries; CommError is false
    // afterwards only when the radio acknowledged them.
    void WriteBlock(const MemoryImage& image, int address, int count);
    // The write loop; NotStarted when no request went out, Complete when
    // every planned write was acknowledged, Partial otherwise.
    ProgramOutcome WriteData(const MemoryImage& image);
    ProgramOutcome ProgramToRadio(const DataSet& data);

private:
    LinkContext& ctx_;
    LinkPort& port_;
    Handshake& handshake_;
    RadioReader& reader_;
};

}  // namespace rp770::link
