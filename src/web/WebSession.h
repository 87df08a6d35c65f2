#pragma once
// The browser's application session: the session every front end drives,
// with the page's services. The program's data come embedded; remembered
// choices live in the page's localStorage under the desktop's names
// ("RP770/Settings/lastmodel"); the user's files are the ones the page
// picked, read and written through it; questions and the file to save in
// are the page's dialogs; the link is the browser's (WebLink). Calls that
// read or write a file, ask, or talk to the radio wait for the page and
// return promises to JavaScript.
//
// The runtime object of web/session.js gives, besides what WebLink's takes:
//   storageGet(key) -> string or null, storageSet(key, value)
//   readFile(name)  -> promise of {ok, bytes, kind, reason}
//   writeFile(name, bytes) -> promise of {ok, kind, reason}
//   chooseSaveFile() -> promise of a name, or null when cancelled
// (kind: "notFound", "denied" or anything else; reason: the browser's words).
// Its promises never reject.

#include <emscripten/val.h>
#include <memory>
#include <string>
#include <vector>

#include "core/Storage.h"
#include "files/SettingsStore.h"
#include "presentation/EditorForm.h"
#include "session/AppSession.h"
#include "web/PageHooks.h"
#include "web/PageKeeper.h"
#include "web/ViewObjects.h"
#include "web/WebLink.h"

namespace rp770::web {

using emscripten::val;

// Remembered choices in the page's storage: key AppTitle/section/key, as
// the desktop's store names them.
class PageSettingsStore : public SettingsStore {
public:
    explicit PageSettingsStore(val runtime) : runtime_(std::move(runtime)) {}
    std::optional<std::string> Get(const std::string& section, const std::string& key) const override;
    void Set(const std::string& section, const std::string& key, const std::string& value) override;
    static std::string KeyOf(const std::string& section, const std::string& key);

private:
    val runtime_;
};

// The user's files, by the name the page registered them under.
class PageFiles : public FileAccess {
public:
    explicit PageFiles(val runtime) : runtime_(std::move(runtime)) {}
    Failure Read(const std::string& name, std::string& content, size_t limit) override;
    Failure Write(const std::string& name, std::string_view content) override;

private:
    val runtime_;
};

// The embedded global.ini and model definition files.
std::unique_ptr<MemoryProgramData> EmbeddedProgramData();

class WebSession {
public:
    // `switchLine`: the window's switch line ("/D" for debug mode).
    WebSession(val runtime, const std::string& switchLine);
    ~WebSession();
    WebSession(const WebSession&) = delete;
    WebSession& operator=(const WebSession&) = delete;

    val Start();
    // Caption, modified mark, undo texts, model, destinations, file, options.
    val State();
    // What changed since the last call: [{source, area, index, field}].
    val TakeNotices();

    // ---- the screens ----
    val TreeNodes() const;
    val ScreenOfNode(const std::string& key, const std::string& parentKey) const;
    std::string RowNodeKey(const std::string& listKey, const std::string& channelName, int rowNumber) const;
    val CommonSetup();
    val ChannelList(const std::string& area);
    val ListMenu(const std::string& area, const val& selection) const;
    val ColumnFlagChange(const std::string& area, int column, const val& selection) const;
    // Loads the editor (as the tree shows a channel); null when no such channel.
    val LoadEditor(const val& channel);
    val EditorView() const;
    // The editor's channel shown afresh, without the corrections of a load
    // (after an undo or a redo).
    val ReloadEditor();
    val EditorChannel() const;
    void ClearEditor() { editor_.Clear(); }
    // The editor's form (presentation/EditorForm.h). A switch of the shown
    // channel: null when taken, else the refusal's messages.
    val EditorSwitch(const std::string& flag, bool on);
    // A box's text as typed ("displayLeft", "displayRight", "rx", "tx"):
    // the text the box keeps.
    std::string EditorType(const std::string& box, const std::string& text);
    // An entry finished, the focus gone `to` ("editor", "tree", "elsewhere"),
    // and the check before a command (`leaving` the editor or not): null,
    // or {messages, box, entryRefused}.
    val EditorFinish(const std::string& box, const std::string& to);
    // A channel list's cell typed into, for a box (the display's cell is
    // "displayLeft", standing for both boxes): what it holds as its entry
    // starts, and its text as typed (the text it keeps).
    std::string EditorCellText(const std::string& box) const;
    std::string EditorTypeCell(const std::string& box, const std::string& text);
    val EditorCommit(bool leaving);
    bool EditorTyped() const { return editor_.HasTypedText(); }
    bool EditorUnfinished() const { return editor_.Unfinished(); }
    val Weather();
    std::vector<std::string> HexDump() const;

    // ---- edits: null when taken, else the refusal's message ----
    val SetChannelFlag(const val& channel, const std::string& flag, bool on, bool later);
    val SetChannelFlags(const val& channels, const std::string& flag, bool on);
    val SetExpDisplay(int n, const std::string& left, const std::string& right);
    val SetExpFrequency(int n, bool rx, const std::string& text);
    val SetCommon(const std::string& field, int value);
    val SetGroupUsable(int group, bool usable);
    val SetPriorityChannel(int group, int code);
    val SetAtisGroup(int group, bool on);
    val SetAtisCode(const std::string& text);
    bool Undo() { return session_.workspace().Undo(); }
    bool Redo() { return session_.workspace().Redo(); }

