#include "session/AppSession.h"

#include "core/Codecs.h"
#include "core/Titles.h"
#include "files/ModelDefinitions.h"
#include "files/ModelList.h"
#include "files/ReadLimits.h"
#include "messages/MessageText.h"
#include "session/PortSetting.h"
#include "workspace/ProgramCheck.h"

namespace rp770 {

namespace ask {
std::string ModelChange(int model) { return Words(MessageId::AskProgramModel, ModelName(model)); }
std::string DestinationChange(const std::string& name) { return Words(MessageId::AskChangeDestination, name); }
}  // namespace ask

namespace {
constexpr int kRetryCount = 3;
}  // namespace

AppSession::AppSession(const ProgramData& program, SessionServices services, Switches switches)
    : services_(services), switches_(switches), workspace_(program, services.settings, services.log) {}

// ---- start ------------------------------------------------------------------------

Outcome AppSession::Begin() {
    Outcome outcome = workspace_.Start();
    if (outcome.Failed()) return outcome;
    LoadPortSetting(services_.settings, choice_);
    if (systemPorts_) {
        // A new installation starts on a real device when there is one.
        const PortSelection start = StartingPortSelection(services_.settings, systemPorts_());
        choice_.PortNumber = start.number;
        choice_.PortDevice = start.device;
    }
    choice_.RetryCount = kRetryCount;
    choice_.DebugMode = switches_.debugMode;
    choice_.NoEchoMode = switches_.noEchoMode;
    ApplyLinkChoice();
    verify_ = services_.settings.GetOr(kSettingsSection, kVerifyKey, "0") == "1";
    return outcome;
}

Outcome AppSession::Start() {
    Outcome outcome = Begin();
    if (outcome.Failed()) return outcome;
    outcome.Then(workspace_.New());
    started_ = true;
    return outcome;
}

Outcome AppSession::StartOn(const std::string& destination) {
    Outcome outcome = Begin();
    if (outcome.Failed()) return outcome;
    const int model = workspace_.modelNumber();
    const std::vector<std::string> names = ListDestinations(workspace_.program(), model);
    std::string chosen;
    for (const std::string& name : names)
        if (EqualsNoCase(name, destination)) chosen = name;
    if (chosen.empty() && !names.empty()) {
        std::string known;
        for (const std::string& name : names) known += " " + name;
        return FailedWith(Failure{FailureKind::Usage, {}, EnglishWords(MessageId::UnknownDestination)},
                          Message::Of({MessageId::UnknownDestinationNamed, destination, known}, AppTitle, Icon::Warning));
    }
    // The destination is chosen for this session as the Destination menu
    // chooses it: remembered, in the store the front end gave.
    if (!chosen.empty()) services_.settings.Set(kIniFilePathSection, RememberedDestinationKey(model), chosen);
    outcome.Then(workspace_.New());
    started_ = true;
    const DestinationMenu& menu = workspace_.destinations();
    if (menu.checked < 0 && outcome.Ok())
        outcome.failure = Failure{FailureKind::Refused, {}, EnglishWords(MessageId::NoDestinationLoaded)};
    return outcome;
}

// ---- replacing the data -------------------------------------------------------------

Outcome AppSession::ConfirmDiscard(const PendingInput* pending) {
    const bool typed = pending && pending->present;
    if (!workspace_.modified() && !typed) return {};
    const Answer answer = services_.asker.Ask(
        Question{ask::SaveChanges, workspace_.messageTitle(), Icon::Warning, Buttons::YesNoCancel, Answer::Yes});
    if (answer == Answer::No) return {};
    if (answer != Answer::Yes) return CancelledOutcome();
    if (typed && pending->take && !pending->take()) return CancelledOutcome();
    return Save();
}

Outcome AppSession::New() { return workspace_.New(); }

Outcome AppSession::FileReadFailure(const std::string& name, const Failure& failure, const char* procedure) {
    // A file too large is the program's own refusal, not a failure to log.
    if (failure.kind != FailureKind::TooLarge) services_.log.Report(procedure, failure.LogText());
    return FailedWith(Failure{failure.kind, failure.reason, EnglishWords(MessageId::FileReadError)},
                      Message{WithReason(Words(MessageId::FileReadError), name, failure), workspace_.messageTitle(),
                              Icon::Warning, {}, MessageId::FileReadError});
}

Outcome AppSession::ReadFile(const std::string& name, std::string& bytes, size_t limit, const char* procedure) {
    if (const Failure failure = services_.files.Read(name, bytes, limit); failure.Failed())
        return FileReadFailure(name, failure, procedure);
    return {};
}

Outcome AppSession::WriteFile(const std::string& name, std::string_view bytes, const char* procedure) {
    if (const Failure failure = services_.files.Write(name, bytes); failure.Failed()) {
        services_.log.Report(procedure, failure.LogText());
        return FailedWith(Failure{failure.kind, failure.reason, EnglishWords(MessageId::FileSaveError)},
                          Message{WithReason(Words(MessageId::FileSaveError), name, failure), workspace_.messageTitle(),
                                  Icon::Warning, {}, MessageId::FileSaveError});
    }
    Outcome written;
    for (std::string& notice : services_.files.TakeNotices())
        written.Say(Message{std::move(notice), workspace_.messageTitle(), Icon::Warning});
    return written;
}

bool LooksLikeMemoryImage(std::string_view bytes) {
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 && c != '\t' && c != '\r' && c != '\n') return true;
    }
    return false;
}

