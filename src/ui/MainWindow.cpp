#include "ui/MainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
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
#include "ui/AboutBox.h"
#include "ui/EditorPane.h"
#include "ui/EditorBinding.h"
#include "ui/FileDialogs.h"
#include "ui/HexDumpView.h"
#include "ui/ReportWindow.h"
#include "ui/ToolbarIcons.h"
#include "ui/TransferDialog.h"
#include "ui/Twips.h"
#include "ui/WheelGuard.h"

namespace rp770::ui {

namespace {

constexpr int kStartWidthPx = 607;
constexpr int kStartHeightPx = 444;
constexpr double kMinWidthTwips = 9105;
constexpr double kMinHeightTwips = 6660;
constexpr const char* kSimulatedDevice = "sim";

std::string Std(const QString& s) { return s.toStdString(); }
QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

MainWindow::MainWindow(const Switches& switches, const QString& programFolder, MainWindowServices services,
                       QWidget* parent)
    : QMainWindow(parent), switches_(switches), programFolder_(programFolder), services_(services) {
    setObjectName("frmMain");
    WheelGuard::Install();  // the wheel scrolls the panels and edits only a focused value
    workspace_ = std::make_unique<Workspace>(Std(programFolder_), services_.settings, services_.prompter);
    services_.link.State().DebugMode = switches_.debugMode;
    services_.link.State().NoEchoMode = switches_.noEchoMode;

    EditorBinding binding;
    binding.data = &workspace_->data();
    binding.dataChanged = &workspace_->dataChanged();
    binding.prompter = &services_.prompter;
    binding.messageTitle = workspace_->messageTitle();
    binding.setHint = [this](const QString& hint) { status_[0]->setText(hint); };
    binding.programFolder = programFolder_;
    pane_ = new EditorPane(binding, this);
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
    newTimer_->setSingleShot(true);
    connect(newTimer_, &QTimer::timeout, this, &MainWindow::RunDeferredNew);

    BuildMenus();
    BuildToolbar();
    BuildStatusBar();
    UpdateTitle();
}

MainWindow::~MainWindow() {
    // The editing area outlives this object by a moment while Qt tears the
    // children down: it must not ask a half-destroyed window for its size.
    pane_->SetWindowMetricsProvider({});
}

bool MainWindow::newPending() const { return newTimer_->isActive(); }

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
    file->addSeparator()->setObjectName("mnuFileBar2");
    add(file, "mnuFilePrint", "&Print", &MainWindow::FilePrint)->setShortcut(QKeySequence::Print);
    add(file, "mnuFilePrintToFile", "P&rint to File", &MainWindow::FilePrintToFile);
    file->addSeparator()->setObjectName("mnuFileBar3");
    add(file, "mnuFileExit", "E&xit", &QWidget::close);

    mnuEdit_ = bar->addMenu("&Edit");
    mnuEdit_->setObjectName("mnuEdit");
    QMenu* model = mnuEdit_->addMenu("&Model");
    model->setObjectName("mnuEditModel");
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
    portSeparator_ = mnuSerialPort_->addSeparator();
    // The ports the system reports and the simulated radio are listed when
    // the menu opens, so a USB adapter plugged in later shows up.
    connect(mnuSerialPort_, &QMenu::aboutToShow, this, &MainWindow::RefreshPortMenu);
    hexdumpAction_ = options->addAction("Hexdump");
    hexdumpAction_->setObjectName("mnuOptionsHexdump");
    hexdumpAction_->setCheckable(true);
    connect(hexdumpAction_, &QAction::toggled, this, &MainWindow::ApplyHexDumpMark);
    hexdumpAction_->setVisible(false);

