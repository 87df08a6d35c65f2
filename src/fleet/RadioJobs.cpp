#include "fleet/RadioJobs.h"

#include <filesystem>

#include "core/Sha256.h"
#include "core/Titles.h"
#include "link/TransferEngine.h"
#include "workspace/ProgramCheck.h"
#include "workspace/Verification.h"

namespace rp770::fleet {

namespace {

constexpr const char* kVerified = "verified";
constexpr const char* kNotAnswered = "the radio did not answer (is it in PC CONTROL mode?)";
constexpr const char* kCheckRefused = "not programmed, the check before programming found: ";
constexpr const char* kYesToProgram = " (--yes programs anyway)";
constexpr const char* kDiffering = "the radio does not hold what was sent: %d bytes differ";

std::string Differing(size_t count) {
    std::string text = kDiffering;
    return text.replace(text.find("%d"), 2, std::to_string(count));
}
constexpr const char* kInterrupted = "interrupted";
constexpr const char* kNotKept = "not programmed, the radio's memory was not kept first: ";

// What the messages of an outcome say, but for what the result says already.
std::string Said(const Outcome& outcome, std::vector<std::string>* notes = nullptr) {
    std::string text;
    for (const Message& m : outcome.messages) {
        if (m.Is(MessageId::Complete) || m.Is(link::kPartlyProgrammed)) continue;
        // Advice on how things went (a slow adapter) is not why it failed.
        if (m.icon == Icon::Information) {
            if (notes && !m.Is(MessageId::Verified)) notes->push_back(m.Shown());
            continue;
        }
        text += (text.empty() ? "" : "; ") + m.Shown();
    }
    return text;
}

std::string FailureText(const TransferOutcome& outcome, std::vector<std::string>& notes) {
    if (outcome.Cancelled()) return kInterrupted;
    std::string text = Said(outcome, &notes);
    if (text.empty()) text = outcome.synchronised ? outcome.failure.message : kNotAnswered;
    return text.empty() ? kNotAnswered : text;
}

std::string ImageBytes(const MemoryImage& image) {
    return std::string(image.bytes.begin(), image.bytes.begin() + static_cast<std::ptrdiff_t>(image.size()));
}

}  // namespace

RadioReport ProgramRadio(AppSession& session, const std::string& plan, const std::string& planName,
                         const RosterEntry& radio, bool backup) {
    RadioReport report;
    report.radio = radio;
    // The radio's own memory is kept before anything is written to it.
    if (backup) {
        const TransferOutcome kept = session.BackupRadio();
        if (!kept.Ok()) {
            report.reason = kNotKept + FailureText(kept, report.notes);
            return report;
        }
    }
    if (const Outcome opened = session.OpenBytes(plan, planName); opened.Failed()) {
        report.reason = Said(opened);
        return report;
    }
    if (!radio.atis.empty()) {
        if (const EditResult refused = session.workspace().SetAtisCode(radio.atis)) {
            report.reason = refused->Shown();
            return report;
        }
    }
    report.atis = session.data().atis.AtisCode;
    report.model = ModelName(session.workspace().modelNumber());
    if (const Outcome checked = session.ConfirmProgramming(); checked.failure.kind == FailureKind::Refused) {
        report.reason = Said(checked);  // incomplete EXP channels: never sent, --yes or not
        return report;
    } else if (!checked.Ok()) {
        std::string findings;
        for (const std::string& finding : ProgrammingFindings(session.data()))
            findings += (findings.empty() ? "" : "; ") + finding;
        const std::string said = Said(checked);
        report.reason = kCheckRefused + (said.empty() ? findings : said) + kYesToProgram;
        return report;
    }
    session.SetVerifyAfterProgramming(true);
    const TransferOutcome programmed = session.ProgramToRadio();
    if (programmed.completed || programmed.partial) report.sha256 = Sha256Hex(ImageBytes(session.data().image));
    if (programmed.completed && programmed.verified) {
        report.result = RadioResult::Ok;
        report.reason = kVerified;
        Said(programmed, &report.notes);
    } else if (programmed.completed) {
        report.result = RadioResult::Failed;
        report.reason =
            programmed.differences.empty() ? MessageText(kNotVerified).English() : Differing(programmed.differences.size());
        if (programmed.Cancelled()) report.reason += std::string("; ") + kInterrupted;
    } else {
        report.result = programmed.partial ? RadioResult::PartlyProgrammed : RadioResult::Untouched;
        report.reason = FailureText(programmed, report.notes);
    }
    return report;
}

RadioReport ReadRadio(AppSession& session, const RosterEntry& radio, const std::string& folder, NameClaims& names) {
    RadioReport report;
    report.radio = radio;
    const TransferOutcome read = session.ReadFromRadio();
    if (!read.completed) {
        report.result = RadioResult::Failed;
        report.reason = FailureText(read, report.notes);
        return report;
    }
    Said(read, &report.notes);
    report.model = ModelName(session.workspace().modelNumber());
    report.atis = session.data().atis.AtisCode.empty() ? radio.atis : session.data().atis.AtisCode;
    const std::string stem = SafeFileName(radio.vessel) + (report.atis.empty() ? "" : "-" + report.atis);
    const std::string file = (std::filesystem::path(folder) / (names.Claim(stem) + ".dat")).string();
    if (const Outcome saved = session.SaveAs(file); saved.Failed()) {
        report.result = RadioResult::Failed;
        report.reason = Said(saved);
        return report;
    }
    report.result = RadioResult::Ok;
    report.reason = file;
    return report;
}

}  // namespace rp770::fleet