namespace {

// Whether a file of this kind, name and content is a memory image; nothing
// while the content is not known yet and matters.
std::optional<bool> IsImage(FileKind kind, const std::string& name, const std::string* bytes) {
    switch (kind) {
        case FileKind::Settings: return false;
        case FileKind::MemoryImage: return true;
        case FileKind::ByContent: return bytes ? std::optional<bool>(LooksLikeMemoryImage(*bytes)) : std::nullopt;
        case FileKind::ByName: break;
    }
    return IsMemoryImagePath(name);
}

const char* ReadProcedure(std::optional<bool> image) { return image.value_or(false) ? "frmMain.ReadHexFileAs" : "frmMain.FileRead2"; }

}  // namespace

Outcome AppSession::ReadDataBytes(const std::string& name, FileKind kind, std::string& bytes, bool& image) {
    const std::optional<bool> known = IsImage(kind, name, nullptr);
    const bool imageByName = known.value_or(false);
    // A stream of either kind is read up to the larger limit, the text's.
    const size_t limit = imageByName ? MemoryImageFileLimit(workspace_.data().image) : kSettingsTextLimit;
    Outcome read = ReadFile(name, bytes, limit, ReadProcedure(known));
    // A memory image file longer than the image has the wrong length.
    if (read.failure.kind == FailureKind::TooLarge && imageByName) return workspace_.WrongLengthOutcome(std::nullopt);
    if (read.Failed()) return read;
    image = *IsImage(kind, name, &bytes);
    return read;
}

Outcome AppSession::Open(const std::string& name, FileKind kind) {
    std::string bytes;
    bool image = false;
    if (Outcome read = ReadDataBytes(name, kind, bytes, image); read.Failed()) return read;
    return image ? workspace_.OpenHex(bytes, name) : workspace_.OpenDat(std::move(bytes), name);
}

Outcome AppSession::OpenBytes(std::string bytes, const std::string& name) {
    // Bytes given whole are held to the limit of their kind as a file read is.
    if (!IsMemoryImagePath(name) && bytes.size() > kSettingsTextLimit)
        return FileReadFailure(name, TooLargeFailure(bytes.size(), kSettingsTextLimit), "frmMain.FileRead2");
    return workspace_.OpenFile(std::move(bytes), name);
}

Outcome AppSession::ChangeModel(int model) {
    if (model == workspace_.modelNumber()) return {};
    const Answer answer = services_.asker.Ask(
        Question{ask::ModelChange(model), workspace_.messageTitle(), Icon::Warning, Buttons::OkCancel, Answer::Ok});
    if (answer != Answer::Ok) return CancelledOutcome();
    return workspace_.ChangeModel(model);
}

