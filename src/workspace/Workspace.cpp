#include "workspace/Workspace.h"

#include <algorithm>
#include <exception>
#include <filesystem>

#include "core/Codecs.h"
#include "core/CommandLine.h"
#include "core/ErrorLog.h"
#include "core/MemoryImage.h"
#include "core/Titles.h"
#include "files/AtomicFile.h"
#include "files/DatReader.h"
#include "files/DatWriter.h"
#include "files/FileBytes.h"
#include "files/HexFile.h"
#include "files/ModelList.h"
#include "files/SectionTable.h"
#include "workspace/ChannelCsv.h"
#include "workspace/ChannelCsvImport.h"
#include "workspace/Messages.h"
#include "workspace/ProgramCheck.h"

namespace rp770 {

bool IsMemoryImagePath(const std::string& path) {
    return path.size() >= 4 && EqualsNoCase(path.substr(path.size() - 4), ".hex");
}

Workspace::Workspace(std::string programFolder, SettingsStore& settings, Prompter& prompter)
    : programFolder_(std::move(programFolder)), settings_(settings), prompter_(prompter), history_(Document{}) {}

std::string Workspace::modelName() const { return ModelName(modelNumber()); }

std::string Workspace::messageTitle() const { return MessageTitle(modelNumber()); }

void Workspace::AddListener(WorkspaceListener* listener) {
    if (listener && std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
        listeners_.push_back(listener);
}

void Workspace::RemoveListener(WorkspaceListener* listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void Workspace::Notify(Change change) {
    const std::vector<WorkspaceListener*> listeners = listeners_;  // a listener may leave meanwhile
    for (WorkspaceListener* listener : listeners)
        if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end()) listener->WorkspaceChanged(change);
}

void Workspace::ResetOperationFlags() {
    fileError_ = false;
    operationCancelled_ = false;
}

void Workspace::Show(const std::string& text, Icon icon) { prompter_.Message(text, messageTitle(), icon); }

void Workspace::SetModelOf(DataSet& data, int model) const {
    data.modelNumber = model;
    data.flags = ReadModelFlags(ModelListPath(programFolder_), model);
}

DestinationContext Workspace::Context(int model) { return DestinationContext{programFolder_, model, settings_}; }

// ---- start ------------------------------------------------------------------

bool Workspace::Start() {
    offeredModels_ = OfferedModels(ModelListPath(programFolder_));
    if (offeredModels_.empty()) {
        prompter_.Message(msg::UnknownModel, AppTitle, Icon::Critical);
        return false;
    }
    SetModelOf(history_.CurrentInPlace().data, ChooseStartModel(offeredModels_, settings_));
    return true;
}

// ---- history ----------------------------------------------------------------

bool Workspace::Undo() {
    if (!history_.Undo()) return false;
    Notify(Change::Restored);
    return true;
}

bool Workspace::Redo() {
    if (!history_.Redo()) return false;
    Notify(Change::Restored);
    return true;
}

void Workspace::Replace(Document next, std::string action) {
    if (started_) {
        history_.Push(std::move(next), std::move(action));
    } else {
        // The first data set of the session is where the history starts.
        history_.CurrentInPlace() = std::move(next);
        started_ = true;
    }
    history_.MarkClean();
    Notify(Change::Replaced);
}

bool Workspace::Commit(const std::function<void(DataSet&)>& change, std::string action, Change kind) {
    Document next = history_.Current();
    change(next.data);
    if (next.data == data()) return false;
    history_.Push(std::move(next), std::move(action));
    Notify(kind);
    return true;
}

// ---- whole data sets ----------------------------------------------------------

void Workspace::ReportDefinitionLoad(DefinitionLoad load) {
    switch (load) {
        case DefinitionLoad::Loaded:
        case DefinitionLoad::WrongLength:
            break;
        case DefinitionLoad::BadModelCode:
            fileError_ = true;
            break;
        case DefinitionLoad::Failed:
            fileError_ = true;
            operationCancelled_ = true;
            break;
    }
    if (load != DefinitionLoad::Loaded) Show(msg::IniFileReadError, Icon::Warning);
}

bool Workspace::FactoryDocument(Document& document) {
    ResetDataSet(document.data);
    document.filePath.clear();
    DefinitionLoad load = DefinitionLoad::Loaded;
    switch (ScanModelDefinitions(Context(document.data.modelNumber), document.destinations, document.data, &load)) {
        case ScanOutcome::NoFiles:
            Show(msg::IniFilesNotFound, Icon::Warning);
            return true;  // the program's own factory defaults
        case ScanOutcome::LoadFailed:
            ReportDefinitionLoad(load);
            return false;
        case ScanOutcome::Loaded:
        case ScanOutcome::NoEntry:
            break;
    }
    return true;
}

void Workspace::New() {
    ResetOperationFlags();
    Document next = history_.Current();
    FactoryDocument(next);
    Replace(std::move(next), "New");
}

bool Workspace::ConfirmModelChange(int model) {
    const Answer answer = prompter_.Ask("Do you want to program the " + ModelName(model) + " series?", messageTitle(),
                                        Icon::Warning, Buttons::OkCancel, Answer::Ok);
    return answer == Answer::Ok;
}

bool Workspace::ChangeModel(int model) {
    if (model == modelNumber() || model < 1 || model > kModelSlots) return false;
    ResetOperationFlags();
    Document next = history_.Current();
    SetModelOf(next.data, model);
    settings_.Set(kSettingsSection, kLastModelKey, std::to_string(model));
    FactoryDocument(next);
    Replace(std::move(next), "Model " + ModelName(model));
    return true;
}

bool Workspace::ConfirmDestinationChange(int entry) {
    const DestinationMenu& menu = destinations();
    if (entry < 0 || entry >= static_cast<int>(menu.names.size())) return false;
    if (entry == menu.checked) return true;
    const Answer answer = prompter_.Ask("Do you want to change to " + menu.names[static_cast<size_t>(entry)] + "?",
                                        messageTitle(), Icon::Warning, Buttons::OkCancel, Answer::Ok);
    return answer == Answer::Ok;
}

bool Workspace::ChangeDestination(int entry) {
    ResetOperationFlags();
    if (entry < 0 || entry >= static_cast<int>(destinations().names.size())) return false;
    Document next = history_.Current();
    ResetDataSet(next.data);
    next.filePath.clear();
    DefinitionLoad load = DefinitionLoad::Loaded;
    if (!SelectDestination(Context(next.data.modelNumber), next.destinations, entry, next.data, &load)) {
        ReportDefinitionLoad(load);  // the data and the check mark stay as they were
        return false;
    }
    const std::string name = next.destinations.names[static_cast<size_t>(entry)];
    Replace(std::move(next), "Destination " + name);
    return true;
}

// ---- files --------------------------------------------------------------------

void Workspace::ReportFileFailure(const char* procedure, const char* message, const std::string& path,
                                  const Failure& failure) {
    ReportError(procedure, failure.LogText());
    Show(WithReason(message, path, failure), Icon::Warning);
}

bool Workspace::ReadDatDocument(const std::string& path, Document& next) {
    ResetOperationFlags();
    operationCancelled_ = true;  // until the file has been read
    auto readFailed = [&](const Failure& failure) {
        fileError_ = true;
        ReportFileFailure("frmMain.FileRead2", msg::FileReadError, path, failure);
        return false;
    };
    try {
        std::string text;
        if (const Failure failure = ReadWholeFile(path, text); failure.Failed()) return readFailed(failure);
        if (!FactoryDocument(next)) return false;  // the destination's factory data could not be loaded
        if (!ModelTypeMatches(text, next.data.modelNumber)) {
            Show(msg::ModelTypeError, Icon::Critical);
            fileError_ = true;
            return false;
        }
        ApplySections(SectionTable::Parse(std::move(text)), next.data);
    } catch (const std::exception& e) {
        return readFailed(FailureFromException(e));
    }
    operationCancelled_ = false;
    return true;
}

bool Workspace::OpenDocument(const std::string& path, bool (Workspace::*read)(const std::string&, Document&)) {
    Document next = history_.Current();
    if (!(this->*read)(path, next)) return false;
    next.filePath = path;
    Replace(std::move(next), "Open " + FileNamePart(path));
    return true;
}

bool Workspace::OpenDatFile(const std::string& path) { return OpenDocument(path, &Workspace::ReadDatDocument); }

bool Workspace::SaveDatFile(const std::string& path) {
    ResetOperationFlags();
    Failure failure;
    try {
        failure = SaveFileAs(path, data());
    } catch (const std::exception& e) {
        failure = FailureFromException(e);
    }
    if (failure.Failed()) {
        fileError_ = true;
        ReportFileFailure("frmMain.SaveFileAs", msg::FileSaveError, path, failure);
        operationCancelled_ = true;
        return false;
    }
    history_.CurrentInPlace().filePath = path;
    history_.MarkClean();
    Notify(Change::Saved);
    return true;
}

bool Workspace::ReadHexDocument(const std::string& path, Document& next) {
    ResetOperationFlags();
    auto readFailed = [&](const Failure& failure) {
        fileError_ = true;
        ReportFileFailure("frmMain.ReadHexFileAs", msg::FileReadError, path, failure);
        operationCancelled_ = true;
        return false;
    };
    if (!RegularFileLength(path)) {
        std::string unused;
        const Failure failure = ReadWholeFile(path, unused);
        return readFailed(failure.Failed() ? failure : Failure{FailureKind::PathFileAccess});
    }
    const HexReadResult read = ReadHexFileAs(path, next.data.modelNumber, next.data.image);
    switch (read.outcome) {
        case HexRead::WrongLength:
            Show(msg::BadFile, Icon::Critical);
            return false;
        case HexRead::BadModelCode:
            fileError_ = true;
            prompter_.Message(msg::ModelTypeError, msg::ReadFromRadioTitle, Icon::Critical);
            return false;
        case HexRead::Failed:
            return readFailed(read.failure);
        case HexRead::Loaded:
            break;
    }
    DecodeImage(next.data);
    return true;
}

bool Workspace::OpenHexFile(const std::string& path) { return OpenDocument(path, &Workspace::ReadHexDocument); }

bool Workspace::SaveHexFile(const std::string& path) {
    ResetOperationFlags();
    // The file holds the data exactly as they would be sent to the radio.
    DataSet& current = history_.CurrentInPlace().data;
    EncodeImage(current);
    FixStartChannel(current);
    if (const Failure failure = SaveHexFileAs(path, current.image); failure.Failed()) {
        ReportFileFailure("frmMain.SaveHexFileAs", msg::FileSaveError, path, failure);
        operationCancelled_ = true;
        return false;
    }
    return true;
}

std::optional<DataSet> Workspace::ReadDataFile(const std::string& path) {
    Document other = history_.Current();
    if (!(IsMemoryImagePath(path) ? ReadHexDocument(path, other) : ReadDatDocument(path, other))) return std::nullopt;
    return std::move(other.data);
}

// ---- channel tables -----------------------------------------------------------

bool Workspace::ExportChannels(const std::string& path) {
    ResetOperationFlags();
    if (const Failure failure = WriteFileAtomically(path, ExportChannelCsv(data())); failure.Failed()) {
        fileError_ = true;
        ReportFileFailure("frmMain.ExportChannels", msg::FileSaveError, path, failure);
        operationCancelled_ = true;
        return false;
    }
    return true;
}

bool Workspace::ImportChannels(const std::string& path) {
    ResetOperationFlags();
    std::string text;
    if (const Failure failure = ReadWholeFile(path, text); failure.Failed()) {
        fileError_ = true;
        ReportFileFailure("frmMain.ImportChannels", msg::FileReadError, path, failure);
        return false;
    }
    const std::string name = std::filesystem::path(path).filename().string();
    const ChannelImport imported = ImportChannelCsv(data(), text);
    if (!imported.problems.empty()) {
        fileError_ = true;
        std::string message = "The channels of " + name + " were not imported:";
        for (const std::string& problem : imported.problems) message += "\n" + problem;
        Show(message, Icon::Warning);
        return false;
    }
    ReplaceData(imported.data, "Import Channels " + name);
    return true;
}

// ---- transfers ----------------------------------------------------------------

namespace {
bool Synchronise(link::TransferEngine& engine) {
    engine.ShowMonitor("startsync...");
    if (!engine.SyncRadio()) {
        engine.ShowMonitor("can not syncing!!");
        return false;
    }
    engine.ShowMonitor("sync ok");
    return true;
}
}  // namespace

TransferResult Workspace::ReadRadioInto(link::TransferEngine& engine, DataSet& data) {
    TransferResult result;
    if (!(result.synchronised = Synchronise(engine))) return result;
    result.completed = engine.ReadFromRadio(data);
    if (result.completed) radioImage_ = data.image;
    return result;
}

bool Workspace::ConfirmProgramming() {
    const std::vector<std::string> findings = ProgrammingFindings(data());
    if (findings.empty()) return true;
    const std::optional<size_t> changed = currentFilePath().empty() ? std::nullopt : FieldsChangedInRadio();
    return prompter_.Ask(ProgrammingQuestion(findings, changed), messageTitle(), Icon::Warning, Buttons::YesNo,
                         Answer::No) == Answer::Yes;
}

std::optional<size_t> Workspace::FieldsChangedInRadio() const {
    if (!radioImage_) return std::nullopt;
    return rp770::FieldsChangedInRadio(data(), *radioImage_);
}

TransferResult Workspace::ReadFromRadio(link::TransferEngine& engine) {
    // The radio's image is read into a copy: a failed or cancelled read
    // leaves the data bit for bit as they were.
    Document next = history_.Current();
    const TransferResult result = ReadRadioInto(engine, next.data);
    if (!result.completed) return result;
    next.filePath.clear();
    Replace(std::move(next), "Read from Radio");
    return result;
}

TransferResult Workspace::ReadRadioForComparison(link::TransferEngine& engine, DataSet& radio) {
    // Read over a copy of the data, as a read that is taken over would be:
    // what the image does not hold (tags, the file-only settings) stays the
    // same on both sides.
    DataSet copy = data();
    const TransferResult result = ReadRadioInto(engine, copy);
    if (result.completed) radio = std::move(copy);
    return result;
}

TransferResult Workspace::ProgramToRadio(link::TransferEngine& engine, ProgramOptions options) {
    TransferResult result;
    if (!(result.synchronised = Synchronise(engine))) return result;
    // The image follows the model before it leaves the program; that is not an edit.
    DataSet& current = history_.CurrentInPlace().data;
    EncodeImage(current);
    FixStartChannel(current);
    const link::ProgramOutcome outcome = engine.ProgramToRadio(current);
    result.completed = outcome == link::ProgramOutcome::Complete;
    result.partial = outcome == link::ProgramOutcome::Partial;
    link::TellIfPartlyProgrammed(outcome, prompter_, "Program to Radio");
    if (options.verify && result.completed) Verify(engine, result);
    return result;
}

void Workspace::Verify(link::TransferEngine& engine, TransferResult& result) {
    const DataSet& sent = data();
    DataSet readBack = sent;
    if (!Synchronise(engine) || !engine.ReadBack(readBack)) {
        if (!engine.State().CancelRequested) prompter_.Message(kNotVerified, "Program to Radio", Icon::Warning);
        return;
    }
    radioImage_ = readBack.image;
    result.differences = CompareWrittenBytes(sent.image, readBack.image);
    result.verified = result.differences.empty();
    prompter_.Message(VerificationText(result.differences), "Program to Radio",
                      result.verified ? Icon::Information : Icon::Warning);
}

// ---- edits --------------------------------------------------------------------

EditResult Workspace::SetChannelFlag(ChannelRef channel, ChannelFlag flag, bool on, Completion completion) {
    EditResult result;
    Commit([&](DataSet& d) { result = ApplyChannelFlag(d, channel, flag, on, completion); },
           FlagCaption(flag, channel.area) + " " + ChannelName(data(), channel));
    return result;
}

EditResult Workspace::SetChannelFlags(const std::vector<ChannelRef>& channels, ChannelFlag flag, bool on) {
    if (channels.empty()) return std::nullopt;
    DataSet next = data();
    std::vector<ChannelRef> changed;
    std::string skipped;
    for (const ChannelRef& ref : channels) {
        const ChannelRecord* record = FindRecord(next, ref);
        if (!record || FlagValue(*record, flag) == on) continue;
        if (const EditResult refused = ApplyChannelFlag(next, ref, flag, on)) {
            // A switch the channel cannot have is left alone without a word;
            // an EXP channel that is not complete yet is named.
            if (refused->detail == kIncompleteExpRule) skipped += (skipped.empty() ? "" : ", ") + ChannelName(next, ref);
            continue;
        }
        changed.push_back(ref);
    }
    const std::string caption = FlagCaption(flag, channels.front().area);
    if (!changed.empty()) {
        const std::string which = changed.size() == 1 ? ChannelName(data(), changed.front())
                                                      : "(" + std::to_string(changed.size()) + " channels)";
        Commit([&](DataSet& d) { d = next; }, caption + " " + which, Change::Restored);
    }
    if (skipped.empty()) return std::nullopt;
    return Refusal{"Not enabled: " + skipped + ".", caption, kIncompleteExpRule};
}

EditResult Workspace::SetExpDisplay(int n, std::string_view left, std::string_view right) {
    const ChannelRef channel{Area::EXP, n};
    EditResult result;
    Commit([&](DataSet& d) { result = ApplyExpDisplay(d, n, left, right); }, "CH Display " + ChannelName(data(), channel));
    return result;
}

EditResult Workspace::SetExpFrequency(int n, bool rx, std::string_view text) {
    const ChannelRef channel{Area::EXP, n};
    EditResult result;
    Commit([&](DataSet& d) { result = ApplyExpFrequency(d, n, rx, text); },
           std::string(rx ? "Rx Frequency " : "Tx Frequency ") + ChannelName(data(), channel));
    return result;
}

EditResult Workspace::SetCommon(CommonField field, int value) {
    const bool valid = field == CommonField::ResumeTime     ? value >= 0 && value <= 5
                       : field == CommonField::WeatherAlert ? value >= 0 && value <= 3
                                                            : value == 0 || value == 1;
    if (!valid) return Refusal{kDataError, CommonCaption(field)};
    Commit(
        [&](DataSet& d) {
            CommonSetup& c = d.common;
            switch (field) {
                case CommonField::Scan: c.Scan = value != 0; break;
                case CommonField::ResumeTime: c.ResumeTime = static_cast<int16_t>(value); break;
                case CommonField::PttScanClear: c.PttScanClear = value != 0; break;
                case CommonField::DualWatch: c.DualWatch = value != 0; break;
                case CommonField::WeatherAlert: c.WeatherAlert = static_cast<int16_t>(value); break;
            }
        },
        CommonCaption(field));
    return std::nullopt;
}

EditResult Workspace::SetGroupUsable(int group, bool usable) {
    if (group < 0 || group >= kGroupCount) return Refusal{kDataError, "Usable Channel Groups"};
    Commit([&](DataSet& d) { d.groups[static_cast<size_t>(group)].Usable = usable; },
           std::string("Usable ") + GroupName(group));
    return std::nullopt;
}

EditResult Workspace::SetPriorityChannel(int group, int code) {
    const bool listed = group >= 0 && group < kPlanCount && code >= 0 && code < kPlanSlots &&
                        std::any_of(data().plan(group).begin(), data().plan(group).end(),
                                    [code](const ChannelRecord& r) { return r.Enable && r.Position == code; });
    if (!listed) return Refusal{kDataError, "Priority CH"};
    Commit([&](DataSet& d) { d.groups[static_cast<size_t>(group)].PriorityChannel = code; },
           std::string("Priority CH ") + GroupName(group));
    return std::nullopt;
}

EditResult Workspace::SetAtisGroup(int group, bool on) {
    if (group < 0 || group >= kGroupCount) return Refusal{kDataError, "Usable ATIS CH Group"};
    Commit([&](DataSet& d) { d.atis.AtisGroups[static_cast<size_t>(group)] = on; },
           std::string("Usable ATIS CH Group ") + GroupName(group));
    return std::nullopt;
}

EditResult Workspace::SetAtisCode(std::string_view text) {
    const std::optional<std::string> code = CheckAtisCode(text);
    if (!code) return AtisRefusal();
    Commit([&](DataSet& d) { d.atis.AtisCode = *code; }, "ATIS Code");
    return std::nullopt;
}

void Workspace::ReplaceData(const DataSet& next, std::string action) {
    if (next.modelNumber != modelNumber()) return;
    Commit([&](DataSet& d) { d = next; }, std::move(action), Change::Restored);
}

// ---- corrections ------------------------------------------------------------------

void Workspace::SnapExpFrequencies() {
    for (ChannelRecord& r : history_.CurrentInPlace().data.exp) {
        SnapFreq(r.Rxfreq);
        SnapFreq(r.Txfreq);
    }
}

void Workspace::SettleShownChannel(ChannelRef channel) {
    ChannelRecord* record = FindRecord(history_.CurrentInPlace().data, channel);
    if (record && IsPlan(channel.area) && record->RxOnly) record->TxEnable = false;
}

void Workspace::SettleWeatherAlert() {
    DataSet& current = history_.CurrentInPlace().data;
    if (!AnyWeatherEnabled(current)) current.common.WeatherAlert = 0;
}

}  // namespace rp770
