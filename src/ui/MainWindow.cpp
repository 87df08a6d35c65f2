#include "ui/MainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QPointer>
#include <QStyle>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QScreen>
#include <QSerialPortInfo>
#include <QStatusBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "core/Codecs.h"
#include "core/Titles.h"
#include "files/ModelList.h"
#include "link/PortSetting.h"
#include "platform/ReportPrinting.h"
#include "workspace/DataDiff.h"
#include "platform/SerialPortList.h"
#include "ui/AboutBox.h"
#include "ui/DifferencesDialog.h"
#include "ui/EditorPane.h"
#include "ui/EditorContext.h"
#include "ui/FileDialogs.h"
#include "ui/FileDrop.h"
#include "ui/Help.h"
#include "ui/HexDumpView.h"
#include "ui/NavigationTree.h"
#include "ui/ReportWindow.h"
#include "ui/ToolbarIcons.h"
#include "ui/TransferDialog.h"
#include "ui/TreeNodes.h"
#include "ui/WorkspaceEvents.h"
#include "ui/Twips.h"
#include "ui/WheelGuard.h"
#include "ui/WindowPlacement.h"

namespace rp770::ui {

namespace {

constexpr int kStartWidthPx = 607;
constexpr int kStartHeightPx = 444;
constexpr double kMinWidthTwips = 9105;
constexpr double kMinHeightTwips = 6660;
constexpr const char* kSimulatedDevice = "sim";
// The window's place in the settings, in twips: left, top, width, height.
constexpr std::array<const char*, 4> kGeometryKeys = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};
constexpr const char* kVerifyKey = "VerifyAfterProgramming";

std::string Std(const QString& s) { return s.toStdString(); }
QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

MainWindow::MainWindow(const Switches& switches, Workspace& workspace, MainWindowServices services, QWidget* parent)
    : QMainWindow(parent),
      switches_(switches),
      workspace_(workspace),
      services_(services),
      dialogs_(std::make_unique<FolderMemoryDialogs>(services.dialogs, services.settings)),
      recent_(services.settings) {
    setObjectName("frmMain");
    WheelGuard::Install();  // the wheel scrolls the panels and edits only a focused value
    FileDrop::Install(this, [this](const QString& path) { OpenFile(path); });
    services_.link.State().DebugMode = switches_.debugMode;
    services_.link.State().NoEchoMode = switches_.noEchoMode;

    pane_ = new EditorPane(workspace_,
                           EditorServices{services_.prompter, [this](const QString& hint) { status_[0]->setText(hint); },
                                          programFolder()},
                           this);
    setCentralWidget(pane_);
    // The layout rules count in the window's terms: the client area holds the
    // toolbar above the editing area and the status bar below it.
    pane_->SetWindowMetricsProvider([this] {
        layout::WindowMetrics m;
        const int toolbarPx = toolbar_ && toolbar_->isVisible() ? toolbar_->height() : 0;
        const int statusPx = statusBar()->isVisible() ? statusBar()->height() : 0;
        m.width = PxToTwips(width(), this);
        m.innerHeight = PxToTwips(toolbarPx + pane_->height() + statusPx, this);
        m.toolbarVisible = toolbarPx > 0;
        m.toolbarHeight = PxToTwips(toolbarPx, this);
        m.statusBarVisible = statusPx > 0;
        m.statusBarHeight = PxToTwips(statusPx, this);
        return m;
    });

    hex_ = new HexDumpView(pane_);
    hex_->hide();

    newTimer_ = new QTimer(this);
    newTimer_->setObjectName("Timer1");
    newTimer_->setSingleShot(true);
    connect(newTimer_, &QTimer::timeout, this, &MainWindow::RunDeferredNew);

    BuildMenus();
    BuildToolbar();
    BuildStatusBar();

    events_ = new WorkspaceEvents(workspace_, this);
    connect(events_, &WorkspaceEvents::edited, this, &MainWindow::AfterEdit);
    connect(events_, &WorkspaceEvents::restored, this, &MainWindow::AfterRestore);
    connect(events_, &WorkspaceEvents::replaced, this, &MainWindow::AfterDataReplaced);
    connect(events_, &WorkspaceEvents::saved, this, &MainWindow::UpdateTitle);
    UpdateTitle();
    RefreshHistoryActions();
}

MainWindow::~MainWindow() {
    // No notice reaches a window that is being taken apart.
    delete events_;
    events_ = nullptr;
    // The editing area outlives this object by a moment while Qt tears the
    // children down: it must not ask a half-destroyed window for its size.
    pane_->SetWindowMetricsProvider({});
}

// ---- construction -----------------------------------------------------------

void MainWindow::BuildMenus() {
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu("&File");
    file->setObjectName("mnuFile");
    auto add = [this](QMenu* menu, const char* name, const QString& caption, auto slot) {
        QAction* a = menu->addAction(caption, this, slot);
        a->setObjectName(name);
        return a;
    };
    add(file, "mnuFileNew", "&New", &MainWindow::FileNew)->setShortcut(QKeySequence::New);
    add(file, "mnuFileOpen", "&Open", &MainWindow::FileOpen)->setShortcut(QKeySequence::Open);
    file->addSeparator()->setObjectName("mnuFileBar1");
    add(file, "mnuFileSave", "&Save", &MainWindow::FileSave)->setShortcut(QKeySequence::Save);
    add(file, "mnuFileSaveAs", "Save &As...", &MainWindow::FileSaveAs)->setShortcut(QKeySequence::SaveAs);
    QAction* saveDefault = file->addAction("Save As &Default");
    saveDefault->setObjectName("mnuFileSaveAsDefault");
    saveDefault->setVisible(false);
    file->addSeparator();
    add(file, "mnuFileExportChannels", "Expor&t Channels...", &MainWindow::FileExportChannels);
    add(file, "mnuFileImportChannels", "&Import Channels...", &MainWindow::FileImportChannels);
    add(file, "mnuFileCompare", "Compare &With File...", &MainWindow::FileCompareWithFile);
    file->addSeparator()->setObjectName("mnuFileBar2");
    add(file, "mnuFilePrint", "&Print", &MainWindow::FilePrint)->setShortcut(QKeySequence::Print);
    add(file, "mnuFilePrintToFile", "P&rint to File", &MainWindow::FilePrintToFile);
    file->addSeparator()->setObjectName("mnuFileBar3");
    mnuRecent_ = file->addMenu("Recent &Files");
    mnuRecent_->setObjectName("mnuFileRecent");
    RefreshRecentMenu();
    file->addSeparator();
    // Ctrl+Q on every system (Windows has no standard quit key).
    add(file, "mnuFileExit", "E&xit", &QWidget::close)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    mnuEdit_ = bar->addMenu("&Edit");
    mnuEdit_->setObjectName("mnuEdit");
    undo_ = add(mnuEdit_, "mnuEditUndo", "&Undo", &MainWindow::EditUndo);
    undo_->setShortcut(QKeySequence::Undo);
    redo_ = add(mnuEdit_, "mnuEditRedo", "&Redo", &MainWindow::EditRedo);
    redo_->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    mnuEdit_->addSeparator();
    QMenu* model = mnuEdit_->addMenu("&Model");
    model->setObjectName("mnuEditModel");
    mnuEditModel_ = model;
    auto* modelGroup = new QActionGroup(this);
    for (int i = 0; i < 10; ++i) {
        QAction* a = model->addAction(QString("model %1").arg(i + 1), this, [this, i] { ChooseModel(i); });
        a->setObjectName(QString("mnuEditModelType%1").arg(i));
        a->setCheckable(true);
        a->setVisible(i == 0);
        modelGroup->addAction(a);
        modelGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
        modelEntries_[static_cast<size_t>(i)] = a;
    }

    QMenu* transfer = bar->addMenu("&Transfer");
    transfer->setObjectName("mnuTransfer");
    add(transfer, "mnuTransferProgram", "&Program to Radio", &MainWindow::TransferProgram);
    add(transfer, "mnuTransferRead", "&Read from Radio", &MainWindow::TransferRead);
    transfer->addSeparator();
    add(transfer, "mnuTransferCompare", "&Compare With Radio...", &MainWindow::TransferCompare);

    mnuDestination_ = bar->addMenu("&Destination");
    mnuDestination_->setObjectName("mnuDestination");
    for (int i = 0; i < 11; ++i) {
        QAction* a = mnuDestination_->addAction(QString("DST%1").arg(i), this, [this, i] { ChooseDestination(i); });
        a->setObjectName(QString("mnuDestinationChild%1").arg(i));
        a->setCheckable(true);
        destinationEntries_[static_cast<size_t>(i)] = a;
    }

    QMenu* options = bar->addMenu("&Options");
    options->setObjectName("mnuOptions");
    mnuSerialPort_ = options->addMenu("&SerialPort");
    mnuSerialPort_->setObjectName("mnuOptionsSerialPort");
    for (int i = 0; i < 4; ++i) {
        QAction* a = mnuSerialPort_->addAction(QString("COM&%1").arg(i + 1), this, [this, i] { ChooseSerialPort(i); });
        a->setObjectName(QString("mnuOptionsSerialPort1%1").arg(i));
        a->setCheckable(true);
        portEntries_[static_cast<size_t>(i)] = a;
    }
    mnuSerialPort_->addSeparator();
    // The ports the system reports and the simulated radio are listed when
    // the menu opens, so a USB adapter plugged in later shows up.
    connect(mnuSerialPort_, &QMenu::aboutToShow, this, &MainWindow::RefreshPortMenu);
    add(options, "mnuOptionsTestConnection", "&Test Connection...", &MainWindow::TestConnection);
    verifyAction_ = options->addAction("&Verify After Programming");
    verifyAction_->setObjectName("mnuOptionsVerify");
    verifyAction_->setCheckable(true);
    connect(verifyAction_, &QAction::triggered, this, &MainWindow::SetVerifyAfterProgramming);
    hexdumpAction_ = options->addAction("Hexdump");
    hexdumpAction_->setObjectName("mnuOptionsHexdump");
    hexdumpAction_->setCheckable(true);
    connect(hexdumpAction_, &QAction::toggled, this, &MainWindow::ApplyHexDumpMark);
    hexdumpAction_->setVisible(false);

    QMenu* help = bar->addMenu("&Help");
    help->setObjectName("mnuHelp");
    // The help text shipped with the program: connecting the radio. F1 too.
    QAction* contents = add(help, "mnuHelpContents", "&Contents", &MainWindow::ShowHelpContents);
    contents->setShortcut(QKeySequence::HelpContents);
    help->addSeparator()->setObjectName("mnuHelpBar0");
    add(help, "mnuHelpAbout", "&About QZP Version", &MainWindow::ShowAbout);

    // Debug-mode memory image files.
    auto* saveHex = new QAction(this);
    saveHex->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F3));
    connect(saveHex, &QAction::triggered, this, &MainWindow::SaveHexCommand);
    auto* openHex = new QAction(this);
    openHex->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F2));
    connect(openHex, &QAction::triggered, this, &MainWindow::OpenHexCommand);
    addAction(saveHex);
    addAction(openHex);
}

