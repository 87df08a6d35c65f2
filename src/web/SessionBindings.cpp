// The application session as JavaScript sees it (web/session.js wraps it for
// the page): new WebSession(runtime, switchLine) and its methods under the
// names below, and the boxes' key rules. Calls that read or write a file,
// ask the user or talk to the radio return promises; while one runs,
// nothing else may be called on this module instance.

#include <emscripten/bind.h>

#include "presentation/EditorTexts.h"
#include "web/WebSession.h"

namespace rp770::web {

namespace {

// The screens' keyboard hints (status bar panel 1), by the page's names.
val EditorTexts() {
    namespace t = presentation::texts;
    val o = val::object();
    o.set("tree", std::string(t::kTreeHint));
    o.set("grid", std::string(t::kGridHint));
    o.set("checkBox", std::string(t::kCheckBoxHint));
    o.set("combo", std::string(t::kComboHint));
    o.set("atis", std::string(t::kAtisHint));
    o.set("displayLeft", std::string(t::kDisplayLeftHint));
    o.set("displayRight", std::string(t::kDisplayRightHint));
    o.set("rx", std::string(t::kRxFrequency));
    o.set("tx", std::string(t::kTxFrequency));
    o.set("wxEnable", std::string(t::kWxEnableHint));
    o.set("wxScan", std::string(t::kWxScanHint));
    return o;
}

}  // namespace

EMSCRIPTEN_BINDINGS(rp770_session) {
    using emscripten::optional_override;
    emscripten::class_<WebSession>("WebSession")
        .constructor<val, std::string>()
        .function("start", &WebSession::Start)
        .function("state", &WebSession::State)
        .function("takeNotices", &WebSession::TakeNotices)
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
        .function("editorEnableSwitched", &WebSession::EditorEnableSwitched)
        .function("editorCheckBeforeLeaving", &WebSession::EditorCheckBeforeLeaving)
        .function("clearEditor", &WebSession::ClearEditor)
        .function("weather", &WebSession::Weather)
        .function("hexDump", optional_override([](const WebSession& s) { return Strings(s.HexDump()); }))
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
        .function("confirmDiscard", &WebSession::ConfirmDiscard)
        .function("newData", &WebSession::New)
        .function("open", &WebSession::Open)
        .function("changeModel", &WebSession::ChangeModel)
        .function("changeDestination", &WebSession::ChangeDestination)
        .function("save", &WebSession::Save)
        .function("saveAs", &WebSession::SaveAs)
        .function("saveHex", &WebSession::SaveHex)
        .function("exportChannels", &WebSession::ExportChannels)
        .function("importChannels", &WebSession::ImportChannels)
        .function("compareWithFile", &WebSession::CompareWithFile)
        .function("textReport", &WebSession::TextReport)
        .function("reportFileText", &WebSession::ReportFileText)
        .function("printedReport", &WebSession::PrintedReport)
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
        .function("testConnection", &WebSession::TestConnection);

    emscripten::function("editorTexts", &EditorTexts);
    emscripten::function("programVersion", optional_override([] { return std::string(RP770_VERSION); }));
    emscripten::function("frequencyKeyAllowed", &FrequencyKeyAllowed);
    emscripten::function("frequencyKeyTyped", &FrequencyKeyTyped);
    emscripten::function("atisKeyAllowed", &AtisKeyAllowed);
    emscripten::function("displayKeyAllowed", &DisplayKeyAllowed);
    emscripten::function("expFrequencyValid", &ExpFrequencyValid);
    emscripten::function("atisCodeValid", &AtisCodeValid);
}

}  // namespace rp770::web
