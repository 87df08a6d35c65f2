#include "link/RadioReader.h"

#include <cmath>
#include <exception>

#include "core/MemoryImage.h"

namespace rp770::link {

int ProgressPercent(int address, int upperIndex) {
    if (upperIndex <= 0) return 0;
    return static_cast<int>(std::lround(static_cast<double>(address) / upperIndex * 100.0));
}

void RadioReader::ReadBlock(Buffer& buffer, int address, int count) {
    LinkState& state = ctx_.state;
    int attemptsLeft = state.RetryCount;
    port_.FlushInput();
    const Bytes request = BuildFrame("#CEPRD", Hex4(static_cast<unsigned>(address)), Hex2(static_cast<unsigned>(count)), "");
    for (;;) {
        state.CommError = true;
        state.CancelRequested = false;
        port_.SendFrame(request);
        state.CommError = true;
        const Code result = handshake_.WaitAck();
        if (result == Code::Done) {
            ReceiveDataReply(buffer, address, count);
            return;
        }
        if (handshake_.RetryAfter(result, attemptsLeft)) continue;
        return;
    }
}

void RadioReader::ReceiveDataReply(Buffer& buffer, int address, int count) {
    LinkState& state = ctx_.state;
    state.CommError = true;
    state.CancelRequested = false;

    const Reception head = port_.ReadChars(6, kReplySeconds);
    if (head.code == Code::Cancelled) return ctx_.Tell(MessageId::LinkCancel);
    if (head.code == Code::TimeOut) return ctx_.Tell(MessageId::LinkTimeOut);
    if (head.code != Code::Done) return;
    if (head.text != "#CEPDT") {
        port_.SendText("#CMDER");
        state.CommError = true;
        return;
    }
    const Reception rest = port_.ReadToLineEnd(kReplySeconds);
    if (rest.code == Code::TimeOut) return ctx_.Tell(MessageId::LinkTimeOut);
    if (rest.code != Code::Done) return;
    if (!VerifyReply(head.text + rest.text)) {
        port_.SendText("#CMDSM");
        state.CommError = true;
        return;
    }

    // The rest starts with the TAB after the header: address, count, data.
    const auto pieces = SplitAtTabs(rest.text);
    auto piece = [&pieces](size_t i) { return i < pieces.size() ? pieces[i] : std::string(); };
    const auto repliedAddress = ParseHex(piece(1));
    if (!repliedAddress || *repliedAddress != static_cast<uint32_t>(address)) return ctx_.Tell(MessageId::LinkAddressError);
    const auto repliedCount = ParseHex(piece(2));
    if (!repliedCount || *repliedCount != static_cast<uint32_t>(count)) return ctx_.Tell(MessageId::LinkDataError);
    const std::string data = piece(3);
    if (data.size() != static_cast<size_t>(count) * 2) return ctx_.Tell(MessageId::LinkDataError);
    Buffer bytes(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const auto value = ParseHex(std::string_view(data).substr(static_cast<size_t>(i) * 2, 2));
        // Digits that are not hexadecimal would make up a byte: refuse them.
        if (!value) return ctx_.Tell(MessageId::LinkDataError);
        bytes[static_cast<size_t>(i)] = static_cast<uint8_t>(*value);
    }
    if (address < 0 || static_cast<size_t>(address) + bytes.size() > buffer.size()) return ctx_.Tell(MessageId::LinkAddressError);
    std::copy(bytes.begin(), bytes.end(), buffer.begin() + address);
    state.CommError = false;
    port_.SendText("#CMDOK");
}

void RadioReader::ReadDataChkModel(const DataSet& data) {
    LinkState& state = ctx_.state;
    try {
        if (!port_.PortOpen()) {
            // A port that cannot be opened is a failed check, never a pass.
            state.CommError = true;
            ctx_.TellTitled(MessageId::CommunicationError, MessageId::ModelCheck, Icon::Critical, port_.OpenFailureText());
            return;
        }
        port_.ShowMonitor(Words(MessageId::MonitorModelCheck));
        const int last = data.image.lastAddress;
        Buffer check(static_cast<size_t>(last) + 1, 0);
        ReadBlock(check, addr::ModelCode, 2);
        if (!state.CommError) ReadBlock(check, last - 1, 2);
        if (state.CancelRequested) return;
        if (state.CommError) {
            ctx_.TellTitled(MessageId::CommunicationError, MessageId::ModelCheck);
            return;
        }
        if (!ModelCodesAccepted(data.modelNumber, check.data(), last)) {
            state.CommError = true;
            ctx_.TellTitled(MessageId::ModelTypeError, MessageId::ReadFromRadio);
        }
    } catch (const std::exception& failure) {
        port_.ReportRuntimeFailure("frmRadio.ReadDataChkModel", failure);
    }
}

void RadioReader::ReadData(Buffer& buffer) {
    LinkState& state = ctx_.state;
    try {
        if (!port_.PortOpen()) {
            state.CommError = true;
            ctx_.TellTitled(MessageId::CommunicationError, MessageId::ReadFromRadio, Icon::Critical, port_.OpenFailureText());
            return;
        }
        ctx_.SetProgress(0);
        const int upper = static_cast<int>(buffer.size()) - 1;
        bool stoppedEarly = false;
        for (int address = 0; address <= upper; address += kBlockSize) {
            ctx_.SetProgress(ProgressPercent(address, upper));
            ReadBlock(buffer, address, std::min(kBlockSize, upper + 1 - address));
            if (state.CommError && !state.CancelRequested) {
                stoppedEarly = true;
                break;
            }
            if (state.CancelRequested) {
                handshake_.SendAbort();
                stoppedEarly = true;
                break;
            }
        }
        if (!stoppedEarly && state.CancelRequested) handshake_.SendAbort();
        port_.ClosePort();
        if (!state.CancelRequested) {
            if (state.CommError)
                ctx_.TellTitled(MessageId::CommunicationError, MessageId::ReadFromRadio);
            else
                ctx_.clock.Sleep(kPhaseEndPauseMs);
        }
    } catch (const std::exception& failure) {
        port_.ReportRuntimeFailure("frmRadio.ReadData", failure);
    }
}

void RadioReader::ApplyReadImage(const Buffer& buffer, MemoryImage& image) {
    const int upper = std::min(static_cast<int>(buffer.size()), static_cast<int>(image.bytes.size())) - 1;
    for (int i = 0; i <= upper; ++i) {
        // The image keeps its own model code, and what it holds at 0x400-0x4FF.
        if (i <= addr::ModelCode + 1 || (i >= addr::ReadKeepsFirst && i <= addr::ReadKeepsLast)) continue;
        image[i] = buffer[static_cast<size_t>(i)];
    }
}

bool RadioReader::ReadFromRadio(DataSet& data, bool announce, const std::string& stageText) {
    LinkState& state = ctx_.state;
    const StageScope stage(ctx_, stageText);
    ctx_.SetControlsEnabled(false);
    if (!handshake_.StatusCheck()) {
        ctx_.Tell(MessageId::RadioNotReady);
        ctx_.SetControlsEnabled(true);
        return false;
    }
    bool completed = false;
    ReadDataChkModel(data);
    if (!state.CommError) {
        port_.ShowMonitor(Words(MessageId::MonitorReading));
        Buffer buffer(data.image.bytes.begin(), data.image.bytes.begin() + data.image.size());
        ReadData(buffer);
        if (!state.CommError && !state.CancelRequested) {
            ApplyReadImage(buffer, data.image);
            DecodeImage(data);
            completed = true;
            port_.ShowMonitor("");
            if (announce) ctx_.Tell(MessageId::Complete, Icon::Information);
        }
    }
    ctx_.SetControlsEnabled(true);
    return completed;
}

}  // namespace rp770::link
