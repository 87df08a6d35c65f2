#include "cli/CliSession.h"

#include <filesystem>
#include <iostream>

#include "desktop/ErrorLogFile.h"
#include "os/UserFolders.h"
#include "desktop/ExecutablePath.h"
#include "desktop/FileSettingsStore.h"
#include "desktop/StandardStreams.h"

namespace rp770::cli {

namespace {

CliAsker::Policy PolicyOf(const CliOptions& o) {
    if (o.Has("--yes")) return CliAsker::Policy::Yes;
    if (o.Has("--no")) return CliAsker::Policy::No;
    return CliAsker::Policy::Ask;
}

}  // namespace

CliSession::CliSession(const CliOptions& options, bool transfer)
    : options_(options),
      program_(options.dataDir),
      userStore_(std::make_unique<platform::FileSettingsStore>()),
      settings_(*userStore_),
      console_(transfer),
      asker_(PolicyOf(options), console_) {
    const Switches switches{options.Has("--debug"), options.Has("--no-echo")};
    // --debug: errors are logged as the window logs them with /D, and the
    // monitor says where.
    if (switches.debugMode) {
        const std::filesystem::path folder =
            ErrorLogFolder(platform::ExecutableFolder("."), platform::UserStateFolder());
        if (!folder.empty()) errorLog_ = std::make_unique<ErrorLogFile>(folder / kErrorLogFileName);
        std::cerr << Words(MessageId::CliMonitorErrorLog,
                           errorLog_ ? MessageText(errorLog_->Where()) : MessageText(MessageId::CliNoWritableFolder))
                  << "\n";
    }
    // Every radio memory a transfer reads is kept (rp770-cli backups).
    if (transfer) keeper_ = std::make_unique<DesktopRadioKeeper>();
    session_ = std::make_unique<AppSession>(
        program_,
        SessionServices{settings_, files_, asker_, errorLog_ ? *errorLog_ : NoErrorLog(), keeper_ ? keeper_->keeper() : nullptr},
        switches);
}

CliSession::~CliSession() = default;

int CliSession::Show(const Outcome& outcome, int failed) {
    console_.Say(outcome.messages);
    return ExitStatusOf(outcome.failure, failed);
}

int CliSession::Save(const std::string& name, std::string_view bytes) {
    const Failure failure = files_.Write(name, bytes);
    for (const std::string& notice : files_.TakeNotices()) console_.Say(notice);
    if (failure.Ok()) return kExitOk;
    console_.Say(WithReason(Words(MessageId::FileSaveError), name, failure));
    return kExitFailure;
}

int CliSession::Start() {
    const Outcome started = options_.destination ? session_->StartOn(*options_.destination) : session_->Start();
    // The program's own boxes are not named: only the link's are.
    console_.NotNaming(AppTitle);
    console_.NotNaming(session_->workspace().messageTitle());
    console_.Say(started.messages);
    if (started.Failed() && session_->workspace().offeredModels().empty()) {
        if (!options_.dataSearch.found) console_.Say(platform::DataFolderNotFoundMessage(options_.dataSearch));
        return kExitFailure;
    }
    if (started.failure.kind == FailureKind::Usage) return ExitStatusOf(started.failure);
    if (started.Ok() && session_->workspace().destinations().checked >= 0) return kExitOk;
    if (started.messages.empty()) console_.Say(Words(MessageId::CliProblem, MessageText(MessageId::NoDestinationLoaded)));
    return kExitFailure;
}

int RunWithSession(const std::vector<std::string>& args, const CliSpec& spec,
                   const std::function<int(const CliOptions&, CliSession&)>& body, int failed) {
    int status = kExitUsage;
    const auto options = ParseCliOptions(args, spec, status);
    if (!options) return status;
    CliSession session(*options);
    if (status = session.Start(); status != kExitOk) return status == kExitUsage ? status : failed;
    return body(*options, session);
}

bool PrintListing(const std::string& text) {
    if (const int error = platform::WriteStandardOutput(text); error != 0) {
        std::cerr << Words(MessageId::CliProblem, MessageText(MessageId::CliCannotWriteOutput, ErrnoText(error))) << "\n";
        return false;
    }
    return true;
}

FileContent ContentOf(FileKind kind) {
    switch (kind) {
        case FileKind::MemoryImage: return FileContent::MemoryImage;
        case FileKind::Settings: return FileContent::SettingsText;
        default: return FileContent::SettingsOrImage;
    }
}

bool OutputsSpareInputs(Console& console, const std::vector<NamedFile>& outputs, const std::vector<NamedFile>& inputs) {
    for (const NamedFile& output : outputs)
        for (const NamedFile& input : inputs)
            if (const std::string problem = OutputReplacingInput(output, input); !problem.empty()) {
                console.Say(Words(MessageId::CliProblem, problem));
                return false;
            }
    return true;
}

}  // namespace rp770::cli
