#include "web/WebSession.h"

#include "core/CommandLine.h"
#include "messages/MessageText.h"
#include "core/Titles.h"
#include "presentation/InputRules.h"
#include "presentation/ScreenMessages.h"
#include "report/PrintedReport.h"
#include "report/TextReport.h"
#include "core/HexDump.h"
#include "messages/MessageText.h"
#include "web/ShippedData.h"

namespace rp770::web {

namespace {


const char* SourceName(ChangeSource source) {
    switch (source) {
        case ChangeSource::Edit: return "edit";
        case ChangeSource::Undo: return "undo";
        case ChangeSource::Redo: return "redo";
        case ChangeSource::Correction: return "correction";
        case ChangeSource::Replacement: return "replacement";
        case ChangeSource::Saved: return "saved";
    }
    return "edit";
}

FailureKind FileFailureKind(const val& result) {
    const val kind = result["kind"];
    const std::string k = kind.isString() ? kind.as<std::string>() : std::string();
    if (k == "notFound") return FailureKind::FileNotFound;
    if (k == "denied") return FailureKind::PermissionDenied;
    return FailureKind::DeviceIo;
}

Failure FileFailure(const val& result) {
    if (IsObject(result) && result["ok"].as<bool>()) return {};
    if (!IsObject(result)) return Failure{FailureKind::DeviceIo, Words(MessageId::BrowserGaveNoReason)};
    const val reason = result["reason"];
    return Failure{FileFailureKind(result), reason.isString() ? reason.as<std::string>() : std::string()};
}

val Bytes(std::string_view bytes) {
    return val::global("Uint8Array")
        .new_(emscripten::typed_memory_view(bytes.size(), reinterpret_cast<const uint8_t*>(bytes.data())));
}

FileKind FileKindNamed(const std::string& kind) {
    if (kind == "settings") return FileKind::Settings;
    if (kind == "image") return FileKind::MemoryImage;
    if (kind == "content") return FileKind::ByContent;
    return FileKind::ByName;
}

}  // namespace

// ---- the page's services ---------------------------------------------------------

std::string PageSettingsStore::KeyOf(const std::string& section, const std::string& key) {
    return std::string(AppTitle) + "/" + section + "/" + key;
}

std::optional<std::string> PageSettingsStore::Get(const std::string& section, const std::string& key) const {
    const val value = runtime_.call<val>("storageGet", KeyOf(section, key));
    if (!value.isString()) return std::nullopt;
    return value.as<std::string>();
}

void PageSettingsStore::Set(const std::string& section, const std::string& key, const std::string& value) {
    runtime_.call<void>("storageSet", KeyOf(section, key), value);
}

Failure PageFiles::Read(const std::string& name, std::string& content, size_t limit) {
    content.clear();
    const val result = runtime_.call<val>("readFile", name).await();
    if (Failure failure = FileFailure(result); failure.Failed()) return failure;
    // The page holds the file already; it is not copied into the engine when too large.
    const size_t length = result["bytes"]["length"].as<size_t>();
    if (length > limit) return TooLargeFailure(length, limit);
    const std::vector<uint8_t> bytes = emscripten::convertJSArrayToNumberVector<uint8_t>(result["bytes"]);
    content.assign(bytes.begin(), bytes.end());
    return {};
}

Failure PageFiles::Write(const std::string& name, std::string_view content) {
    return FileFailure(runtime_.call<val>("writeFile", name, Bytes(content)).await());
}

std::unique_ptr<MemoryProgramData> EmbeddedProgramData() {
    auto data = std::make_unique<MemoryProgramData>(Words(MessageId::DataBuiltIntoPage));
    for (const ShippedFile& f : ShippedFiles()) data->Add(std::string(f.name), std::string(f.bytes));
    return data;
}

// ---- the session ---------------------------------------------------------------------

WebSession::WebSession(val runtime, const std::string& switchLine)
    : program_(EmbeddedProgramData()),
      settings_(runtime),
      files_(runtime),
      asker_(runtime),
      keeper_(runtime),
      link_(runtime),
      session_(*program_, SessionServices{settings_, files_, asker_, NoErrorLog(), keeper_.keeper()},
               ParseCommandLine(switchLine)),
      editor_(session_.workspace()) {
    session_.OfferBackupChoice(true);
    subscription_ = session_.workspace().Subscribe([this](const ChangeNotice& notice) { notices_.push_back(notice); });
}

WebSession::~WebSession() = default;

val WebSession::Start() {
    const Outcome started = session_.Start();
    // The port remembered: the page connects it (a Web Serial port is found
    // again through the browser); until then the link has none.
    return OutcomeObject(started);
}

val WebSession::State() {
    const Workspace& ws = session_.workspace();
    val o = val::object();
    o.set("caption", WindowCaption(AppTitle, ws.messageTitle(), ws.currentFilePath()));
    o.set("modified", ws.modified());
    o.set("canUndo", ws.CanUndo());
    o.set("canRedo", ws.CanRedo());
    o.set("undoAction", ws.UndoAction());
    o.set("redoAction", ws.RedoAction());
    o.set("modelNumber", ws.modelNumber());
    o.set("modelName", ws.modelName());
    o.set("messageTitle", ws.messageTitle());
    val models = val::array();
    for (int m : ws.offeredModels()) {
        val model = val::object();
        model.set("number", m);
        model.set("caption", ModelMenuCaption(m));
        models.call<void>("push", model);
    }
    o.set("models", models);
    o.set("modelMenuVisible", ws.modelMenuVisible());
    val destinations = val::object();
    destinations.set("enabled", ws.destinations().enabled);
    destinations.set("names", Strings(ws.destinations().names));
    destinations.set("checked", ws.destinations().checked);
    o.set("destinations", destinations);
    o.set("filePath", ws.currentFilePath());
    val flags = val::object();
    flags.set("atis", ws.flags().atis);
    flags.set("wx", ws.flags().wx);
    flags.set("wa", ws.flags().wa);
    o.set("flags", flags);
    o.set("verify", session_.verifyAfterProgramming());
    o.set("device", session_.linkChoice().PortDevice);
    o.set("debugMode", session_.switches().debugMode);
    return o;
}

val WebSession::TakeNotices() {
    val list = val::array();
    for (const ChangeNotice& n : notices_) {
        val o = val::object();
        o.set("source", std::string(SourceName(n.source)));
        o.set("area", n.area ? val(std::string(AreaName(*n.area))) : val::null());
        o.set("channel", n.channel ? ChannelObject(*n.channel) : val::null());
        o.set("field", n.field);
        list.call<void>("push", o);
    }
    notices_.clear();
    return list;
}

// ---- the screens ------------------------------------------------------------------------

val WebSession::TreeNodes() const { return TreeObject(presentation::MakeTreeNodes(session_.data())); }

val WebSession::ScreenOfNode(const std::string& key, const std::string& parentKey) const {
    return ScreenObject(presentation::ScreenOfNode(key, parentKey));
}

std::string WebSession::RowNodeKey(const std::string& listKey, const std::string& channelName, int rowNumber) const {
    return presentation::RowNodeKey(listKey, channelName, rowNumber);
}

val WebSession::CommonSetup() {
    session_.workspace().CorrectForShowing(Workspace::Showing::CommonSetup);
    return CommonSetupObject(presentation::MakeCommonSetupView(session_.data()));
}

val WebSession::ChannelList(const std::string& area) {
    const std::optional<Area> a = AreaNamed(area);
    if (!a) return val::null();
    session_.workspace().CorrectForShowing(Workspace::Showing::ChannelList, ChannelRef{*a, 0});
    return ChannelListObject(presentation::MakeChannelList(session_.data(), *a));
}

val WebSession::ListMenu(const std::string& area, const val& selection) const {
    return ListMenuObject(presentation::MakeListMenu(session_.data(), AreaNamed(area).value_or(Area::USA),
                                                     ChannelsOf(selection)));
}

val WebSession::ColumnFlagChange(const std::string& area, int column, const val& selection) const {
    const std::optional<Area> a = AreaNamed(area);
    if (!a || column < 0 || column >= presentation::kGridColumns) return val::null();
    const auto& columns = *a == Area::EXP ? presentation::ExpGridColumns() : presentation::RegularGridColumns();
    const auto change = presentation::ColumnFlagChange(session_.data(), columns[static_cast<size_t>(column)],
                                                       ChannelsOf(selection));
    if (!change) return val::null();
    val o = val::object();
    o.set("flag", std::string(FlagName(change->flag)));
    o.set("on", change->on);
    return o;
}

val WebSession::LoadEditor(const val& channel) {
    const std::optional<ChannelRef> ref = ChannelOf(channel);
    if (!ref || ref->area == Area::WX || !editor_.Load(*ref)) return val::null();
    return EditorView();
}

val WebSession::EditorView() const {
    const auto view = editor_.View();
    return view ? EditorObject(*view) : val::null();
}

val WebSession::ReloadEditor() {
    editor_.Reload();
    return EditorView();
}

val WebSession::EditorChannel() const { return editor_.Channel() ? ChannelObject(*editor_.Channel()) : val::null(); }

namespace {

const char* const kBoxNames[] = {"displayLeft", "displayRight", "rx", "tx"};

std::optional<presentation::EditorBox> BoxNamed(const std::string& name) {
    for (size_t i = 0; i < std::size(kBoxNames); ++i)
        if (name == kBoxNames[i]) return static_cast<presentation::EditorBox>(i);
    return std::nullopt;
}

val StopObject(const std::optional<presentation::FormStop>& stop) {
    if (!stop) return val::null();
    val o = val::object();
    o.set("messages", MessagesObject({stop->message}));
    o.set("box", std::string(kBoxNames[static_cast<size_t>(stop->box)]));
    o.set("entryRefused", stop->entryRefused);
    return o;
}

}  // namespace

val WebSession::EditorSwitch(const std::string& flag, bool on) {
    const auto f = FlagNamed(flag);
    return f ? Edited(editor_.SetSwitch(*f, on)) : val::null();
}

std::string WebSession::EditorType(const std::string& box, const std::string& text) {
    const auto b = BoxNamed(box);
    return b ? editor_.Type(*b, text) : text;
}

std::string WebSession::EditorCellText(const std::string& box) const {
    const auto b = BoxNamed(box);
    return b ? PageText(editor_.CellText(*b)) : std::string();
}

std::string WebSession::EditorTypeCell(const std::string& box, const std::string& text) {
    const auto b = BoxNamed(box);
    return b ? editor_.TypeCell(*b, text) : text;
}

val WebSession::EditorFinish(const std::string& box, const std::string& to) {
    const auto b = BoxNamed(box);
    if (!b) return val::null();
    const presentation::FocusTo where = to == "editor" ? presentation::FocusTo::Editor
                                        : to == "tree" ? presentation::FocusTo::Tree
                                                       : presentation::FocusTo::Elsewhere;
    return StopObject(editor_.Finish(*b, where));
}

val WebSession::EditorCommit(bool leaving) { return StopObject(editor_.Commit(leaving)); }

val WebSession::Weather() {
    session_.workspace().CorrectForShowing(Workspace::Showing::Weather);
    return WeatherObject(presentation::MakeWeatherView(session_.data()));
}

std::vector<std::string> WebSession::HexDump() const { return HexDumpLines(session_.data().image); }

// ---- edits ----------------------------------------------------------------------------------

val WebSession::Edited(const EditResult& result) const {
    if (!result) return val::null();
    return MessagesObject({presentation::RefusalMessage(*result)});
}

val WebSession::SetChannelFlag(const val& channel, const std::string& flag, bool on, bool later) {
    const auto ref = ChannelOf(channel);
    const auto f = FlagNamed(flag);
    if (!ref || !f) return val::null();
    return Edited(session_.workspace().SetChannelFlag(*ref, *f, on, later ? Completion::Later : Completion::Required));
}

val WebSession::SetChannelFlags(const val& channels, const std::string& flag, bool on) {
    const auto f = FlagNamed(flag);
    const std::vector<ChannelRef> refs = ChannelsOf(channels);
    if (!f || refs.empty()) return val::null();
    return Edited(session_.workspace().SetChannelFlags(refs, *f, on));
}

val WebSession::SetExpDisplay(int n, const std::string& left, const std::string& right) {
    return Edited(session_.workspace().SetExpDisplay(n, left, right));
}

val WebSession::SetExpFrequency(int n, bool rx, const std::string& text) {
    return Edited(session_.workspace().SetExpFrequency(n, rx, text));
}

val WebSession::SetCommon(const std::string& field, int value) {
    const auto f = CommonFieldNamed(field);
    return f ? Edited(session_.workspace().SetCommon(*f, value)) : val::null();
}

val WebSession::SetGroupUsable(int group, bool usable) { return Edited(session_.workspace().SetGroupUsable(group, usable)); }

val WebSession::SetPriorityChannel(int group, int code) {
    return Edited(session_.workspace().SetPriorityChannel(group, code));
}

val WebSession::SetAtisGroup(int group, bool on) { return Edited(session_.workspace().SetAtisGroup(group, on)); }

val WebSession::SetAtisCode(const std::string& text) { return Edited(session_.workspace().SetAtisCode(text)); }

// ---- files ------------------------------------------------------------------------------------

val WebSession::Open(const std::string& name, const std::string& kind) {
    return OutcomeObject(session_.Open(name, FileKindNamed(kind)));
}

val WebSession::OpenKept(const std::string& id) {
    std::string image;
    RadioKeeper* keeper = keeper_.keeper();
    const Failure failure = keeper ? keeper->Read(id, image) : Failure{FailureKind::FileNotFound};
    if (failure.Failed())
        return OutcomeObject(FailedWith(failure, Message{MessageText{MessageId::FileReadError}.Render(),
                                                         session_.workspace().messageTitle(), Icon::Critical,
                                                         failure.Reason()}));
    return OutcomeObject(session_.OpenBytes(std::move(image), id));
}

val WebSession::PartlyProgrammed() const {
    const std::vector<PartialProgramming> partials = session_.PartlyProgrammed();
    val list = PageKeeper::PartialsObject(partials);
    for (size_t i = 0; i < partials.size(); ++i) {
        const PartialProgramming& p = partials[i];
        const MessageText file = p.file.empty() ? MessageText{MessageId::NewPlan} : MessageText{p.file};
        list[i].set("question", MessageText{MessageId::AskProgramPartialAgain, p.port, p.time, file}.Render());
    }
    return list;
}

val WebSession::ResumePartial(const std::string& port) {
    for (const PartialProgramming& partial : session_.PartlyProgrammed())
        if (partial.port == port) return OutcomeObject(session_.ResumePartial(partial));
    return OutcomeObject(Outcome{Failure{FailureKind::FileNotFound}, {}});
}

val WebSession::DifferencesFound(const DataSet& other, const std::string& otherName, const std::string& title,
                                 val result) const {
    const std::vector<Difference> differences = CompareDataSets(session_.data(), other);
    result.set("differences", DifferencesObject(differences));
    result.set("spreadsheet", DifferencesForSpreadsheet(differences));  // what Copy puts on the clipboard
    result.set("title", title);
    result.set("other", otherName);
    result.set("noDifferences", differences.empty()
                                    ? MessagesObject({presentation::NoDifferencesMessage(otherName, title)})
                                    : val::array());
    return result;
}

val WebSession::CompareWithFile(const std::string& name) {
    Outcome outcome;
    const std::optional<DataSet> other = session_.ReadDataFile(name, outcome);
    val result = OutcomeObject(outcome);
    result.set("differences", val::array());
    if (!other) return result;
    return DifferencesFound(*other, name, Words(MessageId::CompareWithNamed, name), result);
}

// ---- reports ------------------------------------------------------------------------------------

std::string WebSession::TextReport() { return BuildTextReport(session_.DataForReport()); }

std::string WebSession::ReportFileText() { return rp770::ReportFileText(session_.DataForReport()); }

val WebSession::PrintedReport(double pageHeightTwips) {
    RecordingSurface surface(pageHeightTwips);
    PrintReport(session_.DataForReport(), surface);
    return PrintedPagesObject(surface.Texts());
}

// ---- the link ------------------------------------------------------------------------------------

// The session lets go of the link before the link is replaced: the old one
// is gone once the new port is in.
void WebSession::AttachLink(const std::string& device) {
    session_.SetLink(link_.Engine());
    session_.ChooseDevice(device);
}

void WebSession::UseSerialPort(val port, const std::string& device) {
    session_.SetLink(nullptr);
    link_.UseSerialPort(std::move(port), device);
    AttachLink(device);
}

std::string WebSession::UseSimulatedRadio(const std::string& faults) {
    session_.SetLink(nullptr);
    std::string error = link_.UseSimulatedRadio(faults);
    if (error.empty()) AttachLink(link::kSimulatedRadioDevice);
    else session_.SetLink(link_.Engine());  // refused: the link in use stays
    return error;
}

val WebSession::SimulatedMemory() {
    const sim::SimulatedRadio* radio = link_.SimulatedRadio();
    if (!radio) return val::null();
    return val::global("Uint8Array")
        .new_(emscripten::typed_memory_view(radio->Memory().size(), radio->Memory().data()));
}

val WebSession::ImageBytes() { return Bytes(session_.workspace().HexBytes()); }

bool WebSession::SetSimulatedMemory(const val& bytes) {
    sim::SimulatedRadio* radio = link_.SimulatedRadio();
    const std::vector<uint8_t> b = emscripten::convertJSArrayToNumberVector<uint8_t>(bytes);
    if (!radio || b.size() != sim::kRadioMemorySize) return false;
    sim::RadioMemory memory{};
    std::copy(b.begin(), b.end(), memory.begin());
    radio->SetMemory(memory);
    return true;
}

bool WebSession::CommError() const { return session_.link() && session_.link()->State().CommError; }

val WebSession::ReadFromRadio() {
    if (session_.link()) session_.link()->SetTitle(Words(MessageId::ReadFromRadio));
    const TransferOutcome result = session_.ReadFromRadio();
    return TransferObject(result, CommError());
}

val WebSession::ProgramToRadio() {
    if (session_.link()) session_.link()->SetTitle(Words(MessageId::ProgramToRadio));
    const TransferOutcome result = session_.ProgramToRadio();
    return TransferObject(result, CommError());
}

val WebSession::CompareWithRadio() {
    if (session_.link()) session_.link()->SetTitle(Words(MessageId::CompareWithRadio));
    DataSet radio;
    const TransferOutcome result = session_.CompareWithRadio(radio);
    val o = TransferObject(result, CommError());
    o.set("differences", val::array());
    if (!result.completed) return o;
    return DifferencesFound(radio, Words(MessageId::TheRadio), Words(MessageId::CompareWithRadio), o);
}

val WebSession::TestConnection() {
    if (session_.link()) session_.link()->SetTitle(Words(MessageId::TestConnection));
    const ProbeOutcome probe = session_.TestConnection();
    val o = OutcomeObject(probe);
    o.set("found", probe.report.RadioFound());
    return o;
}

// ---- key rules ----------------------------------------------------------------------------------

bool FrequencyKeyAllowed(int key) { return presentation::FrequencyKeyAllowed(static_cast<char32_t>(key)); }
int FrequencyKeyTyped(int key) { return static_cast<int>(presentation::FrequencyKeyTyped(static_cast<char32_t>(key))); }
bool AtisKeyAllowed(int key) { return presentation::AtisKeyAllowed(static_cast<char32_t>(key)); }
bool DisplayKeyAllowed(int key, bool leftBoxEmpty) {
    return rp770::DisplayKeyAllowed(static_cast<char32_t>(key), leftBoxEmpty);
}
bool CellKeyAllowed(const std::string& box, int key, const std::string& before) {
    const auto b = BoxNamed(box);
    return b && presentation::EditorForm::CellKeyAllowed(*b, static_cast<char32_t>(key), before);
}
int CellKeyTyped(const std::string& box, int key) {
    const auto b = BoxNamed(box);
    return b ? static_cast<int>(presentation::EditorForm::CellKeyTyped(*b, static_cast<char32_t>(key))) : key;
}
bool ExpFrequencyValid(const std::string& text) { return CheckExpFrequency(text).has_value(); }
bool AtisCodeValid(const std::string& text) { return CheckAtisCode(text).has_value(); }

// ---- copies kept aside ------------------------------------------------------------

val WebSession::SnapshotOffer(const std::string& text) const {
    const std::optional<SessionSnapshot> snapshot = DecodeSnapshot(text);
    if (!snapshot) return val::null();
    const std::string fileName = SnapshotFileName(*snapshot);
    const std::string shown = ShownKeptTime(snapshot->keptAt);
    val o = val::object();
    o.set("fileName", fileName);
    o.set("keptAt", snapshot->keptAt);
    o.set("question", (fileName.empty() ? MessageText(MessageId::HotExitOfferUnnamed, shown)
                                        : MessageText(MessageId::HotExitOffer, fileName, shown))
                          .Render());
    o.set("title", MessageText(MessageId::HotExitTitle).Render());
    o.set("restore", MessageText(MessageId::ButtonRestore).Render());
    o.set("discard", MessageText(MessageId::ButtonDiscard).Render());
    o.set("later", MessageText(MessageId::ButtonLater).Render());
    return o;
}

val WebSession::RestoreSnapshot(const std::string& text) {
    const std::optional<SessionSnapshot> snapshot = DecodeSnapshot(text);
    if (!snapshot) return OutcomeObject(Outcome{Failure{FailureKind::Refused}, {}});
    return OutcomeObject(session_.RestoreSnapshot(*snapshot));
}

}  // namespace rp770::web
