#pragma once
// One editing session: the radio model and its flags, the models on offer,
// the Destination menu, the data set, the current file, the clean state and
// the undo history, with every operation on them. Every front end (the
// window, the command line, the page) drives this; none changes the data
// any other way.
//
// It shows and asks nothing. Operations return an Outcome: success or a
// Failure, and the messages to show, in order. Files come and go as bytes:
// which file they are is the caller's business (the application session
// reads and writes them). Whoever shows the data hears of every change
// through a subscription, told what changed and why.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/ErrorLog.h"
#include "core/Model.h"
#include "core/Outcome.h"
#include "core/Storage.h"
#include "files/DestinationScan.h"
#include "files/SettingsStore.h"
#include "link/TransferEngine.h"
#include "workspace/Edits.h"
#include "workspace/History.h"
#include "workspace/Verification.h"

namespace rp770 {

// True for a name that names a memory image file (".hex", any case).
bool IsMemoryImagePath(const std::string& path);

// Why the data changed.
enum class ChangeSource {
    Edit,         // a named edit
    Undo,         // a step taken back
    Redo,         // a step done again
    Correction,   // showing or sending the data corrected them (no step; the clean state stays)
    Replacement,  // New, an opened file, a read, a destination or model change: everything starts again
    Saved,        // only the current file or the clean state changed (the title follows)
};

// What changed: one channel, one area (several channels of it), or more.
struct ChangeNotice {
    ChangeSource source = ChangeSource::Edit;
    std::optional<Area> area;           // the one area changed, when it was one
    std::optional<ChannelRef> channel;  // the one channel changed, when it was one
    std::string field;                  // what of it, as the editor names it ("Scan Memory"); empty: several
};

// Ends its subscription when it goes (or on Reset()). Movable, not copyable.
class Subscription {
public:
    Subscription() = default;
    explicit Subscription(std::function<void()> cancel) : cancel_(std::move(cancel)) {}
    Subscription(Subscription&& other) noexcept : cancel_(std::exchange(other.cancel_, {})) {}
    Subscription& operator=(Subscription&& other) noexcept {
        if (this != &other) {
            Reset();
            cancel_ = std::exchange(other.cancel_, {});
        }
        return *this;
    }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    ~Subscription() { Reset(); }
    void Reset() {
        if (cancel_) std::exchange(cancel_, {})();
    }

private:
    std::function<void()> cancel_;
};

// How a transfer went.
struct [[nodiscard]] TransferOutcome : Outcome {
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
    // `program` holds global.ini and the model definition files; both must
    // outlive the session.
    // `log`: where run-time failures are reported (none by default).
    Workspace(const ProgramData& program, SettingsStore& settings, ErrorLog& log = NoErrorLog());
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;
    ~Workspace();

    // ---- start ------------------------------------------------------------
    // Reads the offered models from global.ini, restores the remembered last
    // model (when below 10 and offered; else the last offered one) and its
    // flags. Fails with "Unknown model!!" when no model is offered: the
    // program then ends. Call New() next for the first data set.
    Outcome Start();
    const std::vector<int>& offeredModels() const { return offeredModels_; }
    bool modelMenuVisible() const { return offeredModels_.size() > 1; }

    // ---- state ------------------------------------------------------------
    const DataSet& data() const { return history_.Current().data; }
    int modelNumber() const { return data().modelNumber; }
    std::string modelName() const;
    std::string messageTitle() const;
    const ModelFlags& flags() const { return data().flags; }
    const ProgramData& program() const { return program_; }
    SettingsStore& settings() { return settings_; }
    // The file the session belongs to: the one its data were last opened
    // from or saved to, by the name the front end gave (a path on the
    // desktop); empty for none. Undo and redo change the data, never this:
    // Save writes where the user last opened or saved.
    const std::string& currentFilePath() const { return file_.path; }
    // Whether that file is a memory image (Save then asks for a settings file).
    bool currentFileIsImage() const { return file_.image; }
    // The session's file set again (a session restored from a copy kept
    // aside); the data stay as they are.
    void RestoreFile(const std::string& path, bool image);
    // The Destination menu: shown names in menu order and the checked entry.
    const DestinationMenu& destinations() const { return history_.Current().destinations; }
    // The data differ from the clean state: saved, opened, read or new.
    bool modified() const { return !history_.IsClean(); }
    // The enabled EXP channels the radio cannot use (no RX frequency, or no
    // channel number as the radio will receive it). Only data opened or read
    // so hold them (no edit makes one); they are shown marked, may be mended
    // a step at a time, and keep the radio from being programmed.
    std::vector<ChannelRef> IncompleteChannels() const;
    // Refused (naming the channels) while an incomplete channel is enabled.
    Outcome CheckProgrammable() const;

