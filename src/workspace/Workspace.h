#pragma once
// One editing session: the radio model and its flags, the models on offer,
// the Destination menu, the data set, the current file, the clean state and
// the undo history, with every operation on them. The window and the
// command-line tool both drive this; neither changes the data any other
// way. Messages go through the Prompter, remembered choices through the
// SettingsStore; listeners hear of every change.
//
// The flags fileError() and operationCancelled() describe the last file
// operation: a file refused, unreadable or unwritable; an operation that
// stopped early (a failure, or a file dialog the window reports through
// MarkCancelled()).

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Failure.h"
#include "core/Model.h"
#include "core/Services.h"
#include "files/DestinationScan.h"
#include "files/SettingsStore.h"
#include "link/TransferEngine.h"
#include "workspace/Edits.h"
#include "workspace/History.h"
#include "workspace/Verification.h"

namespace rp770 {

// True for a path that names a memory image file (".hex", any case).
bool IsMemoryImagePath(const std::string& path);

// What a listener is told.
enum class Change {
    Edited,    // a named edit changed the data; the panel that made it shows it already
    Restored,  // undo, redo or a change of many channels: whatever shows the data shows them again
    Replaced,  // New, an opened file, a read, a destination or model change: the screens start again
    Saved,     // the current file or the clean state changed (the title follows)
};

class WorkspaceListener {
public:
    virtual ~WorkspaceListener() = default;
    virtual void WorkspaceChanged(Change change) = 0;
};

// How a transfer went.
struct TransferResult {
    bool synchronised = false;  // the radio answered the synchronisation
    bool completed = false;     // read and taken over, or programmed entirely
    bool partial = false;       // programming stopped after it had started writing
    // Programming with verification: the radio was read back and holds
    // every byte sent; else the bytes that differ (none when the read-back
    // itself failed).
    bool verified = false;
    std::vector<ByteDifference> differences;
};

struct ProgramOptions {
    bool verify = false;  // after a complete programming, read the radio back and compare
};

class Workspace {
public:
    // `programFolder` holds global.ini and the model definition files.
    Workspace(std::string programFolder, SettingsStore& settings, Prompter& prompter);
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    // ---- start ------------------------------------------------------------
    // Reads the offered models from global.ini, restores the remembered last
    // model (when below 10 and offered; else the last offered one) and its
    // flags. Returns false after "Unknown model!!" when no model is offered:
    // the program then ends. Call New() next for the first data set.
    bool Start();
    const std::vector<int>& offeredModels() const { return offeredModels_; }
    bool modelMenuVisible() const { return offeredModels_.size() > 1; }

    // ---- state ------------------------------------------------------------
    const DataSet& data() const { return history_.Current().data; }
    int modelNumber() const { return data().modelNumber; }
    std::string modelName() const;
    std::string messageTitle() const;
    const ModelFlags& flags() const { return data().flags; }
    const std::string& programFolder() const { return programFolder_; }
    const std::string& currentFilePath() const { return history_.Current().filePath; }
    // The Destination menu: shown names in menu order and the checked entry.
    const DestinationMenu& destinations() const { return history_.Current().destinations; }
    // The data differ from the clean state: saved, opened, read or new.
    bool modified() const { return !history_.IsClean(); }
    bool fileError() const { return fileError_; }
    bool operationCancelled() const { return operationCancelled_; }
    void MarkCancelled() { operationCancelled_ = true; }

    void AddListener(WorkspaceListener* listener);
    void RemoveListener(WorkspaceListener* listener);

    // ---- undo and redo ----------------------------------------------------
    bool CanUndo() const { return history_.CanUndo(); }
    bool CanRedo() const { return history_.CanRedo(); }
    // The action the next Undo takes back ("Scan Memory CH16") and the one
    // the next Redo does again.
    const std::string& UndoAction() const { return history_.UndoAction(); }
    const std::string& RedoAction() const { return history_.RedoAction(); }
    bool Undo();
    bool Redo();

    // ---- whole data sets ----------------------------------------------------
    // A new data set: factory defaults of the current model, the definition
    // files scanned and the remembered destination loaded. Clean afterwards.
    void New();

    // Model change. Confirm... asks "Do you want to program the ... series?"
    // (false for Cancel). ChangeModel makes the model current, reads its
    // flags, remembers it as "lastmodel" and starts a new data set; false
    // when it was current already (nothing happens) or is not a model.
    bool ConfirmModelChange(int model);
    bool ChangeModel(int model);

    // Destination change to menu entry i. Confirm... asks "Do you want to
    // change to ...?" unless the entry is the checked one. ChangeDestination
    // loads the entry's factory data, which become the clean state; when the
    // definition is refused ("IniFileRead Error!!") nothing changes. True
    // when loaded.
    bool ConfirmDestinationChange(int entry);
    bool ChangeDestination(int entry);

    // Settings text file (.dat). Opening lays the file over the destination's
    // factory data (the definition files scanned again); on success the path
    // becomes the current file and the data are clean. A refused or
    // unreadable file changes nothing.
    bool OpenDatFile(const std::string& path);
    bool SaveDatFile(const std::string& path);

    // Memory image file (.hex). Opening checks the length ("bad file!!") and
    // the model codes ("ModelType Error !!"), then replaces and decodes the
    // image; the path becomes the current file and the data are clean.
    // Saving encodes the model and fixes the start channel first; the
    // current file and the clean state stay as they were.
    bool OpenHexFile(const std::string& path);
    bool SaveHexFile(const std::string& path);

