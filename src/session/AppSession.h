#pragma once
// The application's session: the editing session (Workspace) with the rules
// every front end follows around it, so that none repeats them. Unsaved
// changes are never dropped silently; a memory image file is never
// overwritten with settings text; files are read and written through the
// front end's FileAccess and their failures said the program's way; the
// serial port, the link's switches, the retry count and the verify option
// are remembered and put on the link; data that programming would get wrong
// are questioned before the first byte goes out; a report shows the data as
// the screens do. Plain C++: the window, the command line and the page all
// drive it.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/CommandLine.h"
#include "core/ErrorLog.h"
#include "core/Outcome.h"
#include "core/Storage.h"
#include "files/SettingsStore.h"
#include "link/ProbeReport.h"
#include "link/TransferEngine.h"
#include "session/PortChoice.h"
#include "session/RadioKeeper.h"
#include "session/SessionSnapshot.h"
#include "workspace/DataDiff.h"
#include "workspace/Workspace.h"

namespace rp770 {

struct SessionServices {
    SettingsStore& settings;  // the user's remembered choices
    FileAccess& files;        // the user's files
    Asker& asker;             // questions, and the file to save in
    ErrorLog& log = NoErrorLog();  // run-time failures, for diagnosis (debug mode's err.log)
    RadioKeeper* keeper = nullptr;  // where radios' memories are kept; none: nothing is kept
};

// The texts of the session's questions.
namespace ask {
inline constexpr CatalogueText SaveChanges{MessageId::AskSaveChanges};
std::string ModelChange(int model);             // "Do you want to program the MR318 series?"
std::string DestinationChange(const std::string& name);  // "Do you want to change to INT?"
}  // namespace ask

inline constexpr const char* kVerifyKey = "VerifyAfterProgramming";
inline constexpr const char* kBackupKey = "KeepRadioMemoryBeforeProgramming";
// The most changes a programming confirmation lists one by one.
inline constexpr size_t kReviewedChanges = 20;

// The changes listed as a confirmation lists them: one a line, the first
// kReviewedChanges, then "and N more".
std::string ChangeReviewText(const std::vector<Difference>& changes);

// Typed input a front end holds that has not reached the data yet: it
// counts as a change, and `take` puts it into the data (false: refused,
// the front end has said why). Every command that uses the data takes it
// first. `leave`: the check on leaving the screen that holds it (Close and
// Quit run it before anything else; false: the user stays there).
struct PendingInput {
    bool present = false;
    std::function<bool()> take;
    std::function<bool()> leave = {};
};

// Another data set to compare with, read by a command: its name and the
// title of the comparison.
struct [[nodiscard]] ComparisonOutcome : Outcome {
    std::optional<DataSet> other;
    std::string otherName;
    std::string title;
};

struct [[nodiscard]] ProbeOutcome : Outcome {
    link::ProbeReport report;
};

// How the kind of a file to open is told: by its name (".hex" is a memory
// image, anything else settings text), fixed by the caller, or by its bytes
// (a memory image holds bytes no settings text holds: for a stream, whose
// name tells nothing).
enum class FileKind { ByName, Settings, MemoryImage, ByContent };

// True for bytes no settings text holds (control characters other than
// tab, CR and LF): a memory image.
bool LooksLikeMemoryImage(std::string_view bytes);

class AppSession {
public:
    AppSession(const ProgramData& program, SessionServices services, Switches switches = {});
    AppSession(const AppSession&) = delete;
    AppSession& operator=(const AppSession&) = delete;

    Workspace& workspace() { return workspace_; }
    const Workspace& workspace() const { return workspace_; }
    const DataSet& data() const { return workspace_.data(); }
    const Switches& switches() const { return switches_; }
    // Where run-time failures are reported (the About box says where).
    const ErrorLog& errorLog() const { return services_.log; }
    bool started() const { return started_; }

    // ---- start ------------------------------------------------------------
    // The models on offer and the remembered one, the remembered port and
    // verify option, then the first data set. Fails after "Unknown model!!"
    // when no model is offered: the program then ends.
    Outcome Start();
    // As Start, with the first data set on the named destination (one of the
    // Destination menu's names, any case) for this session; an unknown name
    // fails (FailureKind::Usage), naming the destinations there are.
    Outcome StartOn(const std::string& destination);

