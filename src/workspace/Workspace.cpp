#include "workspace/Workspace.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "core/Codecs.h"
#include "core/CommandLine.h"
#include "core/ErrorLog.h"
#include "core/MemoryImage.h"
#include "core/Titles.h"
#include "files/DatReader.h"
#include "files/DatWriter.h"
#include "files/HexFile.h"
#include "files/ModelList.h"
#include "files/SectionTable.h"
#include "workspace/ChannelCsv.h"
#include "workspace/ChannelCsvImport.h"

namespace rp770 {

bool IsMemoryImagePath(const std::string& path) {
    return path.size() >= 4 && EqualsNoCase(path.substr(path.size() - 4), ".hex");
}

// The listeners live apart from the session, so that a subscription that
// outlives the session ends harmlessly.
struct Workspace::Listeners {
    struct Entry {
        uint64_t id;
        std::function<void(const ChangeNotice&)> listener;
    };
    std::vector<Entry> entries;
    uint64_t nextId = 1;
};

Workspace::Workspace(const ProgramData& program, SettingsStore& settings, ErrorLog& log)
    : program_(program), settings_(settings), log_(log), listeners_(std::make_shared<Listeners>()), history_(Document{}) {}

Workspace::~Workspace() = default;

std::string Workspace::modelName() const { return ModelName(modelNumber()); }

std::string Workspace::messageTitle() const { return MessageTitle(modelNumber()); }

Subscription Workspace::Subscribe(std::function<void(const ChangeNotice&)> listener) {
    const uint64_t id = listeners_->nextId++;
    listeners_->entries.push_back({id, std::move(listener)});
    return Subscription([weak = std::weak_ptr<Listeners>(listeners_), id] {
        if (const auto listeners = weak.lock())
            std::erase_if(listeners->entries, [id](const Listeners::Entry& e) { return e.id == id; });
    });
}

void Workspace::Notify(const ChangeNotice& notice) {
    // A listener may subscribe or leave meanwhile: each one still there is told once.
    std::vector<uint64_t> ids;
    for (const auto& e : listeners_->entries) ids.push_back(e.id);
    for (uint64_t id : ids) {
        const auto it = std::find_if(listeners_->entries.begin(), listeners_->entries.end(),
                                     [id](const Listeners::Entry& e) { return e.id == id; });
        if (it == listeners_->entries.end()) continue;
        const auto listener = it->listener;  // the entry may go while it runs
        listener(notice);
    }
}

Message Workspace::Say(const MessageText& text, Icon icon, std::string detail) const {
    return Message::Of(text, messageTitle(), icon, std::move(detail));
}

namespace {
// A refusal of the program's own: its message in English for the record,
// and in the language in use for the user.
Failure Refused(MessageId message) { return Failure{FailureKind::Refused, {}, EnglishWords(message)}; }
}  // namespace

void Workspace::SetModelOf(DataSet& data, int model) const {
    data.modelNumber = model;
    data.flags = ReadModelFlags(program_, model);
}

DestinationContext Workspace::Context(int model) { return DestinationContext{program_, model, settings_, log_}; }

// ---- start ------------------------------------------------------------------

Outcome Workspace::Start() {
    offeredModels_ = OfferedModels(program_);
    if (offeredModels_.empty())
        return FailedWith(Refused(MessageId::UnknownModel), Message::Of(MessageId::UnknownModel, AppTitle, Icon::Critical));
    SetModelOf(history_.CurrentInPlace().data, ChooseStartModel(offeredModels_, settings_));
    return {};
}

// ---- history ----------------------------------------------------------------

void Workspace::RememberDestination() {
    const DestinationMenu& menu = destinations();
    if (menu.checked >= 0 && menu.checked < static_cast<int>(menu.names.size()))
        settings_.Set(kIniFilePathSection, RememberedDestinationKey(modelNumber()),
                      menu.names[static_cast<size_t>(menu.checked)]);
}

bool Workspace::Undo() {
    const Document before = history_.Current();
    if (!history_.Undo()) return false;
    // An enable the channel editor had not completed is taken back for good:
    // no redo brings the incomplete channel back.
    if (std::exchange(provisional_, std::nullopt)) history_.DropRedo();
    // The remembered model and destination follow the data back.
    if (modelNumber() != before.data.modelNumber)
        settings_.Set(kSettingsSection, kLastModelKey, std::to_string(modelNumber()));
    if (destinations().checked != before.destinations.checked || modelNumber() != before.data.modelNumber)
        RememberDestination();
    ChangeNotice notice = before.cause;
    notice.source = ChangeSource::Undo;
    Notify(notice);
    return true;
}

bool Workspace::Redo() {
    const Document before = history_.Current();
    if (!history_.Redo()) return false;
    provisional_.reset();
    if (modelNumber() != before.data.modelNumber)
        settings_.Set(kSettingsSection, kLastModelKey, std::to_string(modelNumber()));
    if (destinations().checked != before.destinations.checked || modelNumber() != before.data.modelNumber)
        RememberDestination();
    ChangeNotice notice = history_.Current().cause;
    notice.source = ChangeSource::Redo;
    Notify(notice);
    return true;
}

void Workspace::Replace(Document next, std::string action) {
    next.cause = ChangeNotice{ChangeSource::Replacement, {}, {}, {}};
    provisional_.reset();
    if (started_) {
        history_.Push(std::move(next), std::move(action));
    } else {
        // The first data set of the session is where the history starts.
        history_.CurrentInPlace() = std::move(next);
        started_ = true;
    }
    history_.MarkClean();
    Notify(history_.Current().cause);
}

Workspace::Committed Workspace::Commit(const std::function<void(DataSet&)>& change, std::string action,
                                      ChangeNotice notice, std::optional<int> later) {
    Document next = history_.Current();
    change(next.data);
    if (next.data == data()) return Committed::Nothing;
    const bool exp = notice.channel && notice.channel->area == Area::EXP;
    const bool amend = provisional_ && exp && notice.channel->index == *provisional_;
    std::vector<int> made = NewlyIncompleteExpChannels(data(), next.data);
    std::erase_if(made, [&](int n) { return later == n; });
    if (!made.empty()) return Committed::Incomplete;
    next.cause = notice;
    if (amend) {
        // Still the step that enabled the channel: it is completed, not stacked.
        history_.Amend(std::move(next));
        if (!IsIncompleteExpChannel(data().exp[static_cast<size_t>(*provisional_)])) provisional_.reset();
    } else {
        history_.Push(std::move(next), std::move(action));
        provisional_.reset();
        if (later && IsIncompleteExpChannel(data().exp[static_cast<size_t>(*later)])) provisional_ = later;
    }
    Notify(notice);
    return Committed::Step;
}

std::vector<ChannelRef> Workspace::IncompleteChannels() const {
    std::vector<ChannelRef> channels;
    for (int n : IncompleteExpChannels(data())) channels.push_back({Area::EXP, n});
    return channels;
}

Outcome Workspace::CheckProgrammable() const {
    const std::vector<ChannelRef> incomplete = IncompleteChannels();
    if (incomplete.empty()) return {};
    std::string names;
    for (const ChannelRef& ref : incomplete) names += (names.empty() ? "" : ", ") + ChannelName(data(), ref);
    const MessageText refusal{MessageId::NotProgrammedIncomplete, names};
    return FailedWith(Failure{FailureKind::Refused, {}, refusal.English()},
                      Message::Of(refusal, Words(MessageId::ProgramToRadio), Icon::Warning));
}

void Workspace::Correct(const std::function<void(DataSet&)>& change) {
    DataSet& current = history_.CurrentInPlace().data;
    const DataSet before = current;
    change(current);
    if (current == before) return;
    Notify(ChangeNotice{ChangeSource::Correction, {}, {}, {}});
}

// ---- whole data sets ----------------------------------------------------------

Outcome Workspace::FactoryDocument(Document& document) {
    ResetDataSet(document.data);
    DefinitionLoad load = DefinitionLoad::Loaded;
    switch (ScanModelDefinitions(Context(document.data.modelNumber), document.destinations, document.data, &load)) {
        case ScanOutcome::NoFiles: {
            Outcome outcome;  // the program's own factory defaults
            outcome.Say(Say(MessageId::IniFilesNotFound, Icon::Warning));
            return outcome;
        }
        case ScanOutcome::LoadFailed:
            return FailedWith(Refused(MessageId::IniFileReadError), Say(MessageId::IniFileReadError, Icon::Warning));
        case ScanOutcome::Loaded:
        case ScanOutcome::NoEntry:
            break;
    }
    return {};
}

Outcome Workspace::New() {
    Document next = history_.Current();
    Outcome outcome = FactoryDocument(next);
    // The factory defaults stand even when the destination's file was refused.
    file_ = {};
    Replace(std::move(next), Words(MessageId::New));
    return outcome;
}

Outcome Workspace::ChangeModel(int model) {
    if (model == modelNumber() || model < 1 || model > kModelSlots)
        return Outcome{Failure{FailureKind::Refused}, {}};
    Document next = history_.Current();
    SetModelOf(next.data, model);
    settings_.Set(kSettingsSection, kLastModelKey, std::to_string(model));
    Outcome outcome = FactoryDocument(next);
    file_ = {};
    Replace(std::move(next), Words(MessageId::StepModel, ModelName(model)));
    return outcome;
}

Outcome Workspace::ChangeDestination(int entry) {
    if (entry < 0 || entry >= static_cast<int>(destinations().names.size()))
        return Outcome{Failure{FailureKind::Refused}, {}};
    Document next = history_.Current();
    ResetDataSet(next.data);
    DefinitionLoad load = DefinitionLoad::Loaded;
    if (!SelectDestination(Context(next.data.modelNumber), next.destinations, entry, next.data, &load)) {
        // The data and the check mark stay as they were.
        return FailedWith(Refused(MessageId::IniFileReadError), Say(MessageId::IniFileReadError, Icon::Warning));
    }
    const std::string name = next.destinations.names[static_cast<size_t>(entry)];
    file_ = {};
    Replace(std::move(next), Words(MessageId::StepDestination, name));
    return {};
}

// ---- files --------------------------------------------------------------------

Outcome Workspace::ReadDatDocument(std::string text, const std::string& name, Document& next) {
    try {
        Outcome outcome = FactoryDocument(next);
        if (outcome.Failed()) return outcome;  // the destination's factory data could not be loaded
        if (!ModelTypeMatches(text, next.data.modelNumber))
            return FailedWith(Refused(MessageId::ModelTypeError),
                              Say(MessageId::ModelTypeError, Icon::Critical,
                                  Words(MessageId::ModelTypeNotInFile, next.data.modelNumber, ModelName(next.data.modelNumber))));
        ApplySections(SectionTable::Parse(std::move(text)), next.data);
        return outcome;
    } catch (const std::exception& e) {
        const Failure failure = FailureFromException(e);
        log_.Report("frmMain.FileRead2", failure.LogText());
        return FailedWith(Failure{failure.kind, failure.reason, EnglishWords(MessageId::FileReadError)},
                          Say(WithReason(Words(MessageId::FileReadError), name, failure), Icon::Warning));
    }
}

Outcome Workspace::WrongLengthOutcome(std::optional<size_t> length) const {
    const MessageText detail = length ? MessageText(MessageId::ImageWrongLength, data().image.size(), *length)
                                      : MessageText(MessageId::ImageLonger, data().image.size());
    return FailedWith(Refused(MessageId::BadFile), Say(MessageId::BadFile, Icon::Critical, detail.Render()));
}

Outcome Workspace::ReadHexDocument(std::string_view bytes, Document& next) const {
    switch (ReadHexBytes(bytes, next.data.modelNumber, next.data.image)) {
        case HexRead::WrongLength:
            return WrongLengthOutcome(bytes.size());
        case HexRead::BadModelCode:
            return FailedWith(Refused(MessageId::ModelTypeError),
                              Message::Of(MessageId::ModelTypeError, Words(MessageId::ReadFromRadio), Icon::Critical,
                                          Words(MessageId::ImageWrongModelCodes, ModelName(next.data.modelNumber))));
        case HexRead::Loaded:
            break;
    }
    DecodeImage(next.data);
    return {};
}

Outcome Workspace::OpenDat(std::string text, const std::string& name) {
    Document next = history_.Current();
    Outcome outcome = ReadDatDocument(std::move(text), name, next);
    if (outcome.Failed()) return outcome;
    file_ = {name, false};
    Replace(std::move(next), Words(MessageId::StepOpen, FileNamePart(name)));
    return outcome;
}

Outcome Workspace::OpenHex(std::string_view bytes, const std::string& name) {
    Document next = history_.Current();
    Outcome outcome = ReadHexDocument(bytes, next);
    if (outcome.Failed()) return outcome;
    file_ = {name, true};
    Replace(std::move(next), Words(MessageId::StepOpen, FileNamePart(name)));
    return outcome;
}

Outcome Workspace::OpenFile(std::string bytes, const std::string& name) {
    return IsMemoryImagePath(name) ? OpenHex(bytes, name) : OpenDat(std::move(bytes), name);
}

std::optional<DataSet> Workspace::ReadDataFile(std::string bytes, const std::string& name, Outcome& outcome,
                                               std::optional<bool> image) {
    Document other = history_.Current();
    outcome = image.value_or(IsMemoryImagePath(name)) ? ReadHexDocument(bytes, other)
                                                      : ReadDatDocument(std::move(bytes), name, other);
    if (outcome.Failed()) return std::nullopt;
    return std::move(other.data);
}

std::string Workspace::DatText() const { return FormatSettingsText(data()); }

std::string Workspace::HexBytes() {
    // The file holds the data exactly as they would be sent to the radio.
    Correct([](DataSet& d) {
        EncodeImage(d);
        FixStartChannel(d);
    });
    return HexFileBytes(data().image);
}

void Workspace::MarkSaved(const std::string& name) {
    file_ = {name, false};
    history_.MarkClean();
    Notify(ChangeNotice{ChangeSource::Saved, {}, {}, {}});
}

void Workspace::RestoreFile(const std::string& path, bool image) {
    file_ = {path, image};
    Notify(ChangeNotice{ChangeSource::Saved, {}, {}, {}});
}

const DataSet* Workspace::cleanData() const {
    const Document* clean = history_.Clean();
    return clean ? &clean->data : nullptr;
}

Outcome Workspace::RestoreKept(int model, const std::string& destination, const DataSet& edited,
                               const std::optional<DataSet>& base, const std::string& name, std::string action) {
    const bool offered = std::find(offeredModels_.begin(), offeredModels_.end(), model) != offeredModels_.end();
    if (!offered || edited.modelNumber != model || (base && base->modelNumber != model))
        return FailedWith(Refused(MessageId::ModelTypeError), Say(MessageId::ModelTypeError, Icon::Critical));
    Document next = history_.Current();
    SetModelOf(next.data, model);
    settings_.Set(kSettingsSection, kLastModelKey, std::to_string(model));
    if (!destination.empty()) settings_.Set(kIniFilePathSection, RememberedDestinationKey(model), destination);
    // The Destination menu as the definition files give it; the data are the kept ones.
    Outcome outcome = FactoryDocument(next);
    next.data = base ? *base : edited;
    file_ = {name, IsMemoryImagePath(name)};
    Replace(std::move(next), Words(MessageId::StepOpen, FileNamePart(name)));
    if (edited == data()) {
        // Changed and changed back: still not what was saved.
        history_.MarkNoneClean();
        Notify(ChangeNotice{ChangeSource::Saved, {}, {}, {}});
    } else {
        // The kept data exactly as they were, unchecked: they are what the
        // user had (a channel the editor had not completed included). Held
        // on the heap: a data set is large for the page's stack.
        auto kept = std::make_unique<Document>(history_.Current());
        kept->data = edited;
        kept->cause = ChangeNotice{ChangeSource::Edit, {}, {}, {}};
        history_.Push(std::move(*kept), std::move(action));
        Notify(history_.Current().cause);
    }
    outcome.failure = {};
    return outcome;
}

// ---- channel tables -----------------------------------------------------------

std::string Workspace::ChannelsCsv() const { return ExportChannelCsv(data()); }

Outcome Workspace::ImportChannels(std::string_view text, const std::string& name) {
    const std::string shown = FileNamePart(name);
    const ChannelImport imported = ImportChannelCsv(data(), text);
    if (!imported.problems.empty()) {
        return FailedWith(Refused(MessageId::ChannelsNotImported),
                          Message{ImportRefusalText(shown, imported), messageTitle(), Icon::Warning, {},
                                  MessageId::ChannelsNotImportedFrom});
    }
    if (!ReplaceData(imported.data, Words(MessageId::StepImportChannels, shown)))
        return FailedWith(Refused(MessageId::ChannelsNotImported), Say(MessageId::RuleIncompleteExp, Icon::Warning));
    return {};
}

// ---- transfers ----------------------------------------------------------------

namespace {

bool Synchronise(link::TransferEngine& engine) {
    engine.ShowMonitor(Words(MessageId::MonitorStartSync));
    if (!engine.SyncRadio()) {
        engine.ShowMonitor(Words(MessageId::MonitorCannotSync));
        return false;
    }
    engine.ShowMonitor(Words(MessageId::MonitorSyncOk));
    return true;
}

// The link's messages, and how the transfer ended, into the outcome.
void Conclude(link::TransferEngine& engine, TransferOutcome& outcome) {
    for (Message& m : engine.TakeMessages()) outcome.Say(std::move(m));
    if (outcome.completed) return;
    if (engine.State().CancelRequested)
        outcome.failure = Failure{FailureKind::Cancelled};
    else
        outcome.failure = Failure{FailureKind::Communication, {}, EnglishWords(MessageId::CommunicationError)};
}

}  // namespace

TransferOutcome Workspace::ReadRadioInto(link::TransferEngine& engine, DataSet& data, bool announce,
                                         const std::string& activity) {
    TransferOutcome result;
    if ((result.synchronised = Synchronise(engine))) {
        result.completed = announce ? engine.ReadFromRadio(data) : engine.ReadBack(data, activity);
        if (result.completed) radioImage_ = data.image;
    }
    Conclude(engine, result);
    return result;
}

TransferOutcome Workspace::ReadFromRadio(link::TransferEngine& engine) {
    // The radio's image is read into a copy: a failed or cancelled read
    // leaves the data bit for bit as they were.
    Document next = history_.Current();
    TransferOutcome result = ReadRadioInto(engine, next.data, true);
    if (!result.completed) return result;
    file_ = {};
    Replace(std::move(next), Words(MessageId::ReadFromRadio));
    return result;
}

TransferOutcome Workspace::ReadRadioForComparison(link::TransferEngine& engine, DataSet& radio,
                                                  const std::string& activity) {
    // Read over a copy of the data, as a read that is taken over would be:
    // what the image does not hold (tags, the file-only settings) stays the
    // same on both sides.
    DataSet copy = data();
    TransferOutcome result = ReadRadioInto(engine, copy, false, activity);
    if (result.completed) radio = std::move(copy);
    return result;
}

TransferOutcome Workspace::ProgramToRadio(link::TransferEngine& engine, ProgramOptions options) {
    TransferOutcome result;
    // Nothing goes out while an enabled channel is incomplete: the bytes are
    // never changed to make it pass.
    if (Outcome refused = CheckProgrammable(); refused.Failed()) {
        result.failure = std::move(refused.failure);
        result.messages = std::move(refused.messages);
        return result;
    }
    if (!(result.synchronised = Synchronise(engine))) {
        Conclude(engine, result);
        return result;
    }
    // The image follows the model before it leaves the program; that is not an edit.
    Correct([](DataSet& d) {
        EncodeImage(d);
        FixStartChannel(d);
    });
    const link::ProgramOutcome outcome = engine.ProgramToRadio(data());
    result.completed = outcome == link::ProgramOutcome::Complete;
    result.partial = outcome == link::ProgramOutcome::Partial;
    Conclude(engine, result);
    if (result.partial) result.Say(Message::Of(link::kPartlyProgrammed, Words(MessageId::ProgramToRadio), Icon::Warning));
    if (options.verify && result.completed) {
        // The verification's finding is the result: no "Complete!!" before it.
        std::erase_if(result.messages, [](const Message& m) { return m.Is(MessageId::Complete); });
        Verify(engine, result);
    }
    return result;
}

void Workspace::Verify(link::TransferEngine& engine, TransferOutcome& result) {
    const DataSet& sent = data();
    DataSet readBack = sent;
    const bool read = Synchronise(engine) && engine.ReadBack(readBack, Words(MessageId::ReadingRadioToVerify));
    for (Message& m : engine.TakeMessages()) result.Say(std::move(m));
    if (!read) {
        if (!engine.State().CancelRequested)
            result.Say(Message::Of(kNotVerified, Words(MessageId::ProgramToRadio), Icon::Warning));
        result.failure = Failure{engine.State().CancelRequested ? FailureKind::Cancelled : FailureKind::Communication,
                                 {}, EnglishWords(kNotVerified)};
        return;
    }
    radioImage_ = readBack.image;
    result.differences = CompareWrittenBytes(sent.image, readBack.image);
    result.verified = result.differences.empty();
    result.Say(Message{VerificationText(result.differences), Words(MessageId::ProgramToRadio),
                       result.verified ? Icon::Information : Icon::Warning, {},
                       result.verified ? MessageId::Verified : MessageId::NotVerifiedBytes});
    if (!result.verified)
        result.failure = Failure{FailureKind::Communication, {}, EnglishWords(MessageId::RadioDoesNotHoldIt)};
}

// ---- edits --------------------------------------------------------------------

namespace {
ChangeNotice EditOf(ChannelRef channel, std::string field) {
    return ChangeNotice{ChangeSource::Edit, channel.area, channel, std::move(field)};
}
ChangeNotice SettingEdit(std::string field) { return ChangeNotice{ChangeSource::Edit, {}, {}, std::move(field)}; }
}  // namespace

EditResult Workspace::SetChannelFlag(ChannelRef channel, ChannelFlag flag, bool on, Completion completion) {
    EditResult result;
    const std::string caption = FlagCaption(flag, channel.area);
    const bool later = completion == Completion::Later && channel.area == Area::EXP;
    if (Commit([&](DataSet& d) { result = ApplyChannelFlag(d, channel, flag, on, completion); },
               Words(MessageId::StepFieldOfChannel, caption, ChannelName(data(), channel)), EditOf(channel, caption),
               later ? std::optional<int>(channel.index) : std::nullopt) == Committed::Incomplete)
        return Refusal{kDataError, caption, kIncompleteExpRule};
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
            if (refused->rule == kIncompleteExpRule.id) skipped += (skipped.empty() ? "" : ", ") + ChannelName(next, ref);
            continue;
        }
        changed.push_back(ref);
    }
    const Area area = channels.front().area;
    const std::string caption = FlagCaption(flag, area);
    if (!changed.empty()) {
        const bool one = changed.size() == 1;
        const std::string which =
            one ? ChannelName(data(), changed.front()) : Words(MessageId::StepChannelCount, changed.size());
        ChangeNotice notice{ChangeSource::Edit, area, one ? std::optional<ChannelRef>(changed.front()) : std::nullopt, caption};
        Commit([&](DataSet& d) { d = next; }, Words(MessageId::StepFieldOfChannel, caption, which), notice);
    }
    if (skipped.empty()) return std::nullopt;
    return Refusal{Words(MessageId::NotEnabled, skipped), caption, kIncompleteExpRule};
}