    // A settings text or, by its ".hex" ending, memory image file read as
    // Open reads it, into a data set of its own: the session stays as it
    // was. Nothing when the file is refused (its message has been shown).
    std::optional<DataSet> ReadDataFile(const std::string& path);

    // The channels as a spreadsheet table (ChannelCsv.h). Exporting writes
    // the data's channels ("FileSave Error!!" on failure). Importing lays a
    // table over the data as one step; a table with any refused row changes
    // nothing and its problems are shown, one "line N: reason" each.
    bool ExportChannels(const std::string& path);
    bool ImportChannels(const std::string& path);

    // The transfers, whole: synchronisation, then the read (its image taken
    // over as a new clean data set without a current file), or the
    // programming of the data (encoded and with the start channel fixed
    // first). A programming that stops after it began writing says so. With
    // verify, a complete programming is read back into a separate data set
    // (the data shown stay as they are) and every written byte compared;
    // the finding is told ("Verified..." or the bytes that differ).
    // Before programming: when the data hold something the radio would get
    // wrong (ProgramCheck.h), asks whether to program anyway, saying how
    // many fields change in the radio when it was read in this session and
    // a file is open. True when programming may go on.
    bool ConfirmProgramming();
    // How many fields programming changes in the radio, when it was read in
    // this session (compared with the image last read from it).
    std::optional<size_t> FieldsChangedInRadio() const;
    TransferResult ReadFromRadio(link::TransferEngine& engine);
    TransferResult ProgramToRadio(link::TransferEngine& engine, ProgramOptions options = {});
    // The same read, its data set handed to `radio` when it completed
    // instead of taken over: the session stays as it was (to compare).
    TransferResult ReadRadioForComparison(link::TransferEngine& engine, DataSet& radio);

    // ---- edits --------------------------------------------------------------
    // Each checks its value by the editor's rules and refuses it without a
    // change; an accepted edit that changes something is one undo step.
    // The channel editor enables an EXP channel before its frequency and
    // number are typed (Completion::Later); everyone else may enable only a
    // complete one.
    EditResult SetChannelFlag(ChannelRef channel, ChannelFlag flag, bool on,
                              Completion completion = Completion::Required);
    // The same switch on many channels as one step, named by the channels it
    // changed; channels that cannot have it are left alone. EXP channels that
    // would be enabled incomplete are skipped, and said so (the result).
    EditResult SetChannelFlags(const std::vector<ChannelRef>& channels, ChannelFlag flag, bool on);
    // EXP display characters as the two boxes hold them: the left two, and
    // the right one.
    EditResult SetExpDisplay(int n, std::string_view left, std::string_view right);
    EditResult SetExpFrequency(int n, bool rx, std::string_view text);
    EditResult SetCommon(CommonField field, int value);
    EditResult SetGroupUsable(int group, bool usable);
    // A channel code that is an enabled channel of the group's plan.
    EditResult SetPriorityChannel(int group, int code);
    EditResult SetAtisGroup(int group, bool on);
    EditResult SetAtisCode(std::string_view text);
    // Another data set of the same model laid over the current one as one
    // step (channels imported from elsewhere).
    void ReplaceData(const DataSet& next, std::string action);

    // ---- corrections made by showing the data -------------------------------
    // Not edits: no undo step, the clean state stays. An EXP frequency off
    // the 5 kHz and 12.5 kHz rasters is shown, and from then on kept, on the
    // raster; with no weather channel enabled the weather alert is off.
    void SnapExpFrequencies();
    void SettleWeatherAlert();
    // A receive-only slot shown in the channel editor keeps no transmit switch.
    void SettleShownChannel(ChannelRef channel);

private:
    struct Document {
        DataSet data;
        std::string filePath;
        DestinationMenu destinations;
    };

    void ResetOperationFlags();
    // The error log and the user hear of a failed file: "FileRead Error!!
    // (path: reason)".
    void ReportFileFailure(const char* procedure, const char* message, const std::string& path, const Failure& failure);
    // A file read as Open reads it, into `next`; false after its message.
    bool ReadDatDocument(const std::string& path, Document& next);
    bool ReadHexDocument(const std::string& path, Document& next);
    // The file read by `read` becomes the data, with its path, as a new clean state.
    bool OpenDocument(const std::string& path, bool (Workspace::*read)(const std::string&, Document&));
    TransferResult ReadRadioInto(link::TransferEngine& engine, DataSet& data);
    // Reads the radio back after a complete programming and tells what it holds.
    void Verify(link::TransferEngine& engine, TransferResult& result);
    void SetModelOf(DataSet& data, int model) const;
    DestinationContext Context(int model);
    void ReportDefinitionLoad(DefinitionLoad load);
    void Show(const std::string& text, Icon icon);
    void Notify(Change change);
    // A fresh data set for the current model: factory defaults, the
    // definition files scanned, the remembered destination loaded. False
    // when the definition could not be loaded (after its message).
    bool FactoryDocument(Document& document);
    // Makes the document current: a new clean state, or the very first one.
    void Replace(Document next, std::string action);
    // One undo step from a change of the current data; false when nothing changed.
    bool Commit(const std::function<void(DataSet&)>& change, std::string action, Change kind = Change::Edited);

    std::string programFolder_;
    SettingsStore& settings_;
    Prompter& prompter_;
    std::vector<WorkspaceListener*> listeners_;

    std::vector<int> offeredModels_;
    int startModel_ = 1;
    History<Document> history_;
    bool started_ = false;  // a first data set exists
    std::optional<MemoryImage> radioImage_;  // the image last read from the radio in this session
    bool fileError_ = false;
    bool operationCancelled_ = false;
};

}  // namespace rp770