void MainWindow::BuildToolbar() {
    toolbar_ = addToolBar("Toolbar");
    toolbar_->setObjectName("tbToolBar");
    toolbar_->setMovable(false);
    toolbar_->setIconSize(QSize(24, 24));
    auto button = [this](const QString& key, const char* tip) {
        QAction* a = toolbar_->addAction(ToolbarIcon(key), tip, this, [this, key] { ToolbarClicked(key); });
        a->setObjectName("tb" + key);
        a->setData(key);
        a->setToolTip(tip);
        return a;
    };
    tb_.newFile = button("New", "New");
    tb_.open = button("Open", "Open...");
    tb_.save = button("Save", "Save");
    toolbar_->addSeparator();
    tb_.saveAsDefault = button("SaveAsDefault", "Save As Default");
    // The Save As Default button has no action; its place stays empty.
    tb_.saveAsDefault->setVisible(false);
    toolbar_->addSeparator()->setVisible(false);
    tb_.print = button("Print", "Print");
    toolbar_->addSeparator();
    tb_.program = button("Program", "Program to Radio");
    tb_.program2 = button("Program2", "Program to Radio");
    tb_.read = button("Read", "Read from Radio");
    tb_.read2 = button("Read2", "Read from Radio");
    toolbar_->addSeparator();
    tb_.undo = toolbar_->addAction(QIcon::fromTheme("edit-undo", style()->standardIcon(QStyle::SP_ArrowBack)), "Undo",
                                   this, &MainWindow::EditUndo);
    tb_.undo->setObjectName("tbUndo");
    tb_.redo = toolbar_->addAction(QIcon::fromTheme("edit-redo", style()->standardIcon(QStyle::SP_ArrowForward)), "Redo",
                                   this, &MainWindow::EditRedo);
    tb_.redo->setObjectName("tbRedo");
}