    // ---- replacing the data -------------------------------------------------
    // Before unsaved changes go: "QZP data has changed. Do you want to save
    // changes?" Yes saves (Save's rules; typed input the front end still
    // holds is taken first, and a refusal stops), No goes on, Cancel stops.
    // Ok() when the caller may go on; Cancelled when the user stopped it.
    Outcome ConfirmDiscard(const PendingInput* pending = nullptr);
    Outcome New();
    // A settings text file or a memory image file, told apart as `kind` says
    // (by default by the ".hex" name). A file that cannot be read says so
    // first ("FileRead Error!!" with the name and the system's reason); a
    // refused one changes nothing. Each kind is read up to its limit
    // (files/ReadLimits.h): a memory image file longer than the image is
    // "bad file!!" at once, a longer text file a read error saying so.
    Outcome Open(const std::string& name, FileKind kind = FileKind::ByName);
    // Whether the file Open last opened was a memory image (however told).
    bool openedMemoryImage() const { return workspace_.currentFileIsImage(); }
    Outcome OpenBytes(std::string bytes, const std::string& name);
    // Asks "Do you want to program the ... series?" (Cancel: nothing happens).
    Outcome ChangeModel(int model);
    // Asks "Do you want to change to ...?" unless the entry is the checked one.
    Outcome ChangeDestination(int entry);

    // ---- keeping the data ---------------------------------------------------
    // To the current file; without one, or when it is a memory image file,
    // to a settings file the user chooses (the asker's ChooseSaveFile).
    Outcome Save();
    Outcome SaveAs(const std::string& name);
    // The memory image file: the data exactly as they would be sent.
    Outcome SaveHex(const std::string& name);
    Outcome ExportChannels(const std::string& name);
    Outcome ImportChannels(const std::string& name);
    // Another file read as Open reads it, for comparing: the session stays.
    std::optional<DataSet> ReadDataFile(const std::string& name, Outcome& outcome, FileKind kind = FileKind::ByName);
    // The data as the report lists and prints them: as the screens show
    // them (EXP frequencies on the raster, and kept so).
    const DataSet& DataForReport();

    // ---- the application's commands ------------------------------------------
    // Each is one sequence, its questions in one order through the asker:
    // typed input taken first (a refusal stops), then "Save changes?" where
    // the data would go, then the file dialog, then the operation. The
    // window, the page and the command line call them and show the outcome.
    Outcome NewCommand(const PendingInput* pending = nullptr);
    Outcome OpenCommand(const PendingInput* pending = nullptr);
    // A file named already (dropped on the window, a recent file).
    Outcome OpenFileCommand(const std::string& name, const PendingInput* pending = nullptr,
                            FileKind kind = FileKind::ByName);
    // A memory image file (the debug mode's key).
    Outcome OpenImageCommand(const PendingInput* pending = nullptr);
    Outcome SaveCommand(const PendingInput* pending = nullptr);
    Outcome SaveAsCommand(const PendingInput* pending = nullptr);
    Outcome SaveImageCommand(const PendingInput* pending = nullptr);
    Outcome ExportChannelsCommand(const PendingInput* pending = nullptr);
    Outcome ImportChannelsCommand(const PendingInput* pending = nullptr);
    ComparisonOutcome CompareWithFileCommand(const PendingInput* pending = nullptr);
    Outcome ChangeModelCommand(int model, const PendingInput* pending = nullptr);
    Outcome ChangeDestinationCommand(int entry, const PendingInput* pending = nullptr);
    bool UndoCommand(const PendingInput* pending = nullptr);
    bool RedoCommand(const PendingInput* pending = nullptr);
    // Before a transfer runs (its progress is the front end's): typed input
    // taken; for programming also the refusal of incomplete channels and
    // the confirmation. Ok() to run it.
    Outcome PrepareRead(const PendingInput* pending = nullptr);
    Outcome PrepareProgramming(const PendingInput* pending = nullptr);
    Outcome PrepareComparison(const PendingInput* pending = nullptr);
    // Closing the window or the page: the check on leaving, then "Save
    // changes?" (typed input counting as a change). Ok() to close.
    Outcome Quit(const PendingInput* pending = nullptr);

    // ---- copies kept aside (SessionSnapshot.h) -------------------------------------
    // The session as it stands, kept at `keptAt` (UTC, ISO 8601).
    SessionSnapshot TakeSnapshot(const std::string& keptAt) const;
    // Puts a kept copy back: the data exactly as they were, still modified,
    // the same current file (Save writes there). Refused, changing nothing,
    // when its model is not on offer.
    Outcome RestoreSnapshot(const SessionSnapshot& snapshot);

