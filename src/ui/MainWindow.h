#pragma once

#include <QMainWindow>
#include <QString>
#include <array>
#include <memory>

#include "core/CommandLine.h"
#include "core/Services.h"
#include "files/SettingsStore.h"
#include "link/TransferEngine.h"
#include "workspace/Workspace.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QToolBar;

namespace rp770::ui {

class EditorPane;
class FileDialogs;
class HexDumpView;
enum class TransferMode;

// What the window works with; the application gives the real services,
// tests give scripted ones.
struct MainWindowServices {
    SettingsStore& settings;
    Prompter& prompter;
    Clock& clock;                 // settling pauses and monitor pauses
    link::TransferEngine& link;   // the radio link (its State() holds the port choice)
    FileDialogs& dialogs;
};

// The editor window: menus, toolbar, status bar, the navigation tree with
// its panels, model and destination choice, files, transfers, close prompt.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(const Switches& switches, const QString& programFolder, MainWindowServices services,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // The start sequence. False when no model is offered ("Unknown model!!"):
    // the program then ends.
    bool Startup();

    void UpdateTitle();
    bool CommitPendingInput();

    // Commands, as the menus and the toolbar run them.
    void FileNew();          // deferred by 100 ms
    void RunDeferredNew();   // what the deferred New does
    void FileOpen();
    void FileSave();
    void FileSaveAs();
    void FilePrint();
    void FilePrintToFile();
    void TransferRead();
    void TransferProgram();
    void ChooseModel(int index);        // model entry index 0-9
    void ChooseDestination(int entry);  // destination entry 0-10
    void ChooseSerialPort(int index);   // "COM&1".."COM&4": index 0-3
    void ChooseSerialDevice(const QString& device);  // a detected port, or "sim"
    void ToggleHexDump();
    void SaveHexCommand();  // Ctrl+F3, debug mode only
    void OpenHexCommand();  // Ctrl+F2, debug mode only
    void ShowAbout();
    void ToolbarClicked(const QString& key);

    Workspace& workspace() { return *workspace_; }
    EditorPane& editor() { return *pane_; }
    HexDumpView& hexDump() { return *hex_; }
    QLabel* statusPanel(int i) { return status_[static_cast<size_t>(i)]; }
    bool newPending() const;
    const QString& programFolder() const { return programFolder_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void BuildMenus();
    void BuildToolbar();
    void BuildStatusBar();
    void ReinitialiseEditor(bool rescan);
    void AfterDataReplaced();  // panels and tree for the workspace's fresh data
    void RefreshModelMenu();
    void RefreshDestinationMenu();
    void RefreshPortMenu();
    void RefreshHexDump();
    void ApplyHexDumpMark();
    void PlaceHexDump();
    void SetBusy(bool busy);
    void SetFilling(bool filling);
    void SaveTo(const QString& path);
    bool SaveForClose();
    void RunTransfer(TransferMode mode);
    void StoreGeometry();

    Switches switches_;
    QString programFolder_;
    MainWindowServices services_;
    std::unique_ptr<Workspace> workspace_;
    EditorPane* pane_ = nullptr;
    HexDumpView* hex_ = nullptr;
    QTimer* newTimer_ = nullptr;
    bool started_ = false;
    bool logoShown_ = false;
    int busyDepth_ = 0;

    QMenu* mnuEdit_ = nullptr;
    QMenu* mnuDestination_ = nullptr;
    QMenu* mnuSerialPort_ = nullptr;
    std::array<QAction*, 10> modelEntries_{};
    std::array<QAction*, 11> destinationEntries_{};
    std::array<QAction*, 4> portEntries_{};
    QAction* portSeparator_ = nullptr;
    QList<QAction*> deviceEntries_;
    QAction* hexdumpAction_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    std::array<QLabel*, 3> status_{};
};

}  // namespace rp770::ui