EditResult Workspace::SetExpDisplay(int n, std::string_view left, std::string_view right) {
    const ChannelRef channel{Area::EXP, n};
    const std::string field = Words(MessageId::ChDisplay);
    EditResult result;
    if (Commit([&](DataSet& d) { result = ApplyExpDisplay(d, n, left, right); },
               Words(MessageId::StepFieldOfChannel, field, ChannelName(data(), channel)), EditOf(channel, field)) ==
        Committed::Incomplete)
        return Refusal{kDataError, field, kIncompleteExpRule};
    return result;
}

EditResult Workspace::SetExpFrequency(int n, bool rx, std::string_view text) {
    const ChannelRef channel{Area::EXP, n};
    const std::string field = Words(rx ? MessageId::RxFrequency : MessageId::TxFrequency);
    EditResult result;
    if (Commit([&](DataSet& d) { result = ApplyExpFrequency(d, n, rx, text); },
               Words(MessageId::StepFieldOfChannel, field, ChannelName(data(), channel)), EditOf(channel, field)) ==
        Committed::Incomplete)
        return Refusal{kDataError, Words(rx ? MessageId::RxFrequencyHint : MessageId::TxFrequencyHint), kIncompleteExpRule};
    return result;
}

EditResult Workspace::SetCommon(CommonField field, int value) {
    const bool valid = field == CommonField::ResumeTime     ? value >= 0 && value <= 5
                       : field == CommonField::WeatherAlert ? value >= 0 && value <= 3
                                                            : value == 0 || value == 1;
    if (!valid) return Refusal{kDataError, CommonCaption(field), CatalogueText{MessageId::RuleListValue}};
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
        CommonCaption(field), SettingEdit(CommonCaption(field)));
    return std::nullopt;
}

