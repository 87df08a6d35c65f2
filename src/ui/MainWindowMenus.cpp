// The main window's menus, toolbar and status bar: what is offered, with
// its names, captions and keys.
#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include "core/Titles.h"
#include "ui/MainWindow.h"
#include "ui/LanguageMenu.h"
#include "ui/SerialPortMenu.h"
#include "ui/ToolbarIcons.h"
#include "ui/Tr.h"

namespace rp770::ui {

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

void MainWindow::BuildMenus() {
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu(Tr(MessageId::MenuFile));
    file->setObjectName("mnuFile");
    auto add = [this](QMenu* menu, const char* name, MessageId caption, auto slot) {
        QAction* a = menu->addAction(Tr(caption), this, slot);
        a->setObjectName(name);
        return a;
    };
    add(file, "mnuFileNew", MessageId::MenuFileNew, &MainWindow::FileNew)->setShortcut(QKeySequence::New);
    add(file, "mnuFileOpen", MessageId::MenuFileOpen, &MainWindow::FileOpen)->setShortcut(QKeySequence::Open);
    file->addSeparator()->setObjectName("mnuFileBar1");
    add(file, "mnuFileSave", MessageId::MenuFileSave, &MainWindow::FileSave)->setShortcut(QKeySequence::Save);
    add(file, "mnuFileSaveAs", MessageId::MenuFileSaveAs, &MainWindow::FileSaveAs)->setShortcut(QKeySequence::SaveAs);
    QAction* saveDefault = file->addAction(Tr(MessageId::MenuFileSaveAsDefault));
    saveDefault->setObjectName("mnuFileSaveAsDefault");
    saveDefault->setVisible(false);
    file->addSeparator();
    add(file, "mnuFileExportChannels", MessageId::MenuFileExportChannels, &MainWindow::FileExportChannels);
    add(file, "mnuFileImportChannels", MessageId::MenuFileImportChannels, &MainWindow::FileImportChannels);
    add(file, "mnuFileCompare", MessageId::MenuFileCompare, &MainWindow::FileCompareWithFile);
    add(file, "mnuFileRadioBackups", MessageId::RadioBackupsMenu, &MainWindow::FileRadioBackups);
    file->addSeparator()->setObjectName("mnuFileBar2");
    add(file, "mnuFilePrint", MessageId::MenuFilePrint, &MainWindow::FilePrint)->setShortcut(QKeySequence::Print);
    add(file, "mnuFilePrintPreview", MessageId::MenuFilePrintPreview, &MainWindow::FilePrintPreview);
    add(file, "mnuFilePrintToFile", MessageId::MenuFilePrintToFile, &MainWindow::FilePrintToFile);
    file->addSeparator()->setObjectName("mnuFileBar3");
    mnuRecent_ = file->addMenu(Tr(MessageId::MenuFileRecent));
    mnuRecent_->setObjectName("mnuFileRecent");
    RefreshRecentMenu();
    file->addSeparator();
    // Ctrl+Q on every system (Windows has no standard quit key).
    add(file, "mnuFileExit", MessageId::MenuFileExit, &QWidget::close)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* edit = bar->addMenu(Tr(MessageId::MenuEdit));
    edit->setObjectName("mnuEdit");
    undo_ = add(edit, "mnuEditUndo", MessageId::MenuEditUndo, &MainWindow::EditUndo);
    undo_->setShortcut(QKeySequence::Undo);
    redo_ = add(edit, "mnuEditRedo", MessageId::MenuEditRedo, &MainWindow::EditRedo);
    redo_->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit->addSeparator();
    QMenu* model = edit->addMenu(Tr(MessageId::MenuEditModel));
    model->setObjectName("mnuEditModel");
    mnuEditModel_ = model;
    auto* modelGroup = new QActionGroup(this);
    for (int i = 0; i < 10; ++i) {
        QAction* a = model->addAction(Tr({MessageId::MenuModelNumber, i + 1}), this, [this, i] { ChooseModel(i); });
        a->setObjectName(QString("mnuEditModelType%1").arg(i));
        a->setCheckable(true);
        a->setVisible(i == 0);
        modelGroup->addAction(a);
        modelGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
        modelEntries_[static_cast<size_t>(i)] = a;
    }

    QMenu* transfer = bar->addMenu(Tr(MessageId::MenuTransfer));
    transfer->setObjectName("mnuTransfer");
    add(transfer, "mnuTransferProgram", MessageId::MenuTransferProgram, &MainWindow::TransferProgram);
    add(transfer, "mnuTransferRead", MessageId::MenuTransferRead, &MainWindow::TransferRead);
    transfer->addSeparator();
    add(transfer, "mnuTransferCompare", MessageId::MenuTransferCompare, &MainWindow::TransferCompare);

    mnuDestination_ = bar->addMenu(Tr(MessageId::MenuDestination));
    mnuDestination_->setObjectName("mnuDestination");
    for (int i = 0; i < 11; ++i) {
        QAction* a = mnuDestination_->addAction(QString("DST%1").arg(i), this, [this, i] { ChooseDestination(i); });
        a->setObjectName(QString("mnuDestinationChild%1").arg(i));
        a->setCheckable(true);
        destinationEntries_[static_cast<size_t>(i)] = a;
    }

    QMenu* options = bar->addMenu(Tr(MessageId::MenuOptions));
    options->setObjectName("mnuOptions");
    QMenu* serialPort = options->addMenu(Tr(MessageId::MenuOptionsSerialPort));
    serialPort->setObjectName("mnuOptionsSerialPort");
    ports_ = new SerialPortMenu(serialPort, session_, this);
    add(options, "mnuOptionsTestConnection", MessageId::MenuOptionsTestConnection, &MainWindow::TestConnection);
    verifyAction_ = options->addAction(Tr(MessageId::MenuOptionsVerify));
    verifyAction_->setObjectName("mnuOptionsVerify");
    verifyAction_->setCheckable(true);
    connect(verifyAction_, &QAction::triggered, this, &MainWindow::SetVerifyAfterProgramming);
    hexdumpAction_ = options->addAction(Tr(MessageId::MenuOptionsHexdump));
    hexdumpAction_->setObjectName("mnuOptionsHexdump");
    hexdumpAction_->setCheckable(true);
    connect(hexdumpAction_, &QAction::toggled, this, &MainWindow::ApplyHexDumpMark);
    hexdumpAction_->setVisible(false);
    new LanguageMenu(options->addMenu(Tr(MessageId::MenuOptionsLanguage)), services_.settings, services_.prompter,
                     services_.languages, this);

    QMenu* help = bar->addMenu(Tr(MessageId::MenuHelp));
    help->setObjectName("mnuHelp");
    // The help text shipped with the program: connecting the radio. F1 too.
    QAction* contents = add(help, "mnuHelpContents", MessageId::MenuHelpContents, &MainWindow::ShowHelpContents);
    contents->setShortcut(QKeySequence::HelpContents);
    help->addSeparator()->setObjectName("mnuHelpBar0");
    add(help, "mnuHelpAbout", MessageId::MenuHelpAbout, &MainWindow::ShowAbout);

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
    toolbar_ = addToolBar(Tr(MessageId::Toolbar));
    toolbar_->setObjectName("tbToolBar");
    toolbar_->setMovable(false);
    toolbar_->setIconSize(QSize(24, 24));
    auto button = [this](const QString& key, MessageId tip) {
        QAction* a = toolbar_->addAction(ToolbarIcon(key), Tr(tip), this, [this, key] { ToolbarClicked(key); });
        a->setObjectName("tb" + key);
        a->setData(key);
        a->setToolTip(Tr(tip));
        return a;
    };
    tb_.newFile = button("New", MessageId::New);
    tb_.open = button("Open", MessageId::OpenEllipsis);
    tb_.save = button("Save", MessageId::Save);
    toolbar_->addSeparator();
    tb_.saveAsDefault = button("SaveAsDefault", MessageId::SaveAsDefault);
    // The Save As Default button has no action; its place stays empty.
    tb_.saveAsDefault->setVisible(false);
    toolbar_->addSeparator()->setVisible(false);
    tb_.print = button("Print", MessageId::Print);
    toolbar_->addSeparator();
    tb_.program = button("Program", MessageId::ProgramToRadio);
    tb_.program2 = button("Program2", MessageId::ProgramToRadio);
    tb_.read = button("Read", MessageId::ReadFromRadio);
    tb_.read2 = button("Read2", MessageId::ReadFromRadio);
    toolbar_->addSeparator();
    tb_.undo = toolbar_->addAction(QIcon::fromTheme("edit-undo", style()->standardIcon(QStyle::SP_ArrowBack)), Tr(MessageId::Undo),
                                   this, &MainWindow::EditUndo);
    tb_.undo->setObjectName("tbUndo");
    tb_.redo = toolbar_->addAction(QIcon::fromTheme("edit-redo", style()->standardIcon(QStyle::SP_ArrowForward)), Tr(MessageId::Redo),
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

// ---- what the menus show -------------------------------------------------------

void MainWindow::RefreshHistoryActions() {
    // The step's name, where it has one: "&Undo Scan Memory CH16".
    const auto named = [](MessageId verb, MessageId withStep, const std::string& step) {
        return step.empty() ? Tr(verb) : Tr({withStep, step});
    };
    const Workspace& ws = workspace();
    for (QAction* a : {undo_, tb_.undo}) a->setEnabled(ws.CanUndo());
    for (QAction* a : {redo_, tb_.redo}) a->setEnabled(ws.CanRedo());
    undo_->setText(named(MessageId::MenuEditUndo, MessageId::MenuEditUndoStep, ws.UndoAction()));
    redo_->setText(named(MessageId::MenuEditRedo, MessageId::MenuEditRedoStep, ws.RedoAction()));
    tb_.undo->setToolTip(named(MessageId::Undo, MessageId::UndoStep, ws.UndoAction()));
    tb_.redo->setToolTip(named(MessageId::Redo, MessageId::RedoStep, ws.RedoAction()));
}

void MainWindow::RefreshModelMenu() {
    for (QAction* a : modelEntries_) {
        a->setChecked(false);
        a->setEnabled(false);
    }
    for (int model : workspace().offeredModels()) {
        if (model < 1 || model > 10) continue;
        QAction* a = modelEntries_[static_cast<size_t>(model - 1)];
        a->setText(Q(ModelMenuCaption(model)));
        a->setVisible(true);
        a->setEnabled(true);
    }
    const int current = workspace().modelNumber();
    if (current >= 1 && current <= 10) modelEntries_[static_cast<size_t>(current - 1)]->setChecked(true);
    // With more than one model on offer, only the offered ones are listed.
    if (workspace().modelMenuVisible())
        for (QAction* a : modelEntries_)
            if (!a->isEnabled()) a->setVisible(false);
    status_[2]->setText(Q(workspace().modelName()));
}

void MainWindow::RefreshDestinationMenu() {
    const DestinationMenu& menu = workspace().destinations();
    mnuDestination_->setEnabled(menu.enabled);
    for (int i = 0; i < 11; ++i) {
        QAction* a = destinationEntries_[static_cast<size_t>(i)];
        const bool shown = i < static_cast<int>(menu.names.size()) && i < 10;
        a->setText(shown ? Q(menu.names[static_cast<size_t>(i)]) : QString());
        a->setVisible(shown);
        a->setChecked(shown && menu.checked == i);
    }
}

void MainWindow::RefreshRecentMenu() {
    mnuRecent_->clear();
    const QStringList files = recent_.List();
    for (int i = 0; i < files.size(); ++i) {
        const QString shown = fontMetrics().elidedText(QDir::toNativeSeparators(files[i]), Qt::ElideMiddle,
                                                       fontMetrics().averageCharWidth() * 60);
        QAction* a = mnuRecent_->addAction(Tr({MessageId::MenuFileRecentEntry, i + 1, QString(shown).replace("&", "&&").toStdString()}), this,
                                           [this, path = files[i]] { OpenRecentFile(path); });
        a->setObjectName(QString("mnuFileRecent%1").arg(i));
        a->setData(files[i]);
    }
    mnuRecent_->setEnabled(!files.isEmpty());
}

}  // namespace rp770::ui
