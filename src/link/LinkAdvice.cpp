#include "link/LinkAdvice.h"

#include <cerrno>

#include "core/Failure.h"
#include "link/Frame.h"
#include "link/ProbeReport.h"
#include "messages/MessageText.h"

namespace rp770::link {

std::string OpenFailureText(const PortError& error, const std::string& port) {
    const std::string device = error.device.empty() ? port : error.device;
    std::string reason = error.systemError != 0 ? ErrnoText(error.systemError) : error.text;
    if (reason.empty()) reason = Words(MessageId::NoReasonGiven);
    // The simulated radio is named as such, not by its device name.
    const MessageText cannot = device == kSimulatedRadioDevice ? MessageText(MessageId::CannotOpenSimulatedCable, reason)
                                                               : MessageText(MessageId::CannotOpenPort, device, reason);
    MessageText advice;
    switch (error.systemError) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
            advice = MessageId::AdviceCheckPortName;
            break;
        case EACCES:
        case EPERM:
            advice = error.deviceGroup.empty() ? MessageText(MessageId::AdviceAskAdministrator)
                                               : MessageText(MessageId::AdviceJoinGroup, error.deviceGroup);
            break;
        case EBUSY:
            advice = MessageId::AdvicePortInUse;
            break;
        default:
            return cannot.Render();
    }
    return Words(MessageId::TwoSentences, cannot, advice);
}

std::string SyncFailureText(SyncStage stage) {
    switch (stage) {
        case SyncStage::NoEcho: return Words(MessageId::SyncFailedNoEcho);
        case SyncStage::NoAnswer: return Words(MessageId::SyncFailedNoAnswer);
        case SyncStage::Silent: return Words(MessageId::SyncFailedSilent);
        case SyncStage::Refused: return Words(MessageId::SyncFailedRefused);
        default: return "";
    }
}

std::string ProbeReport::Text() const {
    // The simulated radio is named as such, not by its device name.
    const bool simulated = port == kSimulatedRadioDevice;
    const MessageText on = simulated ? MessageText(MessageId::ProbeOnSimulatedCable) : MessageText(MessageId::ProbeOnPort, port);
    switch (result) {
        case ProbeResult::PortFailed: return openFailure;
        case ProbeResult::NoEcho: return Words(MessageId::ProbeNoEcho, on);
        case ProbeResult::NoAnswer: return Words(MessageId::ProbeNoAnswer, on);
        case ProbeResult::Silent: return Words(MessageId::ProbeSilent, on);
        case ProbeResult::Refused: return Words(MessageId::ProbeRefused, on);
        case ProbeResult::NotReady: return Words(MessageId::ProbeNotReady, on);
        case ProbeResult::NoModelCode: return Words(MessageId::ProbeNoModelCode, on);
        case ProbeResult::Found:
            if (!supported) return Words(MessageId::ProbeOtherModel, on, Hex4(modelCode));
            return simulated ? Words(MessageId::ProbeFoundSimulated, Hex4(modelCode))
                             : Words(MessageId::ProbeFound, on, Hex4(modelCode));
        case ProbeResult::Cancelled: return Words(MessageId::ProbeCancelled);
    }
    return "";
}

}  // namespace rp770::link
