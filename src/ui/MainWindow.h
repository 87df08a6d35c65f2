#pragma once

#include <QMainWindow>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/Outcome.h"
#include "core/Services.h"
#include "platform/Prompter.h"
#include "files/SettingsStore.h"
#include "session/AppSession.h"
#include "ui/RecentFiles.h"

class QAction;
class QLabel;
class QMenu;
class QToolBar;

namespace rp770::ui {

class EditorPane;
class FileDialogs;
enum class FileKind;
enum class PrintOrder;
class FolderMemoryDialogs;
class HexDumpView;
class SerialPortMenu;
class TransferDialog;
class WindowAsker;
class WorkspaceEvents;
enum class TransferMode;

// What the window works with; the application gives the real services,
// tests give scripted ones.
struct MainWindowServices {
    SettingsStore& settings;
    Prompter& prompter;   // the window's message boxes
    WindowAsker& asker;   // the session's questions; the window gives it the save dialog
    Clock& clock;         // the pauses that let the window settle (the event loop keeps running)
    FileDialogs& dialogs;
    std::vector<std::string> languages = {};  // the catalogues the window may speak (Options > Language)
};

// The editor window: menus, toolbar, status bar, the navigation tree with
// its panels. It shows the application session it is given (which outlives
// it), runs its operations from the menus and shows their outcomes; the
// rules around them are the session's.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(AppSession& session, MainWindowServices services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The start sequence. False when no model is offered ("Unknown model!!"):
    // the program then ends.
    bool Startup();

    void UpdateTitle();
    bool CommitPendingInput();
    // The editor's typed input, for the session's commands (`leaving`: the
    // editor is left once it is taken).
    PendingInput Pending(bool leaving = true);

    // Commands, as the menus and the toolbar run them.
    void FileNew();          // deferred by 100 ms
    void RunDeferredNew();   // what the deferred New does
    void FileOpen();
    // Opens a file named outside the Open dialog (the command line, a drop,
    // the recent files): a .dat as File > Open does, a .hex as Ctrl+F2 does
    // whatever the debug switch (the user chose it), each after "Save
    // changes?" when there are unsaved changes.
    void OpenFile(const QString& path);
    // A recent file: opened, or, when it is gone, said so and taken off the list.
    void OpenRecentFile(const QString& path);
    void FileSave();
    void FileSaveAs();
    void FilePrint();
    void FilePrintPreview();
    void FilePrintToFile();
    void FileExportChannels();
    void FileImportChannels();   // onto the current data, one undo step
    void FileCompareWithFile();
    void FileRadioBackups();     // the radio memories kept; one opened as a memory image file
    // At start: each radio left partly programmed is said, with the offer to
    // program its plan again (No forgets it).
    void OfferPartlyProgrammed();
    void TransferCompare();      // reads the radio into a data set of its own
    void EditUndo();
    void EditRedo();
    void TransferRead();
    void TransferProgram();
    void ChooseModel(int index);        // model entry index 0-9
    void ChooseDestination(int entry);  // destination entry 0-10
    void ChooseSerialPort(int index);   // "COM&1".."COM&4": index 0-3
    void ChooseSerialDevice(const QString& device);  // a detected port, a device typed by the user, or "sim"
    void ChooseOtherDevice();                        // "Other device...": asks for any device name
    void TestConnection();                           // Options > Test Connection
    void SetVerifyAfterProgramming(bool on);         // Options > Verify After Programming, remembered
    void ShowHelpContents();  // Help > Contents, F1
    void ToggleHexDump();
    void SaveHexCommand();  // Ctrl+F3, debug mode only
    void OpenHexCommand();  // Ctrl+F2, debug mode only
    void ShowAbout();

    void ToolbarClicked(const QString& key);

    AppSession& session() { return session_; }
    Workspace& workspace() { return session_.workspace(); }
    EditorPane& editor() { return *pane_; }
    HexDumpView& hexDump() { return *hex_; }
    QLabel* statusPanel(int i) { return status_[static_cast<size_t>(i)]; }
    // The help line under the editing area: the help of the field in use.
    QLabel* helpLine() { return helpLine_; }
    QString programFolder() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The toolbar's buttons, in their order.
    struct Toolbar {
        QAction* newFile = nullptr;
        QAction* open = nullptr;
        QAction* save = nullptr;
        QAction* saveAsDefault = nullptr;  // no action; not shown
        QAction* print = nullptr;
        QAction* program = nullptr;        // hidden at start
        QAction* program2 = nullptr;
        QAction* read = nullptr;
        QAction* read2 = nullptr;          // hidden at start
        QAction* undo = nullptr;
        QAction* redo = nullptr;
    };

    void BuildMenus();
    void BuildToolbar();
    void BuildStatusBar();
    // The session's notices.
    void AfterEdit();
    void AfterRestore();
    void AfterDataReplaced();
    void RefreshHistoryActions();
    void RefreshModelMenu();
    void RefreshDestinationMenu();
    void RefreshHexDump();
    void ApplyHexDumpMark();
    void PlaceHexDump();
    void SetBusy(bool busy);
    void PrintReport(PrintOrder order);
    // Shows an operation's messages; true when it succeeded.
    bool Show(const Outcome& outcome);
    // The one way data are replaced as a whole: the window busy, the
    // operation (its result comes back through the session's notice), the
    // settling pause, its messages.
    bool ReplaceData(const std::function<Outcome()>& operation);
    // Saves with the window busy; a saved file joins the recent files.
    bool SaveWith(const std::function<Outcome()>& save);
    // `done` sees the dialog once it has closed.
    void RunTransfer(TransferMode mode, const std::function<void(const TransferDialog&)>& done = {});
    // A session's command with the window busy, then its messages; true when it succeeded.
    bool RunCommand(const std::function<Outcome()>& command);
    // The differences between the data and `other` in a table, or a word
    // that there are none.
    void ShowDifferences(const DataSet& other, const QString& otherName, const QString& title);
    void Remember(const QString& path);
    void RefreshRecentMenu();
    QString Caption() const;

    AppSession& session_;
    MainWindowServices services_;
    std::unique_ptr<FolderMemoryDialogs> dialogs_;  // the services' dialogs, starting in the folder last used
    RecentFiles recent_;
    WorkspaceEvents* events_ = nullptr;
    EditorPane* pane_ = nullptr;
    HexDumpView* hex_ = nullptr;
    SerialPortMenu* ports_ = nullptr;
    QTimer* newTimer_ = nullptr;
    QString chosen_;  // the file the running command's dialog chose
    bool started_ = false;
    bool logoShown_ = false;
    int busyDepth_ = 0;

    QMenu* mnuEditModel_ = nullptr;
    QMenu* mnuDestination_ = nullptr;
    QMenu* mnuRecent_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    std::array<QAction*, 10> modelEntries_{};
    std::array<QAction*, 11> destinationEntries_{};
    QAction* hexdumpAction_ = nullptr;
    QAction* verifyAction_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    Toolbar tb_;
    std::array<QLabel*, 3> status_{};
    QLabel* helpLine_ = nullptr;
};

}  // namespace rp770::ui