Outcome AppSession::ChangeDestination(int entry) {
    const DestinationMenu& menu = workspace_.destinations();
    if (entry < 0 || entry >= static_cast<int>(menu.names.size())) return Outcome{Failure{FailureKind::Refused}, {}};
    if (entry != menu.checked) {
        const Answer answer = services_.asker.Ask(Question{ask::DestinationChange(menu.names[static_cast<size_t>(entry)]),
                                                           workspace_.messageTitle(), Icon::Warning, Buttons::OkCancel,
                                                           Answer::Ok});
        if (answer != Answer::Ok) return CancelledOutcome();
    }
    return workspace_.ChangeDestination(entry);
}

// ---- copies kept aside ----------------------------------------------------------------

SessionSnapshot AppSession::TakeSnapshot(const std::string& keptAt) const {
    SessionSnapshot s;
    s.keptAt = keptAt;
    s.model = workspace_.modelNumber();
    const DestinationMenu& menu = workspace_.destinations();
    if (menu.checked >= 0 && menu.checked < static_cast<int>(menu.names.size()))
        s.destination = menu.names[static_cast<size_t>(menu.checked)];
    s.filePath = workspace_.currentFilePath();
    s.imageFile = !s.filePath.empty() && workspace_.currentFileIsImage();
    s.action = workspace_.UndoAction();
    s.edited = workspace_.data();
    if (const DataSet* clean = workspace_.cleanData(); clean && clean->modelNumber == s.model) s.base = *clean;
    return s;
}

Outcome AppSession::RestoreSnapshot(const SessionSnapshot& snapshot) {
    Outcome outcome = workspace_.RestoreKept(snapshot.model, snapshot.destination, snapshot.edited, snapshot.base,
                                             snapshot.filePath, snapshot.action.empty() ? "Restore" : snapshot.action);
    if (outcome.Ok()) workspace_.RestoreFile(snapshot.filePath, snapshot.imageFile);
    return outcome;
}

// ---- keeping the data ---------------------------------------------------------------

Outcome AppSession::Save() {
    // A memory image file is never overwritten with settings text: a
    // settings file is asked for instead.
    const std::string current = workspace_.currentFilePath();
    if (!current.empty() && !workspace_.currentFileIsImage()) return SaveAs(current);
    const std::optional<std::string> chosen = services_.asker.ChooseSaveFile();
    if (!chosen || chosen->empty()) return CancelledOutcome();
    return SaveAs(*chosen);
}

Outcome AppSession::SaveAs(const std::string& name) {
    Outcome written = WriteFile(name, workspace_.DatText(), "frmMain.SaveFileAs");
    if (written.Ok()) {
        workspace_.MarkSaved(name);
        SayIncompleteKept(written);
    }
    return written;
}

void AppSession::SayIncompleteKept(Outcome& saved) const {
    std::string names;
    for (const ChannelRef& ref : workspace_.IncompleteChannels())
        names += (names.empty() ? "" : ", ") + ChannelName(workspace_.data(), ref);
    if (names.empty()) return;
    saved.Say(Message::Of({MessageId::SavedIncomplete, names}, workspace_.messageTitle(), Icon::Warning));
}

Outcome AppSession::SaveHex(const std::string& name) {
    return WriteFile(name, workspace_.HexBytes(), "frmMain.SaveHexFileAs");
}

Outcome AppSession::ExportChannels(const std::string& name) {
    return WriteFile(name, workspace_.ChannelsCsv(), "frmMain.ExportChannels");
}

Outcome AppSession::ImportChannels(const std::string& name) {
    std::string text;
    if (Outcome read = ReadFile(name, text, kChannelTableLimit, "frmMain.ImportChannels"); read.Failed()) return read;
    return workspace_.ImportChannels(text, name);
}