void MainWindow::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("sbStatusBar");
    for (int i = 0; i < 3; ++i) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QString("sbPanel%1").arg(i + 1));
        status_[static_cast<size_t>(i)] = panel;
    }
    status_[2]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    bar->addWidget(status_[0], 1);
    bar->addPermanentWidget(status_[1]);
    bar->addPermanentWidget(status_[2]);
}

// ---- start ------------------------------------------------------------------

bool MainWindow::Startup() {
    SetBusy(true);
    for (QAction* a : modelEntries_) {
        a->setChecked(false);
        a->setEnabled(false);
    }
    if (!workspace_.Start()) {
        // "Unknown model!!" has been shown; the program ends.
        SetBusy(false);
        return false;
    }
    mnuEditModel_->menuAction()->setVisible(workspace_.modelMenuVisible());
    pane_->SetOptionalPanelsVisible(workspace_.flags());

    tb_.program->setVisible(false);
    tb_.read2->setVisible(false);

    const std::string hexVisible = services_.settings.GetOr(kSettingsSection, "hexvisible", "0");
    {
        const QSignalBlocker quiet(hexdumpAction_);  // the first resize applies it
        hexdumpAction_->setChecked(hexVisible != "0" && !EqualsNoCase(hexVisible, "false") && !hexVisible.empty());
    }
    hexdumpAction_->setVisible(switches_.debugMode);

    link::LoadPortSetting(services_.settings, services_.link.State());
    services_.link.State().RetryCount = 3;
    RefreshPortMenu();
    verifyAction_->setChecked(services_.settings.GetOr(kSettingsSection, kVerifyKey, "0") == "1");

    resize(kStartWidthPx, kStartHeightPx);
    setMinimumSize(TwipsToPx(kMinWidthTwips, this), TwipsToPx(kMinHeightTwips, this));
    RestoreGeometry();

    workspace_.New();  // the first data set; its notice prepares the panels

    hex_->hide();
    RefreshHexDump();
    hex_->raise();
    SetBusy(false);
    started_ = true;
    return true;
}