    QMenu* help = bar->addMenu("&Help");
    help->setObjectName("mnuHelp");
    QAction* contents = help->addAction("&Contents");
    contents->setObjectName("mnuHelpContents");
    contents->setVisible(false);
    QAction* helpBar = help->addSeparator();
    helpBar->setObjectName("mnuHelpBar0");
    helpBar->setVisible(false);
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
    struct Button {
        const char* key;
        const char* tip;
    };
    const Button buttons[] = {{"New", "New"},
                              {"Open", "Open..."},
                              {"Save", "Save"},
                              {nullptr, nullptr},
                              {"SaveAsDefault", "Save As Default"},
                              {nullptr, nullptr},
                              {"Print", "Print"},
                              {nullptr, nullptr},
                              {"Program", "Program to Radio"},
                              {"Program2", "Program to Radio"},
                              {"Read", "Read from Radio"},
                              {"Read2", "Read from Radio"}};
    for (const Button& b : buttons) {
        if (!b.key) {
            toolbar_->addSeparator();
            continue;
        }
        const QString key = b.key;
        QAction* a = toolbar_->addAction(ToolbarIcon(key), b.tip, this, [this, key] { ToolbarClicked(key); });
        a->setObjectName("tb" + key);
        a->setData(key);
        a->setToolTip(b.tip);
    }
    // The Save As Default button has no action; its place stays empty.
    const QList<QAction*> actions = toolbar_->actions();
    actions[4]->setVisible(false);
    actions[5]->setVisible(false);
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
    mnuEdit_->menuAction()->setVisible(false);
    SetBusy(true);
    for (QAction* a : modelEntries_) {
        a->setChecked(false);
        a->setEnabled(false);
    }
    if (!workspace_->Start()) {
        // "Unknown model!!" has been shown; the program ends.
        SetBusy(false);
        return false;
    }
    RefreshModelMenu();
    mnuEdit_->menuAction()->setVisible(workspace_->modelMenuVisible());
    pane_->SetOptionalPanelsVisible(workspace_->flags());
    pane_->Binding().messageTitle = workspace_->messageTitle();

    toolbar_->actions()[8]->setVisible(false);   // "Program"
    toolbar_->actions()[11]->setVisible(false);  // "Read2"

    const std::string hexVisible = services_.settings.GetOr(kSettingsSection, "hexvisible", "0");
    {
        const QSignalBlocker quiet(hexdumpAction_);  // the first resize applies it
        hexdumpAction_->setChecked(hexVisible != "0" && !EqualsNoCase(hexVisible, "false") && !hexVisible.empty());
    }
    hexdumpAction_->setVisible(switches_.debugMode);

    link::LoadPortSetting(services_.settings, services_.link.State());
    services_.link.State().RetryCount = 3;
    RefreshPortMenu();

    resize(kStartWidthPx, kStartHeightPx);
    setMinimumSize(TwipsToPx(kMinWidthTwips, this), TwipsToPx(kMinHeightTwips, this));

    ReinitialiseEditor(true);
    workspace_->dataChanged() = false;

    hex_->hide();
    RefreshHexDump();
    hex_->raise();
    SetBusy(false);
    started_ = true;
    return true;
}

void MainWindow::ReinitialiseEditor(bool rescan) {
    SetFilling(true);
    workspace_->Reinitialise(rescan);
    AfterDataReplaced();
    SetFilling(false);
}

void MainWindow::AfterDataReplaced() {
    const bool filling = pane_->FillingPanels();
    SetFilling(true);
    pane_->Binding().messageTitle = workspace_->messageTitle();
    pane_->ReinitialisePanels();  // panels prepared, tree built, "General" shown
    RefreshDestinationMenu();
    status_[0]->clear();
    UpdateTitle();
    SetFilling(filling);
}

void MainWindow::RefreshModelMenu() {
    for (QAction* a : modelEntries_) {
        a->setChecked(false);
        a->setEnabled(false);
    }
    for (int model : workspace_->offeredModels()) {
        if (model < 1 || model > 10) continue;
        QAction* a = modelEntries_[static_cast<size_t>(model - 1)];
        a->setText(Q(ModelMenuCaption(model)));
        a->setVisible(true);
        a->setEnabled(true);
    }
    const int current = workspace_->modelNumber();
    if (current >= 1 && current <= 10) modelEntries_[static_cast<size_t>(current - 1)]->setChecked(true);
    status_[2]->setText(Q(workspace_->modelName()));
}

void MainWindow::RefreshDestinationMenu() {
    const DestinationMenu& menu = workspace_->destinations();
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
    QStringList devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) devices << info.systemLocation();
    if (!state.PortDevice.empty() && state.PortDevice != kSimulatedDevice && !devices.contains(Q(state.PortDevice)))
        devices << Q(state.PortDevice);
    for (const QString& device : devices) {
        QAction* a = mnuSerialPort_->addAction(device, this, [this, device] { ChooseSerialDevice(device); });
        a->setCheckable(true);
        a->setChecked(Q(state.PortDevice) == device);
        deviceEntries_ << a;
    }
    QAction* sim = mnuSerialPort_->addAction("Simulated radio", this, [this] { ChooseSerialDevice(kSimulatedDevice); });
    sim->setObjectName("mnuOptionsSerialPortSim");
    sim->setCheckable(true);
    sim->setChecked(state.PortDevice == kSimulatedDevice);
    deviceEntries_ << sim;
}