std::optional<DataSet> AppSession::ReadDataFile(const std::string& name, Outcome& outcome, FileKind kind) {
    std::string bytes;
    bool image = false;
    outcome = ReadDataBytes(name, kind, bytes, image);
    if (outcome.Failed()) return std::nullopt;
    return workspace_.ReadDataFile(std::move(bytes), name, outcome, image);
}

const DataSet& AppSession::DataForReport() {
    workspace_.CorrectForShowing(Workspace::Showing::Report);  // listed as shown, and kept so
    return workspace_.data();
}

// ---- the application's commands ------------------------------------------------------

Outcome AppSession::TakePending(const PendingInput* pending) {
    if (pending && pending->take && !pending->take()) return CancelledOutcome();
    return {};
}

// A command's steps run while each goes on; the first that does not (it
// failed, or the user stopped it) is the command's outcome.
#define RP770_GO_ON(step)                                      \
    do {                                                       \
        if (Outcome done_ = (step); !done_.Ok()) return done_; \
    } while (false)

Outcome AppSession::NewCommand(const PendingInput* pending) {
    RP770_GO_ON(TakePending(pending));
    RP770_GO_ON(ConfirmDiscard());
    return New();
}

Outcome AppSession::OpenCommand(const PendingInput* pending) {
    // "Save changes?" comes before the file dialog: the user decides about
    // the data at hand first, then looks for the file.
    RP770_GO_ON(TakePending(pending));
    RP770_GO_ON(ConfirmDiscard());
    const std::optional<std::string> name = services_.asker.ChooseFileToOpen(Asker::Files::Data);
    if (!name || name->empty()) return CancelledOutcome();
    return Open(*name);
}

Outcome AppSession::OpenFileCommand(const std::string& name, const PendingInput* pending, FileKind kind) {
    RP770_GO_ON(TakePending(pending));
    RP770_GO_ON(ConfirmDiscard());
    return Open(name, kind);
}

Outcome AppSession::OpenImageCommand(const PendingInput* pending) {
    RP770_GO_ON(TakePending(pending));
    RP770_GO_ON(ConfirmDiscard());
    const std::optional<std::string> name = services_.asker.ChooseFileToOpen(Asker::Files::MemoryImage);
    if (!name || name->empty()) return CancelledOutcome();
    return Open(*name, FileKind::MemoryImage);
}

Outcome AppSession::SaveCommand(const PendingInput* pending) {
    RP770_GO_ON(TakePending(pending));
    return Save();
}

Outcome AppSession::SaveAsCommand(const PendingInput* pending) {
    RP770_GO_ON(TakePending(pending));
    const std::optional<std::string> name = services_.asker.ChooseFileToSave(Asker::Files::Data);
    if (!name || name->empty()) return CancelledOutcome();
    return SaveAs(*name);
}

Outcome AppSession::SaveImageCommand(const PendingInput* pending) {
    RP770_GO_ON(TakePending(pending));
    const std::optional<std::string> name = services_.asker.ChooseFileToSave(Asker::Files::MemoryImage);
    if (!name || name->empty()) return CancelledOutcome();
    return SaveHex(*name);
}

Outcome AppSession::ExportChannelsCommand(const PendingInput* pending) {
    RP770_GO_ON(TakePending(pending));
    const std::optional<std::string> name = services_.asker.ChooseFileToSave(Asker::Files::Channels);
    if (!name || name->empty()) return CancelledOutcome();
    return ExportChannels(*name);
}

Outcome AppSession::ImportChannelsCommand(const PendingInput* pending) {
    RP770_GO_ON(TakePending(pending));
    const std::optional<std::string> name = services_.asker.ChooseFileToOpen(Asker::Files::Channels);
    if (!name || name->empty()) return CancelledOutcome();
    return ImportChannels(*name);
}

ComparisonOutcome AppSession::CompareWithFileCommand(const PendingInput* pending) {
    ComparisonOutcome result;
    if (Outcome taken = TakePending(pending); !taken.Ok()) {
        static_cast<Outcome&>(result) = std::move(taken);
        return result;
    }
    const std::optional<std::string> name = services_.asker.ChooseFileToOpen(Asker::Files::Data);
    if (!name || name->empty()) {
        static_cast<Outcome&>(result) = CancelledOutcome();
        return result;
    }
    Outcome read;
    result.other = ReadDataFile(*name, read);
    static_cast<Outcome&>(result) = std::move(read);
    result.otherName = FileNamePart(*name);
    result.title = Words(MessageId::CompareWithNamed, result.otherName);
    return result;
}