EditResult Workspace::SetGroupUsable(int group, bool usable) {
    if (group < 0 || group >= kGroupCount) return Refusal{kDataError, Words(MessageId::UsableChannelGroups)};
    const std::string action = Words(MessageId::StepUsableGroup, GroupName(group));
    Commit([&](DataSet& d) { d.groups[static_cast<size_t>(group)].Usable = usable; }, action, SettingEdit(action));
    return std::nullopt;
}

EditResult Workspace::SetPriorityChannel(int group, int code) {
    const bool listed = group >= 0 && group < kPlanCount && code >= 0 && code < kPlanSlots &&
                        std::any_of(data().plan(group).begin(), data().plan(group).end(),
                                    [code](const ChannelRecord& r) { return r.Enable && r.Position == code; });
    if (!listed) return Refusal{kDataError, Words(MessageId::PriorityCh), CatalogueText{MessageId::RulePriorityChannel}};
    const std::string action = Words(MessageId::StepPriorityChannel, GroupName(group));
    Commit([&](DataSet& d) { d.groups[static_cast<size_t>(group)].PriorityChannel = code; }, action,
           SettingEdit(action));
    return std::nullopt;
}

EditResult Workspace::SetAtisGroup(int group, bool on) {
    if (group < 0 || group >= kGroupCount) return Refusal{kDataError, Words(MessageId::UsableAtisChGroup)};
    const std::string action = Words(MessageId::StepAtisGroup, GroupName(group));
    Commit([&](DataSet& d) { d.atis.AtisGroups[static_cast<size_t>(group)] = on; }, action, SettingEdit(action));
    return std::nullopt;
}