    // ---- whole data sets and files ----
    // The page takes its typed input first; the session's commands ask the rest.
    val ConfirmDiscard() { return OutcomeObject(session_.ConfirmDiscard()); }
    val New() { return OutcomeObject(session_.NewCommand()); }
    // kind: "name" (by the ".hex" ending), "settings", "image" or "content".
    val Open(const std::string& name, const std::string& kind);
    // "Save changes?", then the page's file picker, then the file.
    val OpenChosenFile() { return OutcomeObject(session_.OpenCommand()); }
    // "Save changes?", then a file the page holds already (dropped).
    val OpenFile(const std::string& name) { return OutcomeObject(session_.OpenFileCommand(name)); }
    val ChangeModel(int model) { return OutcomeObject(session_.ChangeModelCommand(model)); }
    val ChangeDestination(int entry) { return OutcomeObject(session_.ChangeDestinationCommand(entry)); }
    val Save() { return OutcomeObject(session_.Save()); }
    val SaveAs(const std::string& name) { return OutcomeObject(session_.SaveAs(name)); }
    val SaveHex(const std::string& name) { return OutcomeObject(session_.SaveHex(name)); }
    val ExportChannels(const std::string& name) { return OutcomeObject(session_.ExportChannels(name)); }
    val ImportChannels(const std::string& name) { return OutcomeObject(session_.ImportChannels(name)); }
    // The outcome with {differences, title, noDifferences}.
    val CompareWithFile(const std::string& name);

    // ---- copies kept aside (session/SessionSnapshot.h) ----
    // The session as a copy kept at `keptAt` (UTC, ISO 8601).
    std::string Snapshot(const std::string& keptAt) const { return EncodeSnapshot(session_.TakeSnapshot(keptAt)); }
    // The offer of a copy: {fileName, keptAt, question, title, restore,
    // discard, later} in the catalogue's words; null for a text that is
    // not a copy.
    val SnapshotOffer(const std::string& text) const;
    // The copy's data put back, still unsaved, with its file.
    val RestoreSnapshot(const std::string& text);
    // The data as a settings text file.
    std::string SettingsText() const { return session_.workspace().DatText(); }

    // ---- reports ----
    std::string TextReport();
    std::string ReportFileText();
    val PrintedReport(double pageHeightTwips);

    // ---- the link ----
    // A port object of web/serial.js, named as messages name it; "sim" is
    // the simulated radio behind the page's stand-in port.
    void UseSerialPort(val port, const std::string& device);
    // The simulated radio on a virtual cable (no real time passes); empty,
    // or why the faults were not understood.
    std::string UseSimulatedRadio(const std::string& faults);
    val SimulatedMemory();
    bool SetSimulatedMemory(const val& bytes);
    // The data as the radio would receive them: the memory image file's bytes.
    val ImageBytes();
    void SetVerify(bool on) { session_.SetVerifyAfterProgramming(on); }
    // Refused while an enabled EXP channel is incomplete; else the question, if any.
    val ConfirmProgramming() { return OutcomeObject(session_.PrepareProgramming()); }
    val ReadFromRadio();
    val ProgramToRadio();
    // The transfer's outcome with {differences, noDifferences}.
    val CompareWithRadio();
    val TestConnection();

    // ---- what is kept of the radios (web/keep.js holds it) ----
    val KeptImages() { return keeper_.Images(); }
    // Opens a kept image as a memory image file.
    val OpenKept(const std::string& id);
    // [{port, file, time, question}]: the radios left partly programmed.
    val PartlyProgrammed() const;
    // The plan that was being sent to the port, as the data.
    val ResumePartial(const std::string& port);
    void ForgetPartial(const std::string& port) { session_.ForgetPartial(port); }

private:
    void AttachLink(const std::string& device);
    bool CommError() const;
    val Edited(const EditResult& result) const;
    val DifferencesFound(const DataSet& other, const std::string& otherName, const std::string& title, val result) const;

    std::unique_ptr<MemoryProgramData> program_;
    PageSettingsStore settings_;
    PageFiles files_;
    PageHooks asker_;
    PageKeeper keeper_;
    WebLink link_;
    AppSession session_;
    presentation::EditorForm editor_;
    std::vector<ChangeNotice> notices_;
    Subscription subscription_;
};

// The boxes' key rules, for the page's typing.
bool FrequencyKeyAllowed(int key);
int FrequencyKeyTyped(int key);
bool AtisKeyAllowed(int key);
bool DisplayKeyAllowed(int key, bool leftBoxEmpty);
// A channel list's cell for a box: a key after `before` (the cell's text
// before the cursor), judged once translated.
bool CellKeyAllowed(const std::string& box, int key, const std::string& before);
int CellKeyTyped(const std::string& box, int key);
bool ExpFrequencyValid(const std::string& text);
bool AtisCodeValid(const std::string& text);

}  // namespace rp770::web