// ---- title, input, busy -------------------------------------------------------

void MainWindow::UpdateTitle() {
    setWindowTitle(Q(WindowCaption(AppTitle, workspace_->messageTitle(), workspace_->currentFilePath())));
}

bool MainWindow::CommitPendingInput() { return pane_->CommitPendingInput(); }

void MainWindow::SetFilling(bool filling) { pane_->FillingPanels() = filling; }

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
    if (!CommitPendingInput()) return;
    // The rest runs once the menu has closed.
    newTimer_->start(100);
}

void MainWindow::RunDeferredNew() {
    newTimer_->stop();
    SetBusy(true);
    pane_->SelectNodeByKey("General");
    services_.clock.Sleep(500);
    ReinitialiseEditor(true);
    workspace_->dataChanged() = false;
    SetBusy(false);
}

void MainWindow::FileOpen() {
    if (!CommitPendingInput()) return;
    SetBusy(true);
    workspace_->MarkCancelled();
    const QString path = services_.dialogs.OpenPath(this, FileKind::Dat, programFolder_);
    bool cancelled = true;
    if (!path.isEmpty()) {
        SetFilling(true);
        const bool ok = workspace_->OpenDatFile(Std(path));
        services_.clock.Sleep(500);
        AfterDataReplaced();
        SetFilling(false);
        cancelled = !ok;
    }
    if (!cancelled) {
        pane_->ReshowSelectedNode();
        pane_->BuildTree();
    }
    UpdateTitle();
    SetBusy(false);
}

void MainWindow::FileSave() {
    if (!CommitPendingInput()) return;
    // A memory image file is never overwritten with settings text: ask for a
    // settings file instead.
    const std::string current = workspace_->currentFilePath();
    if (current.empty() || IsMemoryImagePath(current)) {
        SaveTo(services_.dialogs.SavePath(this, FileKind::Dat, programFolder_));
    } else {
        SaveTo(Q(current));
    }
}

void MainWindow::FileSaveAs() {
    if (!CommitPendingInput()) return;
    SaveTo(services_.dialogs.SavePath(this, FileKind::Dat, programFolder_));
}

void MainWindow::SaveTo(const QString& path) {
    workspace_->MarkCancelled();
    if (path.isEmpty()) return;
    SetBusy(true);
    SetFilling(true);
    workspace_->SaveDatFile(Std(path));
    services_.clock.Sleep(500);
    SetFilling(false);
    UpdateTitle();
    SetBusy(false);
}

void MainWindow::FilePrint() {
    if (!CommitPendingInput()) return;
    QPrinter printer(QPrinter::HighResolution);
    if (!services_.dialogs.ChoosePrinter(this, printer)) return;
    SetBusy(true);
    const platform::PrintOutcome outcome = platform::PrintReportOn(printer, workspace_->data());
    SetBusy(false);
    if (!outcome.ok)
        services_.prompter.Message(outcome.error.empty() ? "The report could not be printed." : outcome.error,
                                   workspace_->messageTitle(), Icon::Warning);
}

void MainWindow::FilePrintToFile() {
    if (!CommitPendingInput()) return;
    ReportWindow window(workspace_->data(), services_.prompter, services_.dialogs, services_.clock,
                        workspace_->modelName() + " " + workspace_->messageTitle(), this);
    window.exec();
}

void MainWindow::RunTransfer(TransferMode mode) {
    TransferDialog dialog(mode, services_.link, workspace_->data(), services_.prompter, services_.clock,
                          switches_.debugMode, this);
    dialog.exec();
    if (mode == TransferMode::Read && dialog.readCompleted()) {
        pane_->SelectNodeByKey("General");
        pane_->ReshowSelectedNode();
        pane_->BuildTree();
        workspace_->ReadCompleted();  // no current file, nothing changed
        UpdateTitle();
    }
}

void MainWindow::TransferRead() {
    if (!CommitPendingInput()) return;
    RunTransfer(TransferMode::Read);
}

void MainWindow::TransferProgram() {
    if (!CommitPendingInput()) return;
    RunTransfer(TransferMode::Program);
}

