#include "ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPrinter>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "core/Codecs.h"
#include "core/Titles.h"
#include "files/ModelList.h"
#include "platform/ReportPrinting.h"
#include "presentation/ScreenMessages.h"
#include "ui/AboutBox.h"
#include "ui/DifferencesDialog.h"
#include "ui/EditorContext.h"
#include "ui/EditorPane.h"
#include "ui/FileDialogs.h"
#include "ui/FileDrop.h"
#include "ui/Help.h"
#include "ui/HexDumpView.h"
#include "ui/NavigationTree.h"
#include "ui/ReportPrint.h"
#include "ui/ReportWindow.h"
#include "ui/SerialPortMenu.h"
#include "ui/Tr.h"
#include "ui/TransferDialog.h"
#include "ui/Twips.h"
#include "ui/WheelGuard.h"
#include "ui/WindowAsker.h"
#include "ui/WindowPlacement.h"
#include "ui/WorkspaceEvents.h"
#include "workspace/DataDiff.h"

namespace rp770::ui {

namespace {

constexpr int kStartWidthPx = 607;
constexpr int kStartHeightPx = 444;
constexpr double kMinWidthTwips = 9105;
constexpr double kMinHeightTwips = 6660;

std::string Std(const QString& s) { return s.toStdString(); }
QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

MainWindow::MainWindow(AppSession& session, MainWindowServices services, QWidget* parent)
    : QMainWindow(parent),
      session_(session),
      services_(services),
      dialogs_(std::make_unique<FolderMemoryDialogs>(services.dialogs, services.settings)),
      recent_(services.settings) {
    setObjectName("frmMain");
    WheelGuard::Install();  // the wheel scrolls the panels and edits only a focused value
    FileDrop::Install(this, [this](const QString& path) { OpenFile(path); });
    // Where the session keeps data that have no file yet: a settings file the user chooses.
    services_.asker.chooseSaveFile = [this]() -> std::optional<std::string> {
        const QString path = dialogs_->SavePath(this, FileKind::Dat, {});
        if (path.isEmpty()) return std::nullopt;
        return Std(path);
    };
    // The session's commands ask for their files through these dialogs.
    services_.asker.chooseFile = [this](Asker::Files files, bool save) -> std::optional<std::string> {
        const FileKind kind = files == Asker::Files::MemoryImage ? FileKind::Hex
                              : files == Asker::Files::Channels  ? FileKind::Csv
                              : save                             ? FileKind::Dat
                                                                 : FileKind::Data;
        const QString path = save ? dialogs_->SavePath(this, kind, {}) : dialogs_->OpenPath(this, kind, {});
        if (path.isEmpty()) return std::nullopt;
        chosen_ = path;  // its folder is remembered once the command has used it
        return Std(path);
    };

    // The editing area, and under it the help line of the field in use.
    auto* central = new QWidget(this);
    central->setObjectName("pictCentral");
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    helpLine_ = new QLabel(central);
    helpLine_->setObjectName("lblFieldHelp");
    helpLine_->setWordWrap(true);
    helpLine_->setTextFormat(Qt::PlainText);
    helpLine_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    helpLine_->setContentsMargins(8, 2, 8, 2);
    helpLine_->setFrameShape(QFrame::StyledPanel);
    helpLine_->setFrameShadow(QFrame::Sunken);
    // Room for two lines, so that the area does not jump as the focus moves.
    helpLine_->setText(QStringLiteral("-\n-"));
    helpLine_->setMinimumHeight(helpLine_->sizeHint().height());
    helpLine_->clear();
    pane_ = new EditorPane(workspace(),
                           EditorServices{services_.prompter, [this](const QString& hint) { status_[0]->setText(hint); },
                                          programFolder(), [this](const QString& help) { helpLine_->setText(help); }},
                           central);
    column->addWidget(pane_, 1);
    column->addWidget(helpLine_);
    setCentralWidget(central);
    // The layout rules count in the window's terms: the client area holds the
    // toolbar above the editing area, and the help line and the status bar
    // below it (to the rules, one bar).
    pane_->SetWindowMetricsProvider([this] {
        layout::WindowMetrics m;
        const int toolbarPx = toolbar_ && toolbar_->isVisible() ? toolbar_->height() : 0;
        const int statusPx = statusBar()->isVisible() ? statusBar()->height() : 0;
        const int bottomPx = statusPx + (helpLine_->isVisible() ? helpLine_->height() : 0);
        m.width = PxToTwips(width(), this);
        m.innerHeight = PxToTwips(toolbarPx + pane_->height() + bottomPx, this);
        m.toolbarVisible = toolbarPx > 0;
        m.toolbarHeight = PxToTwips(toolbarPx, this);
        m.statusBarVisible = bottomPx > 0;
        m.statusBarHeight = PxToTwips(bottomPx, this);
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

    events_ = new WorkspaceEvents(workspace(), this);
    connect(events_, &WorkspaceEvents::edited, this, &MainWindow::AfterEdit);
    connect(events_, &WorkspaceEvents::restored, this, &MainWindow::AfterRestore);
    connect(events_, &WorkspaceEvents::replaced, this, &MainWindow::AfterDataReplaced);
    connect(events_, &WorkspaceEvents::saved, this, &MainWindow::UpdateTitle);
    connect(events_, &WorkspaceEvents::corrected, this, &MainWindow::RefreshHexDump);
    UpdateTitle();
    RefreshHistoryActions();
}

MainWindow::~MainWindow() {
    services_.asker.chooseSaveFile = nullptr;
    services_.asker.chooseFile = nullptr;
    // No notice reaches a window that is being taken apart.
    delete events_;
    events_ = nullptr;
    // The editing area outlives this object by a moment while Qt tears the
    // children down: it must not ask a half-destroyed window for its size.
    pane_->SetWindowMetricsProvider({});
}

QString MainWindow::programFolder() const { return Q(session_.workspace().program().Where()); }

// ---- start ------------------------------------------------------------------

bool MainWindow::Startup() {
    SetBusy(true);
    for (QAction* a : modelEntries_) {
        a->setChecked(false);
        a->setEnabled(false);
    }
    tb_.program->setVisible(false);
    tb_.read2->setVisible(false);
    const bool debug = session_.switches().debugMode;
    const std::string hexVisible = services_.settings.GetOr(kSettingsSection, "hexvisible", "0");
    {
        const QSignalBlocker quiet(hexdumpAction_);  // the first resize applies it
        hexdumpAction_->setChecked(hexVisible != "0" && !EqualsNoCase(hexVisible, "false") && !hexVisible.empty());
    }
    hexdumpAction_->setVisible(debug);
    // The help line comes on top of the classic sizes: the editing area keeps
    // the room its panels are drawn for.
    const int helpPx = helpLine_->minimumHeight();
    resize(kStartWidthPx, kStartHeightPx + helpPx);
    setMinimumSize(TwipsToPx(kMinWidthTwips, this), TwipsToPx(kMinHeightTwips, this) + helpPx);
    RestoreWindowPlace(services_.settings, *this);

    // The models, the remembered port and verify option, and the first data
    // set, whose notice prepares the panels.
    const Outcome started = session_.Start();
    if (workspace().offeredModels().empty()) {
        Show(started);  // the program ends
        SetBusy(false);
        return false;
    }
    mnuEditModel_->menuAction()->setVisible(workspace().modelMenuVisible());
    pane_->SetOptionalPanelsVisible(workspace().flags());
    ports_->Refresh();
    verifyAction_->setChecked(session_.verifyAfterProgramming());
    RefreshModelMenu();
    Show(started);

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
    RefreshHexDump();
    status_[0]->clear();
    UpdateTitle();
    RefreshHistoryActions();
}

void MainWindow::AfterEdit() {
    pane_->AfterEdit();
    RefreshHexDump();
    UpdateTitle();
    RefreshHistoryActions();
}

void MainWindow::AfterRestore() {
    pane_->AfterRestore();
    RefreshModelMenu();
    RefreshDestinationMenu();
    RefreshHexDump();
    UpdateTitle();
    RefreshHistoryActions();
}

// ---- title, input, busy, outcomes ---------------------------------------------

QString MainWindow::Caption() const {
    return Q(WindowCaption(AppTitle, session_.workspace().messageTitle(), session_.workspace().currentFilePath()));
}

void MainWindow::UpdateTitle() {
    // Qt marks the title of a window with unsaved changes where "[*]" stands.
    setWindowTitle(Caption() + "[*]");
    setWindowModified(workspace().modified());
}

bool MainWindow::CommitPendingInput() { return pane_->CommitPendingInput(); }

PendingInput MainWindow::Pending(bool leaving) {
    return PendingInput{pane_->HasPendingInput(), [this, leaving] { return pane_->CommitPendingInput(leaving); },
                        [this] { return pane_->CommitPendingInput(true); }};
}

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

bool MainWindow::Show(const Outcome& outcome) {
    ShowMessages(services_.prompter, outcome.messages);
    return outcome.Ok();
}

bool MainWindow::ReplaceData(const std::function<Outcome()>& operation) {
    SetBusy(true);
    const Outcome outcome = operation();
    if (outcome.Ok()) services_.clock.Sleep(500);  // the window settles; it keeps painting meanwhile
    SetBusy(false);
    return Show(outcome);
}

bool MainWindow::SaveWith(const std::function<Outcome()>& save) {
    const std::string before = workspace().currentFilePath();
    const bool wasModified = workspace().modified();
    SetBusy(true);
    Outcome outcome;
    {
        FillingGuard filling(pane_->Context());
        outcome = save();
    }
    if (wasModified && !workspace().modified()) services_.clock.Sleep(500);
    SetBusy(false);
    if (!Show(outcome)) return false;
    if (workspace().currentFilePath() != before || (wasModified && !workspace().modified()))
        Remember(Q(workspace().currentFilePath()));
    return true;
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
    // The command runs once the menu has closed.
    newTimer_->start(100);
}

void MainWindow::RunDeferredNew() {
    newTimer_->stop();
    const PendingInput pending = Pending();
    ReplaceData([&] { return session_.NewCommand(&pending); });
}

void MainWindow::FileOpen() {
    // A refused file changes nothing: data, file name and title stay.
    const PendingInput pending = Pending();
    if (ReplaceData([&] { return session_.OpenCommand(&pending); })) Remember(Q(workspace().currentFilePath()));
}

void MainWindow::OpenFile(const QString& path) {
    const PendingInput pending = Pending();
    if (ReplaceData([&] { return session_.OpenFileCommand(Std(path), &pending); })) Remember(path);
}

void MainWindow::Remember(const QString& path) {
    if (path.isEmpty()) return;
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
    services_.prompter.Message(Words(MessageId::RecentFileGone, Std(QDir::toNativeSeparators(path))),
                               workspace().messageTitle(), Icon::Warning);
}

void MainWindow::FileSave() {
    const PendingInput pending = Pending();
    SaveWith([&] { return session_.SaveCommand(&pending); });
}

void MainWindow::FileSaveAs() {
    const PendingInput pending = Pending();
    SaveWith([&] { return session_.SaveAsCommand(&pending); });
}

void MainWindow::FilePrint() { PrintReport(PrintOrder::ChooseThenPreview); }

void MainWindow::FilePrintPreview() { PrintReport(PrintOrder::PreviewThenChoose); }

void MainWindow::PrintReport(PrintOrder order) {
    if (!CommitPendingInput()) return;
    PrintReportWithPreview(this, *dialogs_, services_.prompter,
                           {session_.DataForReport(), platform::ReportJobTitle(workspace().currentFilePath()),
                            workspace().messageTitle(), order, [this](bool busy) { SetBusy(busy); }});
}

void MainWindow::FilePrintToFile() {
    if (!CommitPendingInput()) return;
    ReportWindow window(session_.DataForReport(), services_.prompter, *dialogs_, services_.clock,
                        workspace().modelName() + " " + workspace().messageTitle(), this);
    window.SetJobTitle(platform::ReportJobTitle(workspace().currentFilePath()));
    window.exec();
}

void MainWindow::EditUndo() {
    const PendingInput pending = Pending(false);
    session_.UndoCommand(&pending);
}

void MainWindow::EditRedo() {
    const PendingInput pending = Pending(false);
    session_.RedoCommand(&pending);
}

void MainWindow::RunTransfer(TransferMode mode, const std::function<void(const TransferDialog&)>& done) {
    QPointer<QWidget> focus = QApplication::focusWidget();
    {
        TransferDialog dialog(mode, session_, services_.prompter, services_.clock, this);
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
    const PendingInput pending = Pending();
    if (Show(session_.PrepareRead(&pending))) RunTransfer(TransferMode::Read);
}

void MainWindow::TransferProgram() {
    const PendingInput pending = Pending();
    if (Show(session_.PrepareProgramming(&pending))) RunTransfer(TransferMode::Program);
}

void MainWindow::TransferCompare() {
    const PendingInput pending = Pending();
    if (!Show(session_.PrepareComparison(&pending))) return;
    std::optional<DataSet> radio;
    RunTransfer(TransferMode::Compare, [&](const TransferDialog& dialog) { radio = dialog.radioData(); });
    if (radio) ShowDifferences(*radio, Tr(MessageId::TheRadio), Tr(MessageId::CompareWithRadio));
}

void MainWindow::TestConnection() { RunTransfer(TransferMode::Probe); }

// ---- channel tables and comparison ------------------------------------------------

bool MainWindow::RunCommand(const std::function<Outcome()>& command) {
    chosen_.clear();
    SetBusy(true);
    const Outcome outcome = command();
    if (outcome.Ok() && !chosen_.isEmpty()) dialogs_->FileUsed(chosen_);
    SetBusy(false);
    return Show(outcome);
}

void MainWindow::FileExportChannels() {
    const PendingInput pending = Pending();
    RunCommand([&] { return session_.ExportChannelsCommand(&pending); });
}

void MainWindow::FileImportChannels() {
    // Its notice shows the data again.
    const PendingInput pending = Pending();
    RunCommand([&] { return session_.ImportChannelsCommand(&pending); });
}

void MainWindow::FileCompareWithFile() {
    const PendingInput pending = Pending();
    ComparisonOutcome compared;
    RunCommand([&] {
        compared = session_.CompareWithFileCommand(&pending);
        return static_cast<const Outcome&>(compared);
    });
    if (compared.other) ShowDifferences(*compared.other, Q(compared.otherName), Q(compared.title));
}

void MainWindow::ShowDifferences(const DataSet& other, const QString& otherName, const QString& title) {
    const std::vector<Difference> differences = CompareDataSets(workspace().data(), other);
    if (differences.empty()) {
        ShowMessages(services_.prompter, {presentation::NoDifferencesMessage(Std(otherName), Std(title))});
        return;
    }
    // Modal to the window, without holding up the command that showed it.
    auto* dialog = new DifferencesDialog(differences, otherName, title, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

// ---- model, destination, options --------------------------------------------------

void MainWindow::ChooseModel(int index) {
    const int model = index + 1;
    const PendingInput pending = Pending();
    if (model != workspace().modelNumber()) ReplaceData([&] { return session_.ChangeModelCommand(model, &pending); });
    RefreshModelMenu();
}

void MainWindow::ChooseDestination(int entry) {
    const PendingInput pending = Pending();
    ReplaceData([&] { return session_.ChangeDestinationCommand(entry, &pending); });
    RefreshDestinationMenu();  // a refused definition leaves the check mark where it was
}

void MainWindow::ChooseSerialPort(int index) { ports_->ChoosePort(index); }

void MainWindow::ChooseSerialDevice(const QString& device) { ports_->ChooseDevice(device); }

void MainWindow::ChooseOtherDevice() { ports_->ChooseOtherDevice(); }

void MainWindow::SetVerifyAfterProgramming(bool on) {
    verifyAction_->setChecked(on);
    session_.SetVerifyAfterProgramming(on);
}

void MainWindow::ShowHelpContents() {
    ShowHelp(this, services_.prompter, workspace().messageTitle(), kHelpContents, Std(programFolder()));
}

void MainWindow::ShowAbout() {
    AboutBox box(this, session_.errorLog().Where());
    box.exec();
}

// ---- the hex dump and its files (debug mode) ---------------------------------------

void MainWindow::ToggleHexDump() { hexdumpAction_->toggle(); }

void MainWindow::ApplyHexDumpMark() {
    hex_->setVisible(session_.switches().debugMode && hexdumpAction_->isChecked());
    if (hex_->isVisible()) {
        PlaceHexDump();
        hex_->raise();
    }
    RefreshHexDump();
}

void MainWindow::RefreshHexDump() { hex_->RefreshHexDump(workspace().data().image); }

void MainWindow::PlaceHexDump() {
    if (!session_.switches().debugMode) {
        hex_->hide();
        return;
    }
    // Over the whole client area below the toolbar.
    hex_->setGeometry(0, 0, pane_->width(), pane_->height());
    hex_->setVisible(hexdumpAction_->isChecked());
    if (hex_->isVisible()) hex_->raise();
}

void MainWindow::SaveHexCommand() {
    if (!session_.switches().debugMode) return;
    const PendingInput pending = Pending();
    RunCommand([&] { return session_.SaveImageCommand(&pending); });
}

void MainWindow::OpenHexCommand() {
    if (!session_.switches().debugMode) return;
    const PendingInput pending = Pending();
    if (ReplaceData([&] { return session_.OpenImageCommand(&pending); })) Remember(Q(workspace().currentFilePath()));
}

// ---- closing and events --------------------------------------------------------------

void MainWindow::closeEvent(QCloseEvent* event) {
    const PendingInput pending = Pending();
    if (busyDepth_ > 0 || (started_ && !SaveWith([&] { return session_.Quit(&pending); }))) {
        event->ignore();
        return;
    }
    if (started_) StoreWindowPlace(services_.settings, *this);
    event->accept();
}

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
