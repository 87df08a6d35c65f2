// The application session's keeping of radios' memories: every image read
// kept, the read before a programming, the changes a programming makes,
// and the radios left partly programmed.

#include "core/Titles.h"
#include "files/HexFile.h"
#include "files/ModelList.h"
#include "messages/MessageText.h"
#include "session/AppSession.h"
#include "workspace/ProgramCheck.h"

namespace rp770 {

std::string ChangeReviewText(const std::vector<Difference>& changes) {
    std::string text = MessageText::Plural(static_cast<long long>(changes.size()), MessageId::ChangesOneFieldListed,
                                           MessageId::ChangesFieldsListed, changes.size())
                           .Render();
    for (size_t i = 0; i < changes.size() && i < kReviewedChanges; ++i) text += "\n  " + DifferenceLine(changes[i]);
    if (changes.size() > kReviewedChanges)
        text += "\n  " + MessageText{MessageId::AndMore, changes.size() - kReviewedChanges}.Render();
    return text;
}

std::string AppSession::PortName() const {
    return choice_.PortDevice.empty() ? "COM" + std::to_string(choice_.PortNumber) : choice_.PortDevice;
}

bool AppSession::backupBeforeProgramming() const {
    return services_.settings.GetOr(kSettingsSection, kBackupKey, "1") == "1";
}

void AppSession::SetBackupBeforeProgramming(bool on) {
    services_.settings.Set(kSettingsSection, kBackupKey, on ? "1" : "0");
}

Failure AppSession::KeepImage(const DataSet& radio, KeepReason reason, Outcome& outcome) {
    if (!services_.keeper) return {};
    const std::string atis = radio.flags.atis ? radio.atis.AtisCode : std::string();
    Failure failure = services_.keeper->Keep(HexFileBytes(radio.image), ModelName(radio.modelNumber), atis, reason);
    if (failure.Failed()) {
        services_.log.Report("frmMain.KeepRadioMemory", failure.LogText());
        if (reason == KeepReason::Read)
            outcome.Say(Message{MessageText{MessageId::BackupNotKept, failure.Reason()}.Render(),
                                workspace_.messageTitle(), Icon::Warning});
    }
    return failure;
}

TransferOutcome AppSession::BackupRadio() {
    if (!link_) return NoLink();
    if (!services_.keeper) {
        // Nowhere to keep it: the radio is not touched.
        TransferOutcome none;
        const std::string said =
            MessageText{MessageId::BackupNotKeptNothingWritten, MessageText{MessageId::NoBackupsFolderReason}}.Render();
        none.failure = Failure{FailureKind::PathNotFound, {}, said};
        none.Say(Message{said, workspace_.messageTitle(), Icon::Warning});
        return none;
    }
    ApplyLinkChoice();
    link_->SetAsker(&services_.asker);
    DataSet radio;
    TransferOutcome read =
        workspace_.ReadRadioForComparison(*link_, radio, MessageText{MessageId::ReadingToKeep}.Render());
    if (!read.completed) return read;
    ForgetPartial(PortName());
    if (const Failure failure = KeepImage(radio, KeepReason::BeforeProgramming, read); failure.Failed()) {
        const std::string said = MessageText{MessageId::BackupNotKeptNothingWritten, failure.Reason()}.Render();
        read.failure = Failure{failure.kind, failure.reason, said};
        read.Say(Message{said, workspace_.messageTitle(), Icon::Warning});
    }
    return read;
}

std::vector<Difference> AppSession::ChangesInRadio() const {
    const std::optional<MemoryImage>& radio = workspace_.radioImage();
    if (!radio) return {};
    return ChangedInRadio(workspace_.data(), *radio);
}

std::optional<PartialProgramming> AppSession::PartialOnPort() const {
    if (!services_.keeper) return std::nullopt;
    for (PartialProgramming& partial : services_.keeper->Partials())
        if (partial.port == PortName()) return std::move(partial);
    return std::nullopt;
}

std::vector<PartialProgramming> AppSession::PartlyProgrammed() const {
    return services_.keeper ? services_.keeper->Partials() : std::vector<PartialProgramming>{};
}

void AppSession::ForgetPartial(const std::string& port) {
    if (services_.keeper) services_.keeper->ForgetPartial(port);
}

Outcome AppSession::ResumePartial(const PartialProgramming& partial) {
    Outcome opened = workspace_.OpenDat(partial.plan, partial.file);
    if (opened.Ok()) ChooseDevice(partial.port);  // OpenDat made the plan's file the session's, as settings text
    return opened;
}

std::string AppSession::PartialNotice(const PartialProgramming& partial) {
    const MessageText file = partial.file.empty() ? MessageText{MessageId::NewPlan} : MessageText{partial.file};
    return MessageText{MessageId::PartialOnPort, partial.port, partial.time, file}.Render();
}

}  // namespace rp770