void MainWindow::ChooseModel(int index) {
    const int model = index + 1;
    if (model == workspace_->modelNumber()) {
        modelEntries_[static_cast<size_t>(index)]->setChecked(true);
        return;
    }
    if (!workspace_->ConfirmModelChange(model)) {
        RefreshModelMenu();
        return;
    }
    if (!CommitPendingInput()) {
        RefreshModelMenu();
        return;
    }
    SetBusy(true);
    pane_->SelectNodeByKey("General");
    services_.clock.Sleep(500);
    SetFilling(true);
    workspace_->ChangeModel(model);  // remembers it and starts a new data set
    AfterDataReplaced();
    SetFilling(false);
    workspace_->dataChanged() = false;
    RefreshModelMenu();
    SetBusy(false);
    update();
}

void MainWindow::ChooseDestination(int entry) {
    if (!workspace_->ConfirmDestinationChange(entry)) {
        RefreshDestinationMenu();
        return;
    }
    SetBusy(true);
    pane_->SelectNodeByKey("General");
    services_.clock.Sleep(500);
    SetFilling(true);
    workspace_->ChangeDestination(entry);
    AfterDataReplaced();
    SetFilling(false);
    workspace_->dataChanged() = false;
    SetBusy(false);
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

void MainWindow::ToggleHexDump() { hexdumpAction_->toggle(); }

void MainWindow::ApplyHexDumpMark() {
    hex_->setVisible(switches_.debugMode && hexdumpAction_->isChecked());
    if (hex_->isVisible()) {
        PlaceHexDump();
        hex_->raise();
    }
    RefreshHexDump();
}

void MainWindow::RefreshHexDump() { hex_->RefreshHexDump(workspace_->data().image); }

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
    const QString path = services_.dialogs.SavePath(this, FileKind::Hex, programFolder_);
    if (path.isEmpty()) {
        workspace_->MarkCancelled();
        return;
    }
    SetBusy(true);
    SetFilling(true);
    workspace_->SaveHexFile(Std(path));
    services_.clock.Sleep(500);
    SetFilling(false);
    SetBusy(false);
}

void MainWindow::OpenHexCommand() {
    if (!switches_.debugMode) return;
    const QString path = services_.dialogs.OpenPath(this, FileKind::Hex, programFolder_);
    if (path.isEmpty()) {
        workspace_->MarkCancelled();
        return;
    }
    SetBusy(true);
    SetFilling(true);
    const bool ok = workspace_->OpenHexFile(Std(path));
    services_.clock.Sleep(500);
    SetFilling(false);
    if (ok) {
        pane_->SelectNodeByKey("General");
        pane_->ReshowSelectedNode();
        pane_->BuildTree();
        UpdateTitle();
    }
    SetBusy(false);
}

void MainWindow::ShowAbout() {
    AboutBox box(this);
    box.exec();
}

// ---- closing ------------------------------------------------------------------

bool MainWindow::SaveForClose() {
    if (!CommitPendingInput()) return false;
    const std::string current = workspace_->currentFilePath();
    const QString path = (current.empty() || IsMemoryImagePath(current))
                             ? services_.dialogs.SavePath(this, FileKind::Dat, programFolder_)
                             : Q(current);
    SaveTo(path);
    return !path.isEmpty() && !workspace_->fileError() && !workspace_->operationCancelled();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (started_ && workspace_->dataChanged()) {
        const Answer answer = services_.prompter.Ask("QZP data has changed.\nDo you want to save changes?",
                                                     workspace_->messageTitle(), Icon::Warning, Buttons::YesNoCancel,
                                                     Answer::Yes);
        if (answer == Answer::Cancel || (answer == Answer::Yes && !SaveForClose())) {
            event->ignore();
            return;
        }
    }
    StoreGeometry();
    event->accept();
}

void MainWindow::StoreGeometry() {
    if (isMinimized() || !started_) return;
    const QRect g = geometry();
    auto twips = [this](int px) { return std::to_string(std::lround(PxToTwips(px, this))); };
    services_.settings.Set(kSettingsSection, "MainLeft", twips(g.x()));
    services_.settings.Set(kSettingsSection, "MainTop", twips(g.y()));
    services_.settings.Set(kSettingsSection, "MainWidth", twips(g.width()));
    services_.settings.Set(kSettingsSection, "MainHeight", twips(g.height()));
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

void MainWindow::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    status_[2]->setText(Q(workspace_->modelName()));
    if (mnuEdit_->menuAction()->isVisible())
        for (QAction* a : modelEntries_)
            if (!a->isEnabled()) a->setVisible(false);
}

}  // namespace rp770::ui