// ---- the session's notices ------------------------------------------------------

void MainWindow::AfterDataReplaced() {
    {
        FillingGuard filling(pane_->Context());
        pane_->ReinitialisePanels();  // panels prepared, tree built, "General" shown
    }
    RefreshModelMenu();
    RefreshDestinationMenu();
    status_[0]->clear();
    UpdateTitle();
    RefreshHistoryActions();
}

void MainWindow::AfterEdit() {
    pane_->AfterEdit();
    UpdateTitle();
    RefreshHistoryActions();
}

void MainWindow::AfterRestore() {
    pane_->AfterRestore();
    RefreshModelMenu();
    RefreshDestinationMenu();
    UpdateTitle();
    RefreshHistoryActions();
}

void MainWindow::RefreshHistoryActions() {
    const auto named = [](const char* verb, const std::string& action) {
        return action.empty() ? QString(verb) : QString("%1 %2").arg(verb, Q(action));
    };
    undo_->setEnabled(workspace_.CanUndo());
    undo_->setText(named("&Undo", workspace_.UndoAction()));
    redo_->setEnabled(workspace_.CanRedo());
    redo_->setText(named("&Redo", workspace_.RedoAction()));
    tb_.undo->setEnabled(workspace_.CanUndo());
    tb_.undo->setToolTip(named("Undo", workspace_.UndoAction()));
    tb_.redo->setEnabled(workspace_.CanRedo());
    tb_.redo->setToolTip(named("Redo", workspace_.RedoAction()));
}

void MainWindow::RefreshModelMenu() {
    for (QAction* a : modelEntries_) {
        a->setChecked(false);
        a->setEnabled(false);
    }
    for (int model : workspace_.offeredModels()) {
        if (model < 1 || model > 10) continue;
        QAction* a = modelEntries_[static_cast<size_t>(model - 1)];
        a->setText(Q(ModelMenuCaption(model)));
        a->setVisible(true);
        a->setEnabled(true);
    }
    const int current = workspace_.modelNumber();
    if (current >= 1 && current <= 10) modelEntries_[static_cast<size_t>(current - 1)]->setChecked(true);
    // With more than one model on offer, only the offered ones are listed.
    if (workspace_.modelMenuVisible())
        for (QAction* a : modelEntries_)
            if (!a->isEnabled()) a->setVisible(false);
    status_[2]->setText(Q(workspace_.modelName()));
}

void MainWindow::RefreshDestinationMenu() {
    const DestinationMenu& menu = workspace_.destinations();
    mnuDestination_->setEnabled(menu.enabled);
    for (int i = 0; i < 11; ++i) {
        QAction* a = destinationEntries_[static_cast<size_t>(i)];
        const bool shown = i < static_cast<int>(menu.names.size()) && i < 10;
        a->setText(shown ? Q(menu.names[static_cast<size_t>(i)]) : QString());
        a->setVisible(shown);
        a->setChecked(shown && menu.checked == i);
    }
}