Outcome AppSession::ChangeModelCommand(int model, const PendingInput* pending) {
    if (model == workspace_.modelNumber()) return {};
    RP770_GO_ON(TakePending(pending));
    RP770_GO_ON(ConfirmDiscard());
    return ChangeModel(model);  // asks, remembers it and starts a new data set
}

Outcome AppSession::ChangeDestinationCommand(int entry, const PendingInput* pending) {
    RP770_GO_ON(TakePending(pending));
    RP770_GO_ON(ConfirmDiscard());
    return ChangeDestination(entry);
}

bool AppSession::UndoCommand(const PendingInput* pending) { return TakePending(pending).Ok() && workspace_.Undo(); }

bool AppSession::RedoCommand(const PendingInput* pending) { return TakePending(pending).Ok() && workspace_.Redo(); }

Outcome AppSession::PrepareRead(const PendingInput* pending) { return TakePending(pending); }

Outcome AppSession::PrepareProgramming(const PendingInput* pending) {
    RP770_GO_ON(TakePending(pending));
    return ConfirmProgramming();
}

Outcome AppSession::PrepareComparison(const PendingInput* pending) { return TakePending(pending); }

Outcome AppSession::Quit(const PendingInput* pending) {
    // The check on leaving first: an editor that holds the user (an EXP
    // channel it enabled and that is not complete yet) keeps the window open.
    if (pending && pending->leave && !pending->leave()) return CancelledOutcome();
    return ConfirmDiscard(pending);
}

#undef RP770_GO_ON

// ---- the link -------------------------------------------------------------------------

void AppSession::SetLink(link::TransferEngine* engine) {
    link_ = engine;
    if (link_) link_->SetErrorLog(services_.log);
    ApplyLinkChoice();
}

void AppSession::ApplyLinkChoice() {
    if (!link_) return;
    link::LinkState& state = link_->State();
    state.PortNumber = choice_.PortNumber;
    state.PortDevice = choice_.PortDevice;
    state.RetryCount = choice_.RetryCount;
    state.DebugMode = choice_.DebugMode;
    state.NoEchoMode = choice_.NoEchoMode;
}

void AppSession::ChoosePort(int number) {
    choice_.PortNumber = number;
    choice_.PortDevice.clear();
    ApplyLinkChoice();
    if (started_) SavePortSetting(services_.settings, choice_);
}

void AppSession::ChooseDevice(const std::string& device) {
    choice_.PortDevice = device;
    ApplyLinkChoice();
    if (started_) SavePortSetting(services_.settings, choice_);
}

void AppSession::ChoosePort(const PortSelection& selection) {
    if (selection.device.empty())
        ChoosePort(selection.number);
    else
        ChooseDevice(selection.device);
}

std::vector<PortEntry> AppSession::PortMenu() const {
    return PortEntries(systemPorts_ ? systemPorts_() : SystemPorts{}, PortSelection{choice_.PortNumber, choice_.PortDevice});
}

void AppSession::SetVerifyAfterProgramming(bool on) {
    verify_ = on;
    services_.settings.Set(kSettingsSection, kVerifyKey, on ? "1" : "0");
}

// ---- transfers ------------------------------------------------------------------------

