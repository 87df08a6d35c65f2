// The browser edition's boundary: every entry point JavaScript may call, in
// this one table. web/rp770.d.ts declares the same names with their types
// for the page's type check, and the test web_boundary holds the two
// together: a name added, renamed or removed here and not there fails it.
//
// web/session.js is the one caller of WebSession: calls that may wait (a
// file, a question, the radio) return promises, and while one runs nothing
// else may be called on this module instance. StandInRadio is the far end
// of web/standin-serial.js's cable, in a module instance of its own.

#include <emscripten/bind.h>

#include "messages/MessageText.h"
#include "messages/Translations.h"
#include "presentation/FieldHelp.h"
#include "web/ShippedData.h"
#include "web/StandInRadio.h"
#include "web/WebSession.h"

using emscripten::val;

namespace rp770::web {
namespace {

std::vector<uint8_t> BytesOf(const val& array) {
    if (array.isUndefined() || array.isNull()) return {};
    return emscripten::convertJSArrayToNumberVector<uint8_t>(array);
}

val Uint8Array(const uint8_t* data, size_t size) {
    return val::global("Uint8Array").new_(emscripten::typed_memory_view(size, data));
}
val Uint8Array(const std::vector<uint8_t>& bytes) { return Uint8Array(bytes.data(), bytes.size()); }

val LogObject(const StandInRadio& radio) {
    const sim::RadioLog& log = radio.Log();
    val o = val::object();
    o.set("pcBytes", static_cast<double>(radio.Carried(sim::Side::Pc)));
    o.set("radioBytes", static_cast<double>(radio.Carried(sim::Side::Radio)));
    o.set("cans", log.cans);
    o.set("syncRequests", log.syncRequests);
    o.set("statusRequests", log.statusRequests);
    o.set("readRequests", log.readRequests);
    o.set("writeRequests", log.writeRequests);
    return o;
}

val ShippedFileNames() {
    val names = val::array();
    for (const ShippedFile& f : ShippedFiles()) names.call<void>("push", std::string(f.name));
    return names;
}

val ShippedFileBytes(const std::string& name) {
    for (const ShippedFile& f : ShippedFiles())
        if (f.name == name) return Uint8Array(reinterpret_cast<const uint8_t*>(f.bytes.data()), f.bytes.size());
    return val::null();
}

// The screens' keyboard hints (status bar panel 1), by the page's names, in
// the language in use.
val EditorTexts() {
    val o = val::object();
    o.set("tree", Words(MessageId::HintTree));
    o.set("grid", Words(MessageId::HintGrid));
    o.set("checkBox", Words(MessageId::HintCheckBox));
    o.set("combo", Words(MessageId::HintCombo));
    o.set("atis", Words(MessageId::HintAtis));
    o.set("displayLeft", Words(MessageId::HintDisplayLeft));
    o.set("displayRight", Words(MessageId::HintDisplayRight));
    o.set("rx", Words(MessageId::RxFrequencyHint));
    o.set("tx", Words(MessageId::TxFrequencyHint));
    o.set("wxEnable", Words(MessageId::HintWxEnable));
    o.set("wxScan", Words(MessageId::HintCheckBox));
    return o;
}

// The help of every field of the editing screens, by the page's names of
// the fields, in the language in use.
val FieldHelpTexts() {
    val o = val::object();
    for (const presentation::FieldHelpEntry& entry : presentation::FieldHelpTable())
        o.set(std::string(entry.name), Words(entry.help));
    return o;
}

// The language everything this module instance says from now on is rendered
// in: the page's catalogue ({Id: text}, as messages/LANGUAGE.json holds it).
// Ids it lacks are said in English.
void SetLanguage(const std::string& language, const val& messages) {
    static Translations current;
    std::vector<std::pair<std::string, std::string>> texts;
    const val names = val::global("Object").call<val>("keys", messages);
    const auto count = names["length"].as<unsigned>();
    texts.reserve(count);
    for (unsigned i = 0; i < count; ++i) {
        const std::string name = names[i].as<std::string>();
        texts.emplace_back(name, messages[name].as<std::string>());
    }
    UseTranslations(nullptr);
    current = Translations::Named(language, texts);
    UseTranslations(&current);
}

}  // namespace

EMSCRIPTEN_BINDINGS(rp770) {
    using emscripten::optional_override;

    // ---- the application session ----
    emscripten::class_<WebSession>("WebSession")
        .constructor<val, std::string>()
        .function("start", &WebSession::Start)
        .function("state", &WebSession::State)
        .function("takeNotices", &WebSession::TakeNotices)
        // the screens
        .function("treeNodes", &WebSession::TreeNodes)
        .function("screenOfNode", &WebSession::ScreenOfNode)
        .function("rowNodeKey", &WebSession::RowNodeKey)
        .function("commonSetup", &WebSession::CommonSetup)
        .function("channelList", &WebSession::ChannelList)
        .function("listMenu", &WebSession::ListMenu)
        .function("columnFlagChange", &WebSession::ColumnFlagChange)
        .function("loadEditor", &WebSession::LoadEditor)
        .function("editorView", &WebSession::EditorView)
        .function("reloadEditor", &WebSession::ReloadEditor)
        .function("editorChannel", &WebSession::EditorChannel)
        .function("clearEditor", &WebSession::ClearEditor)
        .function("editorSwitch", &WebSession::EditorSwitch)
        .function("editorType", &WebSession::EditorType)
        .function("editorFinish", &WebSession::EditorFinish)
        .function("editorCellText", &WebSession::EditorCellText)
        .function("editorTypeCell", &WebSession::EditorTypeCell)
        .function("editorCommit", &WebSession::EditorCommit)
        .function("editorTyped", &WebSession::EditorTyped)
        .function("editorUnfinished", &WebSession::EditorUnfinished)
        .function("weather", &WebSession::Weather)
        .function("hexDump", optional_override([](const WebSession& s) { return Strings(s.HexDump()); }))
        // edits
        .function("setChannelFlag", &WebSession::SetChannelFlag)
        .function("setChannelFlags", &WebSession::SetChannelFlags)
        .function("setExpDisplay", &WebSession::SetExpDisplay)
        .function("setExpFrequency", &WebSession::SetExpFrequency)
        .function("setCommon", &WebSession::SetCommon)
        .function("setGroupUsable", &WebSession::SetGroupUsable)
        .function("setPriorityChannel", &WebSession::SetPriorityChannel)
        .function("setAtisGroup", &WebSession::SetAtisGroup)
        .function("setAtisCode", &WebSession::SetAtisCode)
        .function("undo", &WebSession::Undo)
        .function("redo", &WebSession::Redo)
        // whole data sets and files (these may wait)
        .function("confirmDiscard", &WebSession::ConfirmDiscard)
        .function("newData", &WebSession::New)
        .function("open", &WebSession::Open)
        .function("openChosenFile", &WebSession::OpenChosenFile)
        .function("openFile", &WebSession::OpenFile)
        .function("changeModel", &WebSession::ChangeModel)
        .function("changeDestination", &WebSession::ChangeDestination)
        .function("save", &WebSession::Save)
        .function("saveAs", &WebSession::SaveAs)
        .function("saveHex", &WebSession::SaveHex)
        .function("exportChannels", &WebSession::ExportChannels)
        .function("importChannels", &WebSession::ImportChannels)
        .function("compareWithFile", &WebSession::CompareWithFile)
        // copies kept aside
        .function("snapshot", &WebSession::Snapshot)
        .function("snapshotOffer", &WebSession::SnapshotOffer)
        .function("restoreSnapshot", &WebSession::RestoreSnapshot)
        .function("settingsText", &WebSession::SettingsText)
        // reports
        .function("textReport", &WebSession::TextReport)
        .function("reportFileText", &WebSession::ReportFileText)
        .function("printedReport", &WebSession::PrintedReport)
        // the link (the transfers may wait)
        .function("useSerialPort", &WebSession::UseSerialPort)
        .function("useSimulatedRadio", &WebSession::UseSimulatedRadio)
        .function("simulatedMemory", &WebSession::SimulatedMemory)
        .function("setSimulatedMemory", &WebSession::SetSimulatedMemory)
        .function("imageBytes", &WebSession::ImageBytes)
        .function("setVerify", &WebSession::SetVerify)
        .function("confirmProgramming", &WebSession::ConfirmProgramming)
        .function("readFromRadio", &WebSession::ReadFromRadio)
        .function("programToRadio", &WebSession::ProgramToRadio)
        .function("compareWithRadio", &WebSession::CompareWithRadio)
        .function("testConnection", &WebSession::TestConnection)
        // what is kept of the radios
        .function("keptImages", &WebSession::KeptImages)
        .function("openKept", &WebSession::OpenKept)
        .function("partlyProgrammed", &WebSession::PartlyProgrammed)
        .function("resumePartial", &WebSession::ResumePartial)
        .function("forgetPartial", &WebSession::ForgetPartial);

    // ---- the stand-in port's radio ----
    emscripten::class_<StandInRadio>("StandInRadio")
        .constructor<>()
        .function("write", optional_override([](StandInRadio& r, val bytes, double now) { r.Write(BytesOf(bytes), now); }))
        .function("take", optional_override([](StandInRadio& r, double now) { return Uint8Array(r.Take(now)); }))
        .function("nextArrival", &StandInRadio::NextArrival)
        .function("unplug", &StandInRadio::Unplug)
        .function("setFaults", &StandInRadio::SetFaults)
        .function("memory", optional_override([](StandInRadio& r) { return Uint8Array(r.Memory()); }))
        .function("setMemory", optional_override([](StandInRadio& r, val bytes) { return r.SetMemory(BytesOf(bytes)); }))
        .function("log", optional_override([](StandInRadio& r) { return LogObject(r); }));

    // ---- what never waits and belongs to no session ----
    emscripten::function("editorTexts", &EditorTexts);
    emscripten::function("fieldHelp", &FieldHelpTexts);
    emscripten::function("programVersion", optional_override([] { return std::string(RP770_VERSION); }));
    emscripten::function("frequencyKeyAllowed", &FrequencyKeyAllowed);
    emscripten::function("frequencyKeyTyped", &FrequencyKeyTyped);
    emscripten::function("atisKeyAllowed", &AtisKeyAllowed);
    emscripten::function("displayKeyAllowed", &DisplayKeyAllowed);
    emscripten::function("cellKeyAllowed", &CellKeyAllowed);
    emscripten::function("cellKeyTyped", &CellKeyTyped);
    emscripten::function("expFrequencyValid", &ExpFrequencyValid);
    emscripten::function("atisCodeValid", &AtisCodeValid);
    emscripten::function("shippedFileNames", &ShippedFileNames);
    emscripten::function("shippedFile", &ShippedFileBytes);
    emscripten::function("setLanguage", &SetLanguage);
}

}  // namespace rp770::web