void MainWindow::RefreshPortMenu() {
    const link::LinkState& state = services_.link.State();
    for (int i = 0; i < 4; ++i)
        portEntries_[static_cast<size_t>(i)]->setChecked(state.PortDevice.empty() && state.PortNumber == i + 1);
    for (QAction* a : deviceEntries_) {
        mnuSerialPort_->removeAction(a);
        a->deleteLater();
    }
    deviceEntries_.clear();
    auto addDevice = [this](const QString& caption, const QString& device, bool checked) {
        QString text = caption;
        QAction* a = mnuSerialPort_->addAction(text.replace('&', "&&"), this, [this, device] { ChooseSerialDevice(device); });
        a->setCheckable(true);
        a->setChecked(checked);
        deviceEntries_ << a;
        return a;
    };
    // Every port the system reports, with what it says of it; a port with a
    // lasting name is remembered by it.
    bool listed = false;
    for (const platform::SerialPortEntry& port : platform::ListSerialPorts()) {
        const QString description = Q(port.Description());
        const bool chosen = port.Names(state.PortDevice);
        listed = listed || chosen;
        addDevice(Q(port.device) + (description.isEmpty() ? "" : "   " + description), Q(port.RememberedName()), chosen);
    }
    if (!state.PortDevice.empty() && state.PortDevice != kSimulatedDevice && !listed)
        addDevice(Q(state.PortDevice), Q(state.PortDevice), true);
    addDevice("Simulated radio", kSimulatedDevice, state.PortDevice == kSimulatedDevice)
        ->setObjectName("mnuOptionsSerialPortSim");
    QAction* other = mnuSerialPort_->addAction("&Other device...", this, &MainWindow::ChooseOtherDevice);
    other->setObjectName("mnuOptionsSerialPortOther");
    deviceEntries_ << other;
}

// ---- title, input, busy -------------------------------------------------------

QString MainWindow::Caption() const {
    return Q(WindowCaption(AppTitle, workspace_.messageTitle(), workspace_.currentFilePath()));
}

void MainWindow::UpdateTitle() {
    // Qt marks the title of a window with unsaved changes where "[*]" stands.
    setWindowTitle(Caption() + "[*]");
    setWindowModified(workspace_.modified());
}

bool MainWindow::CommitPendingInput() { return pane_->CommitPendingInput(); }

void MainWindow::SetBusy(bool busy) {
    if (busy) {
        if (busyDepth_++ == 0) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            setEnabled(false);
        }
    } else if (busyDepth_ > 0 && --busyDepth_ == 0) {
        setEnabled(true);
        QApplication::restoreOverrideCursor();
    }
}

void MainWindow::ReplaceData(const std::function<void()>& operation) {
    SetBusy(true);
    operation();
    services_.clock.Sleep(500);  // the window settles; it keeps painting meanwhile
    SetBusy(false);
}

bool MainWindow::ConfirmDiscard() {
    if (!workspace_.modified() && !pane_->HasPendingInput()) return true;
    const Answer answer = services_.prompter.Ask("QZP data has changed.\nDo you want to save changes?",
                                                 workspace_.messageTitle(), Icon::Warning, Buttons::YesNoCancel,
                                                 Answer::Yes);
    if (answer == Answer::Cancel) return false;
    return answer == Answer::No || SaveChanges();
}

// ---- commands -----------------------------------------------------------------

void MainWindow::ToolbarClicked(const QString& key) {
    if (key == "New") FileNew();
    else if (key == "Open") FileOpen();
    else if (key == "Save") FileSave();
    else if (key == "Print") FilePrint();
    else if (key == "Program" || key == "Program2") TransferProgram();
    else if (key == "Read" || key == "Read2") TransferRead();
    // "SaveAsDefault" does nothing.
}

void MainWindow::FileNew() {
    if (!CommitPendingInput() || !ConfirmDiscard()) return;
    // The rest runs once the menu has closed.
    newTimer_->start(100);
}

void MainWindow::RunDeferredNew() {
    newTimer_->stop();
    ReplaceData([this] { workspace_.New(); });
}

void MainWindow::FileOpen() {
    if (!CommitPendingInput() || !ConfirmDiscard()) return;
    SetBusy(true);
    workspace_.MarkCancelled();
    const QString path = dialogs_->OpenPath(this, FileKind::Dat, {});
    if (!path.isEmpty()) OpenChosenFile(path, false);
    SetBusy(false);
}

void MainWindow::OpenFile(const QString& path) {
    const bool memoryImage = IsMemoryImagePath(Std(path));
    // A memory image is opened as Ctrl+F2 opens one, without the pending-input check.
    if ((!memoryImage && !CommitPendingInput()) || !ConfirmDiscard()) return;
    OpenChosenFile(path, memoryImage);
}

void MainWindow::OpenChosenFile(const QString& path, bool memoryImage) {
    // A refused file changes nothing: data, file name and title stay.
    bool opened = false;
    ReplaceData([&] { opened = memoryImage ? workspace_.OpenHexFile(Std(path)) : workspace_.OpenDatFile(Std(path)); });
    if (!opened) return;
    dialogs_->FileUsed(path);
    recent_.Add(path);
    RefreshRecentMenu();
}