Outcome AppSession::ConfirmProgramming() {
    if (Outcome refused = workspace_.CheckProgrammable(); refused.Failed()) return refused;
    const std::vector<std::string> findings = ProgrammingFindings(workspace_.data());
    const std::vector<Difference> changes = ChangesInRadio();
    const bool offer = offerBackup_ && services_.keeper && !radioMemoryKnown();
    backupFirst_ = false;
    if (findings.empty() && changes.empty() && !offer) return {};
    std::string text;
    if (!findings.empty()) {
        text = MessageText{MessageId::BeforeProgrammingCheck}.Render();
        for (const std::string& finding : findings) text += "\n" + Words(MessageId::FindingItem, finding);
        text += "\n\n";
    }
    if (!changes.empty()) text += ChangeReviewText(changes) + "\n\n";
    text += MessageText{findings.empty() ? MessageId::ProgramTheRadio : MessageId::ProgramAnyway}.Render();
    Question question{text, workspace_.messageTitle(), findings.empty() ? Icon::Question : Icon::Warning,
                      Buttons::YesNo, findings.empty() ? Answer::Yes : Answer::No};
    bool backup = backupBeforeProgramming();
    if (offer) {
        question.optionText = MessageText{MessageId::BackupOption}.Render();
        question.option = &backup;
    }
    if (services_.asker.Ask(question) != Answer::Yes) return CancelledOutcome();
    if (offer) {
        if (backup != backupBeforeProgramming()) SetBackupBeforeProgramming(backup);
        backupFirst_ = backup;
    }
    return {};
}

TransferOutcome AppSession::NoLink() const {
    TransferOutcome outcome;
    outcome.failure = Failure{FailureKind::Communication, {}, EnglishWords(MessageId::NoRadioLink)};
    return outcome;
}

TransferOutcome AppSession::ReadFromRadio() {
    if (!link_) return NoLink();
    ApplyLinkChoice();
    link_->SetAsker(&services_.asker);
    TransferOutcome read = workspace_.ReadFromRadio(*link_);
    if (read.completed) {
        ForgetPartial(PortName());
        (void)KeepImage(workspace_.data(), KeepReason::Read, read);
    }
    return read;
}

TransferOutcome AppSession::ProgramToRadio() {
    if (!link_) return NoLink();
    if (std::exchange(backupFirst_, false) && services_.keeper && !radioMemoryKnown()) {
        TransferOutcome backup = BackupRadio();
        if (backup.Failed()) return backup;
    }
    ApplyLinkChoice();
    link_->SetAsker(&services_.asker);
    // What is sent is the plan as it stands when programming begins.
    const std::string plan = services_.keeper ? workspace_.DatText() : std::string();
    TransferOutcome programmed = workspace_.ProgramToRadio(*link_, {verify_});
    if (programmed.completed) ForgetPartial(PortName());
    if (programmed.partial && services_.keeper) {
        const PartialProgramming partial{PortName(), workspace_.currentFilePath(), UtcIsoTime(SystemUtcSeconds()), plan};
        if (const Failure failure = services_.keeper->RememberPartial(partial); failure.Failed())
            services_.log.Report("frmMain.RememberPartial", failure.LogText());
    }
    return programmed;
}

TransferOutcome AppSession::CompareWithRadio(DataSet& radio) {
    if (!link_) return NoLink();
    ApplyLinkChoice();
    link_->SetAsker(&services_.asker);
    TransferOutcome read = workspace_.ReadRadioForComparison(*link_, radio);
    if (read.completed) {
        ForgetPartial(PortName());
        (void)KeepImage(radio, KeepReason::Read, read);
    }
    return read;
}

ProbeOutcome AppSession::TestConnection() {
    ProbeOutcome outcome;
    if (!link_) {
        outcome.failure = Failure{FailureKind::Communication, {}, EnglishWords(MessageId::NoRadioLink)};
        return outcome;
    }
    ApplyLinkChoice();
    outcome.report = link_->Probe();
    if (outcome.report.result == link::ProbeResult::Cancelled) {
        outcome.failure = Failure{FailureKind::Cancelled};
        return outcome;
    }
    const bool found = outcome.report.RadioFound();
    outcome.Say(Message{outcome.report.Text(), Words(MessageId::TestConnection), found ? Icon::Information : Icon::Warning});
    if (!found) outcome.failure = Failure{FailureKind::Communication, {}, EnglishWords(MessageId::NoMr318Answered)};
    return outcome;
}

}  // namespace rp770