    // Every change, as it happens, until the subscription goes.
    [[nodiscard]] Subscription Subscribe(std::function<void(const ChangeNotice&)> listener);

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
    // Its messages say when there are no definition files or one is refused.
    Outcome New();

    // Makes `model` current, reads its flags, remembers it as "lastmodel"
    // and starts a new data set; fails when it was current already or is not
    // a model (nothing happens then).
    Outcome ChangeModel(int model);

    // Loads the factory data of Destination menu entry i, which become the
    // clean state; when the definition is refused ("IniFileRead Error!!")
    // nothing changes. The remembered destination follows the data, also
    // through undo and redo.
    Outcome ChangeDestination(int entry);

    // A settings text file (.dat), laid over the destination's factory data
    // (the definition files scanned again); on success `name` becomes the
    // current file and the data are clean. A refused file changes nothing.
    Outcome OpenDat(std::string text, const std::string& name);
    // A memory image file (.hex): the length ("bad file!!") and the model
    // codes ("ModelType Error !!") are checked, then the image replaced and
    // decoded; `name` becomes the current file and the data are clean.
    Outcome OpenHex(std::string_view bytes, const std::string& name);
    // "bad file!!": a memory image file of the wrong length (`length`, or
    // nothing for one known only to be longer than the image).
    Outcome WrongLengthOutcome(std::optional<size_t> length) const;
    // Either, by the name's ending (".hex" for a memory image).
    Outcome OpenFile(std::string bytes, const std::string& name);

    // A settings text or memory image file read as Open reads it (by its
    // name's ending), into a data set of its own: the session stays as it
    // was. Nothing, and the outcome's messages, when the file is refused.
    std::optional<DataSet> ReadDataFile(std::string bytes, const std::string& name, Outcome& outcome,
                                        std::optional<bool> image = std::nullopt);  // none: by the name

    // The data as a settings text file.
    std::string DatText() const;
    // The data as a memory image file, exactly as they would be sent to the
    // radio (encoded and the start channel fixed: a correction, no step).
    std::string HexBytes();
    // The data of the clean state (saved, opened, read or new), while the
    // undo history still holds it.
    const DataSet* cleanData() const;
    // Data kept aside from an earlier session put back: `model` made
    // current with `destination` checked (when it is one of the menu's),
    // `base` (or, without one, `edited`) as the clean state of the file
    // `name`, and `edited` over it as one step named `action`. Modified
    // afterwards. Fails, changing nothing, for a model not on offer or data
    // of another model.
    Outcome RestoreKept(int model, const std::string& destination, const DataSet& edited,
                        const std::optional<DataSet>& base, const std::string& name, std::string action);
    // The data were written to `name` as a settings text file: it becomes
    // the current file and the data are clean.
    void MarkSaved(const std::string& name);

    // The channels as a spreadsheet table (ChannelCsv.h), and a table laid
    // over the data as one step; a table with any refused row changes
    // nothing and its problems are the outcome's message, one
    // "line N: reason" a line.
    std::string ChannelsCsv() const;
    Outcome ImportChannels(std::string_view text, const std::string& name);