void MainWindow::OpenRecentFile(const QString& path) {
    if (QFileInfo(path).isFile()) {
        OpenFile(path);
        return;
    }
    recent_.Remove(path);
    RefreshRecentMenu();
    services_.prompter.Message(Std(QString("The file %1 cannot be found. It has been removed from the recent files.")
                                       .arg(QDir::toNativeSeparators(path))),
                               workspace_.messageTitle(), Icon::Warning);
}

void MainWindow::RefreshRecentMenu() {
    mnuRecent_->clear();
    const QStringList files = recent_.List();
    for (int i = 0; i < files.size(); ++i) {
        const QString shown = fontMetrics().elidedText(QDir::toNativeSeparators(files[i]), Qt::ElideMiddle,
                                                       fontMetrics().averageCharWidth() * 60);
        QAction* a = mnuRecent_->addAction(QString("&%1 %2").arg(i + 1).arg(QString(shown).replace("&", "&&")), this,
                                           [this, path = files[i]] { OpenRecentFile(path); });
        a->setObjectName(QString("mnuFileRecent%1").arg(i));
        a->setData(files[i]);
    }
    mnuRecent_->setEnabled(!files.isEmpty());
}

void MainWindow::FileSave() {
    if (!CommitPendingInput()) return;
    // A memory image file is never overwritten with settings text: ask for a
    // settings file instead.
    const std::string current = workspace_.currentFilePath();
    if (current.empty() || IsMemoryImagePath(current)) {
        SaveTo(dialogs_->SavePath(this, FileKind::Dat, {}));
    } else {
        SaveTo(Q(current));
    }
}

void MainWindow::FileSaveAs() {
    if (!CommitPendingInput()) return;
    SaveTo(dialogs_->SavePath(this, FileKind::Dat, {}));
}

void MainWindow::SaveTo(const QString& path) {
    workspace_.MarkCancelled();
    if (path.isEmpty()) return;
    SetBusy(true);
    bool saved = false;
    {
        FillingGuard filling(pane_->Context());
        saved = workspace_.SaveDatFile(Std(path));
    }
    services_.clock.Sleep(500);
    SetBusy(false);
    if (!saved) return;
    dialogs_->FileUsed(path);
    recent_.Add(path);
    RefreshRecentMenu();
}

void MainWindow::FilePrint() {
    if (!CommitPendingInput()) return;
    QPrinter printer(QPrinter::HighResolution);
    if (!dialogs_->ChoosePrinter(this, printer)) return;
    SetBusy(true);
    workspace_.SnapExpFrequencies();  // printed as shown, and kept so
    const platform::PrintOutcome outcome = platform::PrintReportOn(
        printer, workspace_.data(), nullptr, platform::ReportJobTitle(workspace_.currentFilePath()));
    SetBusy(false);
    if (!outcome.ok)
        services_.prompter.Message(outcome.error.empty() ? "The report could not be printed." : outcome.error,
                                   workspace_.messageTitle(), Icon::Warning);
}

void MainWindow::FilePrintToFile() {
    if (!CommitPendingInput()) return;
    workspace_.SnapExpFrequencies();  // listed as shown, and kept so
    ReportWindow window(workspace_.data(), services_.prompter, *dialogs_, services_.clock,
                        workspace_.modelName() + " " + workspace_.messageTitle(), this);
    window.exec();
}

void MainWindow::EditUndo() {
    if (!pane_->CommitPendingInput(false)) return;
    workspace_.Undo();
}

void MainWindow::EditRedo() {
    if (!pane_->CommitPendingInput(false)) return;
    workspace_.Redo();
}

void MainWindow::RunTransfer(TransferMode mode, const std::function<void(const TransferDialog&)>& done) {
    QPointer<QWidget> focus = QApplication::focusWidget();
    {
        TransferDialog dialog(mode, services_.link, workspace_, services_.prompter, services_.clock,
                              switches_.debugMode, this);
        dialog.SetVerifyAfterProgramming(verifyAction_->isChecked());
        dialog.exec();
        if (done) done(dialog);
    }
    // A completed read came back through the session's notice. The keyboard
    // returns to the window, where it was before.
    activateWindow();
    if (focus && focus->isVisible() && focus->isEnabled() && isAncestorOf(focus))
        focus->setFocus(Qt::OtherFocusReason);
    else
        pane_->Tree()->setFocus(Qt::OtherFocusReason);
}

void MainWindow::TransferRead() {
    if (!CommitPendingInput()) return;
    RunTransfer(TransferMode::Read);
}

void MainWindow::TransferProgram() {
    if (!CommitPendingInput()) return;
    RunTransfer(TransferMode::Program);
}