EditResult Workspace::SetAtisCode(std::string_view text) {
    const std::optional<std::string> code = CheckAtisCode(text);
    if (!code) return AtisRefusal();
    const std::string field = Words(MessageId::AtisCode);
    Commit([&](DataSet& d) { d.atis.AtisCode = *code; }, field, SettingEdit(field));
    return std::nullopt;
}

bool Workspace::ReplaceData(const DataSet& next, std::string action) {
    if (next.modelNumber != modelNumber()) return false;
    return Commit([&](DataSet& d) { d = next; }, std::move(action), ChangeNotice{ChangeSource::Edit, {}, {}, {}}) !=
           Committed::Incomplete;
}

// ---- corrections ------------------------------------------------------------------

void Workspace::SnapExpFrequencies() {
    Correct([](DataSet& d) {
        for (ChannelRecord& r : d.exp) {
            SnapFreq(r.Rxfreq);
            SnapFreq(r.Txfreq);
        }
    });
}

void Workspace::SettleShownChannel(ChannelRef channel) {
    Correct([channel](DataSet& d) {
        ChannelRecord* record = FindRecord(d, channel);
        if (record && IsPlan(channel.area) && record->RxOnly) record->TxEnable = false;
    });
}

void Workspace::CorrectForShowing(Showing what, std::optional<ChannelRef> channel) {
    switch (what) {
        case Showing::CommonSetup:
        case Showing::Weather: SettleWeatherAlert(); break;
        case Showing::Report: SnapExpFrequencies(); break;
        case Showing::ChannelList:
            if (channel && channel->area == Area::EXP) SnapExpFrequencies();
            break;
        case Showing::ChannelEditor:
            if (!channel) break;
            if (channel->area == Area::EXP)
                SnapExpFrequencies();
            else
                SettleShownChannel(*channel);
            break;
    }
}

void Workspace::SettleWeatherAlert() {
    Correct([](DataSet& d) {
        if (!AnyWeatherEnabled(d)) d.common.WeatherAlert = 0;
    });
}

}  // namespace rp770