    // ---- transfers ----------------------------------------------------------
    // Synchronisation, then the read (its image taken over as a new clean
    // data set without a current file), or the programming of the data
    // (encoded and with the start channel fixed first). A programming that
    // stops after it began writing says so. With verify, a complete
    // programming is read back into a separate data set (the data shown stay
    // as they are) and every written byte compared; the finding is told
    // ("Verified..." or the bytes that differ) instead of "Complete!!".
    TransferOutcome ReadFromRadio(link::TransferEngine& engine);
    TransferOutcome ProgramToRadio(link::TransferEngine& engine, ProgramOptions options = {});
    // The same read, its data set handed to `radio` when it completed
    // instead of taken over: the session stays as it was (to compare). No
    // "Complete!!": the comparison is the result.
    // `activity`: what the transfer says it is doing.
    TransferOutcome ReadRadioForComparison(link::TransferEngine& engine, DataSet& radio,
                                           const std::string& activity = Words(MessageId::ReadingRadioToCompare));
    // The image last read from the radio in this session, if any.
    const std::optional<MemoryImage>& radioImage() const { return radioImage_; }

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
    // step (channels imported from elsewhere); false, and nothing changes,
    // when it would enable an EXP channel incomplete.
    bool ReplaceData(const DataSet& next, std::string action);

    // ---- corrections made by showing or sending the data --------------------
    // Not edits: no undo step, the clean state stays; listeners hear of them
    // when they change something. An EXP frequency off the 5 kHz and
    // 12.5 kHz rasters is shown, and from then on kept, on the raster; with
    // no weather channel enabled the weather alert is off; a receive-only
    // slot shown in the channel editor keeps no transmit switch.
    void SnapExpFrequencies();
    void SettleWeatherAlert();
    void SettleShownChannel(ChannelRef channel);
    // What shows the data: each screen makes its corrections first, as
    // named here once for the window and the page (a channel list or editor
    // names its channel; a list only by its area).
    enum class Showing { CommonSetup, Weather, ChannelList, ChannelEditor, Report };
    void CorrectForShowing(Showing what, std::optional<ChannelRef> channel = std::nullopt);

private:
    struct Document {
        DataSet data;
        DestinationMenu destinations;
        ChangeNotice cause;  // what made this state (told again by undo and redo)
    };
    struct Listeners;

    void Notify(const ChangeNotice& notice);
    void SetModelOf(DataSet& data, int model) const;
    DestinationContext Context(int model);
    Message Say(const MessageText& text, Icon icon, std::string detail = {}) const;
    // A fresh data set for the current model: factory defaults, the
    // definition files scanned, the remembered destination loaded. Fails
    // when the definition could not be loaded.
    Outcome FactoryDocument(Document& document);
    Outcome ReadDatDocument(std::string text, const std::string& name, Document& next);
    Outcome ReadHexDocument(std::string_view bytes, Document& next) const;
    // Makes the document current: a new clean state, or the very first one.
    void Replace(Document next, std::string action);
    enum class Committed { Nothing, Step, Incomplete };
    // One undo step from a change of the current data: Nothing when nothing
    // changed, Incomplete (and nothing changed) when it would leave an EXP
    // channel incomplete that was not. `later`: the EXP channel the channel
    // editor enables before its frequency and number are typed; its state
    // stays provisional (amended by the edits of that channel, dropped by
    // an undo) until the channel is complete.
    Committed Commit(const std::function<void(DataSet&)>& change, std::string action, ChangeNotice notice,
                     std::optional<int> later = std::nullopt);
    // Changes the current data without a step (a correction); told when it changed something.
    void Correct(const std::function<void(DataSet&)>& change);
    TransferOutcome ReadRadioInto(link::TransferEngine& engine, DataSet& data, bool announce,
                                  const std::string& activity = {});
    // Reads the radio back after a complete programming and tells what it holds.
    void Verify(link::TransferEngine& engine, TransferOutcome& result);
    // The remembered destination follows the data's checked entry.
    void RememberDestination();

    const ProgramData& program_;
    SettingsStore& settings_;
    ErrorLog& log_;
    std::shared_ptr<Listeners> listeners_;

    std::vector<int> offeredModels_;
    History<Document> history_;
    struct SessionFile {
        std::string path;
        bool image = false;
    } file_;
    bool started_ = false;  // a first data set exists
    std::optional<int> provisional_;  // the EXP channel the current step enabled before it was complete
    std::optional<MemoryImage> radioImage_;  // the image last read from the radio in this session
};

}  // namespace rp770