void MainWindow::TransferCompare() {
    if (!CommitPendingInput()) return;
    std::optional<DataSet> radio;
    RunTransfer(TransferMode::Compare, [&](const TransferDialog& dialog) { radio = dialog.radioData(); });
    if (radio) ShowDifferences(*radio, "the radio", "Compare With Radio");
}

// ---- channel tables and comparison ------------------------------------------------

void MainWindow::WithChosenFile(bool save, FileKind kind, const std::function<bool(const std::string&)>& operation) {
    if (!CommitPendingInput()) return;
    const QString path = save ? dialogs_->SavePath(this, kind, {}) : dialogs_->OpenPath(this, kind, {});
    if (path.isEmpty()) return;
    SetBusy(true);
    if (operation(Std(path))) dialogs_->FileUsed(path);
    SetBusy(false);
}

void MainWindow::FileExportChannels() {
    WithChosenFile(true, FileKind::Csv, [this](const std::string& path) { return workspace_.ExportChannels(path); });
}

void MainWindow::FileImportChannels() {
    // Its notice shows the data again.
    WithChosenFile(false, FileKind::Csv, [this](const std::string& path) { return workspace_.ImportChannels(path); });
}

void MainWindow::FileCompareWithFile() {
    std::optional<DataSet> other;
    QString name;
    WithChosenFile(false, FileKind::Data, [&](const std::string& path) {
        other = workspace_.ReadDataFile(path);
        name = QFileInfo(Q(path)).fileName();
        return other.has_value();
    });
    if (other) ShowDifferences(*other, name, "Compare With " + name);
}