    // ---- the link -------------------------------------------------------------
    // The link transfers run on; its port and switches are set from the
    // session's (remembered) choices. Null: no transfer possible.
    void SetLink(link::TransferEngine* engine);
    link::TransferEngine* link() const { return link_; }
    const link::LinkState& linkChoice() const { return choice_; }
    // COM1-COM4 by number, or a device by name ("/dev/ttyUSB0", "sim" for the
    // simulated radio); remembered once the session has started.
    void ChoosePort(int number);
    void ChooseDevice(const std::string& device);
    void ChoosePort(const PortSelection& selection);
    // Where the system's serial ports come from (the desktop's list); set
    // before Start. With it, a session without a remembered port starts on
    // DefaultPortSelection, and PortMenu() lists the system's ports.
    void SetSystemPorts(std::function<SystemPorts()> source) { systemPorts_ = std::move(source); }
    // The SerialPort menu's entries (PortChoice.h), the current choice checked.
    std::vector<PortEntry> PortMenu() const;
    bool verifyAfterProgramming() const { return verify_; }
    void SetVerifyAfterProgramming(bool on);

    // ---- keeping radios' memories ---------------------------------------------
    RadioKeeper* keeper() const { return services_.keeper; }
    // The port transfers go to, as a keeper names it ("/dev/ttyUSB0", "COM3", "sim").
    std::string PortName() const;
    // Whether the radio's memory is known: read in this session.
    bool radioMemoryKnown() const { return workspace_.radioImage().has_value(); }
    // The front end shows the choice to read and keep the radio's memory
    // first in the programming confirmation (the window and the page).
    void OfferBackupChoice(bool on) { offerBackup_ = on; }
    // The remembered choice (on unless the user turned it off).
    bool backupBeforeProgramming() const;
    void SetBackupBeforeProgramming(bool on);
    // The next programming reads and keeps the radio's memory first, when
    // it is not known yet (the command line's --backup).
    void RequestBackupFirst(bool on) { backupFirst_ = on; }
    // Reads the radio and keeps its memory (why: before programming); the
    // data stay as they are, and the radio's memory is known from then on.
    // Fails, and nothing should be written, when it could not be kept.
    TransferOutcome BackupRadio();
    // What programming the data would change in the radio, field by field,
    // when its memory is known; empty otherwise.
    std::vector<Difference> ChangesInRadio() const;
    // A radio left partly programmed on the current port, if one is remembered.
    std::optional<PartialProgramming> PartialOnPort() const;
    // Every radio remembered as partly programmed, the latest first.
    std::vector<PartialProgramming> PartlyProgrammed() const;
    void ForgetPartial(const std::string& port);
    // The plan that was being sent, as the data (modified, from its file),
    // on the port it was being sent to.
    Outcome ResumePartial(const PartialProgramming& partial);
    // The one line the command line says of a radio remembered on the port.
    static std::string PartialNotice(const PartialProgramming& partial);

    // ---- transfers --------------------------------------------------------------
    // Before programming: lists what changes in the radio when its memory
    // is known, says what the data hold that the radio would get wrong, and
    // offers to read and keep the radio's memory first (when the front end
    // shows that choice and the memory is not known); asks whether to
    // program when there is any of these. Ok() to go on.
    Outcome ConfirmProgramming();
    TransferOutcome ReadFromRadio();
    TransferOutcome ProgramToRadio();
    TransferOutcome CompareWithRadio(DataSet& radio);
    ProbeOutcome TestConnection();

private:
    // Typed input into the data; Cancelled when it was refused.
    Outcome TakePending(const PendingInput* pending);
    // Said after a save that kept incomplete channels.
    void SayIncompleteKept(Outcome& saved) const;
    // The models and the remembered choices, without a data set yet.
    Outcome Begin();
    Outcome FileReadFailure(const std::string& name, const Failure& failure, const char* procedure);
    Outcome ReadFile(const std::string& name, std::string& bytes, size_t limit, const char* procedure);
    // Reads a settings text or memory image file as Open does: `image` is
    // set once the kind is known (it may take the bytes to tell).
    Outcome ReadDataBytes(const std::string& name, FileKind kind, std::string& bytes, bool& image);
    Outcome WriteFile(const std::string& name, std::string_view bytes, const char* procedure);
    TransferOutcome NoLink() const;
    void ApplyLinkChoice();
    // Keeps an image read from the radio; a warning when it could not be.
    Failure KeepImage(const DataSet& radio, KeepReason reason, Outcome& outcome);

    SessionServices services_;
    Switches switches_;
    Workspace workspace_;
    link::TransferEngine* link_ = nullptr;
    link::LinkState choice_;  // the port and switches every transfer starts with
    std::function<SystemPorts()> systemPorts_;
    bool verify_ = false;
    bool offerBackup_ = false;
    bool backupFirst_ = false;
    bool started_ = false;
};

}  // namespace rp770