void MainWindow::ShowDifferences(const DataSet& other, const QString& otherName, const QString& title) {
    const std::vector<Difference> differences = CompareDataSets(workspace_.data(), other);
    if (differences.empty()) {
        services_.prompter.Message("No differences: the data on screen are the same as " + Std(otherName) + ".",
                                   Std(title), Icon::Information);
        return;
    }
    // Modal to the window, without holding up the command that showed it.
    auto* dialog = new DifferencesDialog(differences, otherName, title, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void MainWindow::ChooseModel(int index) {
    const int model = index + 1;
    if (model == workspace_.modelNumber()) {
        modelEntries_[static_cast<size_t>(index)]->setChecked(true);
        return;
    }
    if (!CommitPendingInput() || !ConfirmDiscard() || !workspace_.ConfirmModelChange(model)) {
        RefreshModelMenu();
        return;
    }
    ReplaceData([&] { workspace_.ChangeModel(model); });  // remembers it and starts a new data set
    RefreshModelMenu();
}

void MainWindow::ChooseDestination(int entry) {
    if (!CommitPendingInput() || !ConfirmDiscard() || !workspace_.ConfirmDestinationChange(entry)) {
        RefreshDestinationMenu();
        return;
    }
    ReplaceData([&] { workspace_.ChangeDestination(entry); });
    RefreshDestinationMenu();  // a refused definition leaves the check mark where it was
}

void MainWindow::ChooseSerialPort(int index) {
    link::LinkState& state = services_.link.State();
    state.PortNumber = index + 1;
    state.PortDevice.clear();
    for (int i = 0; i < 4; ++i) portEntries_[static_cast<size_t>(i)]->setChecked(i == index);
    if (isVisible()) link::SavePortSetting(services_.settings, state);
}

void MainWindow::ChooseSerialDevice(const QString& device) {
    link::LinkState& state = services_.link.State();
    state.PortDevice = Std(device);
    for (QAction* a : portEntries_) a->setChecked(false);
    if (isVisible()) link::SavePortSetting(services_.settings, state);
    RefreshPortMenu();
}

void MainWindow::ChooseOtherDevice() {
    const std::string& current = services_.link.State().PortDevice;
    bool ok = false;
    const QString device =
        QInputDialog::getText(this, "Other device", "The serial device to use (a path such as /dev/ttyUSB0, or a name such as COM7):",
                              QLineEdit::Normal, current == kSimulatedDevice ? QString() : Q(current), &ok)
            .trimmed();
    if (ok && !device.isEmpty()) ChooseSerialDevice(device);
}

void MainWindow::SetVerifyAfterProgramming(bool on) {
    verifyAction_->setChecked(on);
    services_.settings.Set(kSettingsSection, kVerifyKey, on ? "1" : "0");
}

void MainWindow::TestConnection() { RunTransfer(TransferMode::Probe); }

void MainWindow::ShowHelpContents() {
    ShowHelp(this, services_.prompter, workspace_.messageTitle(), kHelpContents, workspace_.programFolder());
}

void MainWindow::ToggleHexDump() { hexdumpAction_->toggle(); }

void MainWindow::ApplyHexDumpMark() {
    hex_->setVisible(switches_.debugMode && hexdumpAction_->isChecked());
    if (hex_->isVisible()) {
        PlaceHexDump();
        hex_->raise();
    }
    RefreshHexDump();
}

void MainWindow::RefreshHexDump() { hex_->RefreshHexDump(workspace_.data().image); }

void MainWindow::PlaceHexDump() {
    if (!switches_.debugMode) {
        hex_->hide();
        return;
    }
    // Over the whole client area below the toolbar.
    hex_->setGeometry(0, 0, pane_->width(), pane_->height());
    hex_->setVisible(hexdumpAction_->isChecked());
    if (hex_->isVisible()) hex_->raise();
}

void MainWindow::SaveHexCommand() {
    if (!switches_.debugMode) return;
    if (!CommitPendingInput()) return;
    const QString path = dialogs_->SavePath(this, FileKind::Hex, {});
    if (path.isEmpty()) {
        workspace_.MarkCancelled();
        return;
    }
    SetBusy(true);
    {
        FillingGuard filling(pane_->Context());
        if (workspace_.SaveHexFile(Std(path))) dialogs_->FileUsed(path);
    }
    services_.clock.Sleep(500);
    SetBusy(false);
}

void MainWindow::OpenHexCommand() {
    if (!switches_.debugMode) return;
    if (!ConfirmDiscard()) return;
    const QString path = dialogs_->OpenPath(this, FileKind::Hex, {});
    if (path.isEmpty()) {
        workspace_.MarkCancelled();
        return;
    }
    OpenChosenFile(path, true);
}

void MainWindow::ShowAbout() {
    AboutBox box(this);
    box.exec();
}


// ---- closing ------------------------------------------------------------------

bool MainWindow::SaveChanges() {
    if (!CommitPendingInput()) return false;
    const std::string current = workspace_.currentFilePath();
    const QString path = (current.empty() || IsMemoryImagePath(current))
                             ? dialogs_->SavePath(this, FileKind::Dat, {})
                             : Q(current);
    SaveTo(path);
    return !path.isEmpty() && !workspace_.fileError() && !workspace_.operationCancelled();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (busyDepth_ > 0 || (started_ && !ConfirmDiscard())) {
        event->ignore();
        return;
    }
    StoreGeometry();
    event->accept();
}

void MainWindow::StoreGeometry() {
    if (isMinimized() || !started_) return;
    const QRect g = geometry();
    auto twips = [this](int px) { return std::to_string(std::lround(PxToTwips(px, this))); };
    const std::array<int, 4> px = {g.x(), g.y(), g.width(), g.height()};
    for (size_t i = 0; i < px.size(); ++i) services_.settings.Set(kSettingsSection, kGeometryKeys[i], twips(px[i]));
}

void MainWindow::RestoreGeometry() {
    // The place stored on close, in twips; with nothing stored, the start
    // size wherever the window system puts it. Either way the window fits
    // on the screen, its frame too.
    std::array<int, 4> twips{};
    bool stored = true;
    for (size_t i = 0; i < twips.size() && stored; ++i) {
        stored = false;
        if (const auto text = services_.settings.Get(kSettingsSection, kGeometryKeys[i]))
            twips[i] = QString::fromStdString(*text).trimmed().toInt(&stored);
    }
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) screens << screen->availableGeometry();
    QRect wanted(QPoint(), size());
    if (stored)
        wanted = QRect(TwipsToPx(twips[0], this), TwipsToPx(twips[1], this), TwipsToPx(twips[2], this),
                       TwipsToPx(twips[3], this));
    else if (!screens.isEmpty())
        wanted.moveCenter(screens.first().center());
    // Before the window is shown its frame is not known: the title bar is
    // taken to be as high as the style draws one.
    const QMargins frame(0, style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this), 0, 0);
    const WindowPlace place = PlaceOnScreens(wanted, minimumSize(), screens, frame);
    setMinimumSize(place.minimum);
    if (stored)
        setGeometry(place.geometry);
    else
        resize(place.geometry.size());
}

// ---- events -------------------------------------------------------------------

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (isMinimized()) return;
    // Once the toolbar and the status bar have their new sizes too.
    QTimer::singleShot(0, pane_, [this] {
        pane_->LayoutAfterResize();
        // The logo shows from the first resize of an enabled window on.
        if (isEnabled() && !logoShown_) logoShown_ = pane_->LoadLogo();
        PlaceHexDump();
    });
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // Enter that no control used is swallowed: no beep, no default action.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

}  // namespace rp770::ui
