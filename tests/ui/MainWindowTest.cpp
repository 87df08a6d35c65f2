// The main window on the shipped data, offscreen, with scripted message
// boxes and file dialogs, and the simulated radio on a virtual cable.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QApplication>
#include <QDropEvent>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>
#include <deque>
#include <functional>

#include <QPushButton>
#include <QTableWidget>

#include "core/MemoryImage.h"
#include "desktop/DiskFiles.h"
#include "desktop/FolderKeeper.h"
#include "files/DatWriter.h"
#include "files/MemorySettingsStore.h"
#include "files/TestFolder.h"
#include "link/RadioLink.h"
#include "sim/VirtualWire.h"
#include "support/RadioData.h"
#include "support/ScriptedPrompter.h"
#include "ui/DifferencesDialog.h"
#include "ui/EditorPane.h"
#include "ui/FileDialogs.h"
#include "ui/HexDumpView.h"
#include "ui/MainWindow.h"
#include "ui/RadioBackupsDialog.h"
#include "ui/TransferDialog.h"
#include "ui/WindowAsker.h"
#include "ui/WindowPlacement.h"

namespace rp770::ui {
namespace {

using rp770::testing::ReadBytes;
using rp770::testing::TestFolder;
using rp770::testing::WriteBytes;

class ScriptedDialogs : public FileDialogs {
public:
    std::deque<QString> paths;  // answers, in order; empty = cancelled
    int asked = 0;
    QStringList folders;  // where each dialog started
    QString OpenPath(QWidget*, FileKind, const QString& folder) override { return Next(folder); }
    QString SavePath(QWidget*, FileKind, const QString& folder) override { return Next(folder); }
    bool ChoosePrinter(QWidget*, QPrinter&) override { return false; }

private:
    QString Next(const QString& folder) {
        ++asked;
        folders << folder;
        if (paths.empty()) return {};
        QString p = paths.front();
        paths.pop_front();
        return p;
    }
};

// Runs `action` on the modal dialog that `trigger` opens.
template <typename Dialog>
void OnNextModal(std::function<void(Dialog*)> action) {
    QTimer::singleShot(0, [action] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        action(dialog);
    });
}

class MainWindowTest : public ::testing::Test {
protected:
    TestFolder folder;
    MemorySettingsStore settings;
    rp770::testing::ScriptedPrompter prompter;
    ScriptedDialogs dialogs;
    sim::SimulatedRadio radio;
    sim::VirtualWire wire{radio};
    std::unique_ptr<link::RadioLink> radioLink;
    FolderProgramData program{folder.str()};
    DiskFiles files;
    WindowAsker asker{prompter};
    std::unique_ptr<AppSession> ws;
    std::unique_ptr<MainWindow> window;
    RadioKeeper* keeper = nullptr;  // where the session keeps radios' memories

    void SetUp() override {
        rp770::testing::CopyShippedData(folder.path());
        radioLink = std::make_unique<link::RadioLink>(wire.Port(), wire.GetClock(), wire.GetPump());
    }
    void TearDown() override {
        if (window) {
            prompter.answers = {Answer::No};  // whatever is unsaved goes
            window->close();
        }
        window.reset();
        ws.reset();
    }

    bool Start(Switches switches = {}) {
        ws = std::make_unique<AppSession>(program, SessionServices{settings, files, asker, NoErrorLog(), keeper}, switches);
        ws->OfferBackupChoice(keeper != nullptr);
        ws->SetLink(radioLink.get());
        window = std::make_unique<MainWindow>(*ws, MainWindowServices{settings, prompter, asker, wire.GetClock(), dialogs});
        const bool ok = window->Startup();
        if (ok) window->show();
        return ok;
    }
    QAction* Action(const char* name) { return window->findChild<QAction*>(name); }
    QMenu* Menu(const char* name) { return window->findChild<QMenu*>(name); }
    bool HasNode(const QString& key) { return window->editor().SelectNodeByKey(key); }
};

TEST_F(MainWindowTest, StartsOnTheShippedData) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(window->windowTitle(), "RP770  PC Program for MR318[*]");
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_FALSE(Menu("mnuEditModel")->menuAction()->isVisible()) << "one model: no model menu";
    EXPECT_FALSE(Action("mnuEditUndo")->isEnabled()) << "nothing to undo at start";
    EXPECT_FALSE(Action("mnuOptionsHexdump")->isVisible());
    EXPECT_TRUE(Action("mnuOptionsSerialPort10")->isChecked()) << "COM1 on a first start";
    EXPECT_FALSE(settings.Get("ComPath", "ComNum")) << "nothing stored until the user picks a port";
    EXPECT_EQ(window->statusPanel(2)->text(), "MR318");
    EXPECT_FALSE(window->workspace().modified());
    EXPECT_TRUE(window->workspace().currentFilePath().empty());
    // Destinations: CAN, INT, USA, the first one loaded and checked.
    EXPECT_EQ(Action("mnuDestinationChild0")->text(), "CAN");
    EXPECT_TRUE(Action("mnuDestinationChild0")->isChecked());
    EXPECT_EQ(Action("mnuDestinationChild2")->text(), "USA");
    EXPECT_FALSE(Action("mnuDestinationChild3")->isVisible());
    EXPECT_FALSE(Action("tbProgram")->isVisible());
    EXPECT_TRUE(Action("tbProgram2")->isVisible());
    EXPECT_TRUE(Action("tbRead")->isVisible());
    EXPECT_FALSE(Action("tbRead2")->isVisible());
    EXPECT_FALSE(HasNode("general")) << "keys are compared with case";
    EXPECT_TRUE(HasNode("PU")) << "USA is usable in the factory data";
}

TEST_F(MainWindowTest, DebugModeShowsTheHexdumpEntryWithItsStoredMark) {
    settings.Set("Settings", "hexvisible", "1");
    ASSERT_TRUE(Start(Switches{true, false}));
    QAction* hex = Action("mnuOptionsHexdump");
    EXPECT_TRUE(hex->isVisible());
    EXPECT_TRUE(hex->isChecked());
    window->ToggleHexDump();
    EXPECT_FALSE(hex->isChecked());
    window->ToggleHexDump();
    EXPECT_TRUE(window->hexDump().isVisible());
    ASSERT_EQ(window->hexDump().count(), 66);
    EXPECT_TRUE(window->hexDump().item(65)->text().startsWith(" 03F0:"));
}

TEST_F(MainWindowTest, NoModelOfferedEndsWithUnknownModel) {
    WriteBytes(folder / "global.ini", "[model1]\r\nuse=0\r\n");
    EXPECT_FALSE(Start());
    ASSERT_FALSE(prompter.boxes.empty());
    EXPECT_EQ(prompter.boxes.back().text, "Unknown model!!");
    EXPECT_EQ(prompter.boxes.back().title, "RP770");
    window.reset();
}

TEST_F(MainWindowTest, StoredLastModelOfTenIsNotRestored) {
    WriteBytes(folder / "global.ini", "[model1]\r\nuse=1\r\n[model2]\r\nuse=1\r\n[model3]\r\nuse=0\r\n[model4]\r\nuse=\r\n");
    settings.Set("Settings", "lastmodel", "10");
    ASSERT_TRUE(Start());
    EXPECT_EQ(window->workspace().modelNumber(), 2) << "the last model found in use";
    EXPECT_TRUE(Menu("mnuEditModel")->menuAction()->isVisible());
}

TEST_F(MainWindowTest, ModelChangeAsksAndTheCurrentModelDoesNothing) {
    WriteBytes(folder / "global.ini", "[model1]\r\nuse=1\r\natis=1\r\nwx=1\r\nwa=1\r\n[model2]\r\nuse=1\r\n");
    settings.Set("Settings", "lastmodel", "1");
    ASSERT_TRUE(Start());
    ASSERT_EQ(window->workspace().modelNumber(), 1);
    prompter.boxes.clear();
    window->ChooseModel(0);
    EXPECT_TRUE(prompter.boxes.empty()) << "choosing the current model asks nothing";

    prompter.answers = {Answer::Cancel};
    window->ChooseModel(1);
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, "Do you want to program the Unknown model series?");
    EXPECT_EQ(window->workspace().modelNumber(), 1);

    prompter.answers = {Answer::Ok};
    window->ChooseModel(1);
    EXPECT_EQ(window->workspace().modelNumber(), 2);
    EXPECT_EQ(settings.Get("Settings", "lastmodel"), "2");
    EXPECT_EQ(window->windowTitle(), "RP770  PC Program for Unknown model[*]");
}

TEST_F(MainWindowTest, TheCheckedDestinationReinitialisesWithoutAsking) {
    ASSERT_TRUE(Start());
    prompter.boxes.clear();
    window->ChooseDestination(0);
    EXPECT_TRUE(prompter.boxes.empty());
    window->workspace().SetCommon(CommonField::DualWatch, 1);
    prompter.answers = {Answer::No};  // unsaved changes: dropped when the user says so
    window->ChooseDestination(0);
    EXPECT_EQ(prompter.Texts(), std::vector<std::string>{"QZP data has changed.\nDo you want to save changes?"});
    EXPECT_FALSE(window->workspace().data().common.DualWatch) << "back to the factory data";
    EXPECT_FALSE(window->workspace().modified());
    prompter.boxes.clear();

    prompter.answers = {Answer::Ok};
    window->ChooseDestination(2);
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, "Do you want to change to USA?");
    EXPECT_TRUE(Action("mnuDestinationChild2")->isChecked());
    EXPECT_FALSE(Action("mnuDestinationChild0")->isChecked());
    EXPECT_EQ(settings.Get("IniFilePath", "IniFileName_1"), "USA");
}

TEST_F(MainWindowTest, SerialPortChoiceIsStoredOnceTheWindowShows) {
    ASSERT_TRUE(Start());
    window->ChooseSerialPort(2);
    EXPECT_EQ(settings.Get("ComPath", "ComNum"), "3");
    EXPECT_TRUE(Action("mnuOptionsSerialPort12")->isChecked());
    EXPECT_FALSE(Action("mnuOptionsSerialPort10")->isChecked());
    EXPECT_EQ(radioLink->State().PortNumber, 3);
    window->ChooseSerialDevice("sim");
    EXPECT_EQ(radioLink->State().PortDevice, "sim");
    EXPECT_FALSE(Action("mnuOptionsSerialPort12")->isChecked());
}

TEST_F(MainWindowTest, OtherDeviceTestConnectionAndVerification) {
    ASSERT_TRUE(Start());
    // Any device the user types, kept under a key of its own.
    OnNextModal<QInputDialog>([](QInputDialog* d) {
        d->setTextValue(" /dev/pts/7 ");
        d->accept();
    });
    window->ChooseOtherDevice();
    EXPECT_EQ(radioLink->State().PortDevice, "/dev/pts/7");
    EXPECT_EQ(settings.Get("ComPath", "ComDevice"), "/dev/pts/7");
    EXPECT_EQ(settings.Get("ComPath", "ComNum"), "1");
    emit Menu("mnuOptionsSerialPort")->aboutToShow();
    QStringList checked;
    for (QAction* a : Menu("mnuOptionsSerialPort")->actions())
        if (a->isChecked()) checked << a->text();
    EXPECT_EQ(checked, QStringList{"/dev/pts/7   (not present)"}) << "a device the system does not report";
    EXPECT_NE(Action("mnuOptionsSerialPortOther"), nullptr);

    // The test finds the radio on the cable (the virtual one, whatever the device).
    prompter.boxes.clear();
    OnNextModal<TransferDialog>([](TransferDialog* d) { d->OkClicked(); });
    window->TestConnection();
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text,
              "The radio answered on /dev/pts/7: MR318 (model code 0x013E). It is ready to be read and programmed.");

    // Verification is remembered, and programming then reads the radio back.
    Action("mnuOptionsVerify")->trigger();
    EXPECT_EQ(settings.Get("Settings", "VerifyAfterProgramming"), "1");
    OnNextModal<TransferDialog>([](TransferDialog* d) { d->OkClicked(); });
    window->TransferProgram();
    EXPECT_EQ(prompter.boxes.back().text, "Verified: the radio holds every byte that was sent.");
    // The test's model code, the programming's model check, the read-back's, then the whole memory.
    EXPECT_EQ(radio.Log().readRequests, 2 + 2 + 2 + 64);
}

TEST_F(MainWindowTest, SaveOpenAndTheClosePrompt) {
    ASSERT_TRUE(Start());
    const QString path = QString::fromStdString(folder / "boat.dat");
    window->workspace().SetCommon(CommonField::DualWatch, 1);
    EXPECT_TRUE(window->isWindowModified());

    // Yes, then a cancelled save dialog: the window stays open.
    prompter.answers = {Answer::Yes};
    EXPECT_FALSE(window->close());
    EXPECT_EQ(prompter.boxes.back().text, "QZP data has changed.\nDo you want to save changes?");
    EXPECT_TRUE(window->isVisible());

    // Cancel keeps it open too.
    prompter.answers = {Answer::Cancel};
    EXPECT_FALSE(window->close());

    dialogs.paths = {path};
    window->FileSaveAs();
    EXPECT_EQ(window->windowTitle(), "RP770  PC Program for MR318 - boat.dat[*]");
    EXPECT_FALSE(window->isWindowModified()) << "a successful save is the clean state";
    EXPECT_EQ(ReadBytes(folder / "boat.dat").rfind("[MAIN]\r\n", 0), 0u);

    dialogs.paths = {QString()};
    window->FileNew();
    window->RunDeferredNew();
    EXPECT_TRUE(window->workspace().currentFilePath().empty());
    EXPECT_FALSE(window->workspace().data().common.DualWatch);

    dialogs.paths = {path};
    window->FileOpen();
    EXPECT_TRUE(window->workspace().data().common.DualWatch);
    EXPECT_EQ(window->windowTitle(), "RP770  PC Program for MR318 - boat.dat[*]");

    // No changes: closing asks nothing and stores the geometry.
    prompter.boxes.clear();
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(prompter.boxes.empty());
    EXPECT_TRUE(settings.Get("Settings", "MainWidth"));
}

TEST_F(MainWindowTest, AHexFileIsNeverOverwrittenWithSettingsText) {
    ASSERT_TRUE(Start(Switches{true, false}));
    const std::string hex = folder / "image.hex";
    WriteBytes(hex, ReadBytes(folder / "USA_013E.ini"));
    dialogs.paths = {QString::fromStdString(hex)};
    window->OpenHexCommand();
    ASSERT_EQ(window->workspace().currentFilePath(), hex);
    dialogs.paths = {QString()};  // Save asks for a settings file instead, and is cancelled
    window->FileSave();
    EXPECT_EQ(dialogs.asked, 2);
    EXPECT_EQ(ReadBytes(hex), ReadBytes(folder / "USA_013E.ini"));
}

TEST_F(MainWindowTest, HexCommandsDoNothingOutsideDebugMode) {
    ASSERT_TRUE(Start());
    window->OpenHexCommand();
    window->SaveHexCommand();
    EXPECT_EQ(dialogs.asked, 0);
}

TEST_F(MainWindowTest, AWholeReadFromTheSimulatedRadioRefreshesEverything) {
    ASSERT_TRUE(Start());
    // The radio holds the USA factory image with dual watch on.
    DataSet theirs;
    theirs.flags = {true, true, true};
    ResetDataSet(theirs);
    const std::string usa = ReadBytes(folder / "USA_013E.ini");
    std::copy(usa.begin(), usa.end(), theirs.image.bytes.begin());
    theirs.image[0x012] = 1;
    sim::RadioMemory memory{};
    std::copy_n(theirs.image.bytes.begin(), memory.size(), memory.begin());
    radio.SetMemory(memory);

    dialogs.paths = {QString::fromStdString(folder / "before.dat")};
    window->FileSaveAs();
    window->workspace().SetCommon(CommonField::Scan, 0);
    const DataSet edited = window->workspace().data();
    OnNextModal<TransferDialog>([](TransferDialog* d) { d->OkClicked(); });
    window->TransferRead();
    EXPECT_TRUE(window->workspace().data().common.DualWatch);
    EXPECT_TRUE(window->workspace().currentFilePath().empty());
    EXPECT_FALSE(window->workspace().modified());
    EXPECT_EQ(window->windowTitle(), "RP770  PC Program for MR318[*]");
    EXPECT_EQ(prompter.boxes.back().text, "Complete!!");
    EXPECT_EQ(Action("mnuEditUndo")->text(), "&Undo Read from Radio");
    EXPECT_TRUE(window->isActiveWindow() || QApplication::activeWindow() == nullptr);

    // Undo past the read: the edited data come back; Save still writes
    // nowhere without asking (undo never changes where the data go).
    window->EditUndo();
    EXPECT_TRUE(window->workspace().data() == edited);
    EXPECT_TRUE(window->workspace().currentFilePath().empty());
    EXPECT_TRUE(window->isWindowModified());
}

TEST_F(MainWindowTest, AnEnabledEmptyExpChannelIsTakenBackByUndoForGood) {
    // Leaving such a channel is refused until it has a frequency and display
    // characters; taking the mistake back is not, and no redo brings it back.
    ASSERT_TRUE(Start());
    window->workspace().SetGroupUsable(GroupEXP, true);
    ASSERT_TRUE(window->editor().SelectNodeByKey("E 1"));
    window->findChild<QCheckBox*>("chkCEnable")->click();
    ASSERT_TRUE(window->workspace().data().exp[1].Enable);
    prompter.boxes.clear();
    window->EditUndo();
    EXPECT_FALSE(window->workspace().data().exp[1].Enable);
    window->EditRedo();
    EXPECT_FALSE(window->workspace().data().exp[1].Enable);
    EXPECT_TRUE(prompter.boxes.empty()) << prompter.boxes.front().text;
    window->editor().SelectNodeByKey("Common");
    EXPECT_TRUE(prompter.boxes.empty()) << "nothing incomplete holds the user";
}

TEST_F(MainWindowTest, CancelBeforeOkAndDuringTransfers) {
    ASSERT_TRUE(Start());
    const MemoryImage before = window->workspace().data().image;

    OnNextModal<TransferDialog>([](TransferDialog* d) { d->CancelClicked(); });
    window->TransferRead();
    EXPECT_EQ(radio.Log().probes, 0) << "Cancel before OK closes without a transfer";

    // Cancel while block 10 is read: the dialog closes without a message and
    // the image stays as it was.
    TransferDialog* running = nullptr;
    wire.OnYield([&] {
        // One press of Cancel, as a user makes it.
        if (running && radio.Log().readRequests >= 10) {
            running->CancelClicked();
            running = nullptr;
        }
    });
    prompter.boxes.clear();
    bool readStayedOpen = true;
    OnNextModal<TransferDialog>([&](TransferDialog* d) {
        running = d;
        d->OkClicked();
        readStayedOpen = d->isVisible();
        if (d->isVisible()) d->done(QDialog::Rejected);
    });
    window->TransferRead();
    EXPECT_FALSE(readStayedOpen) << "the abort's echo leaves no error: the dialog closes";
    EXPECT_EQ(window->workspace().data().image, before);
    for (const auto& box : prompter.boxes) EXPECT_NE(box.text, "Complete!!");

    // Cancel during programming keeps the dialog open.
    running = nullptr;
    bool stayedOpen = false;
    wire.OnYield([&] {
        if (running && radio.Log().writeRequests >= 5 && !radioLink->State().CancelRequested) running->CancelClicked();
    });
    OnNextModal<TransferDialog>([&](TransferDialog* d) {
        running = d;
        d->OkClicked();
        stayedOpen = d->isVisible();
        d->done(QDialog::Rejected);
    });
    window->TransferProgram();
    EXPECT_TRUE(stayedOpen);
    wire.OnYield({});
}

}  // namespace
}  // namespace rp770::ui

#include <QCheckBox>
#include <QComboBox>
#include <QTest>

namespace rp770::ui {
namespace {

TEST_F(MainWindowTest, EditsThroughThePanelsSurviveASaveAndAnOpen) {
    ASSERT_TRUE(Start());
    auto* dual = window->findChild<QComboBox*>("cmbCommonDual");
    auto* scan = window->findChild<QCheckBox*>("chkCScan");
    ASSERT_TRUE(dual && scan);

    ASSERT_TRUE(window->editor().SelectNodeByKey("Common"));
    ASSERT_EQ(dual->currentIndex(), 0);
    dual->setFocus();
    QTest::keyClick(dual, Qt::Key_Down);  // the user picks "On"
    EXPECT_TRUE(window->workspace().data().common.DualWatch);
    EXPECT_TRUE(window->workspace().modified());

    ASSERT_TRUE(window->editor().SelectNodeByKey("PU 30"));  // channel 16
    const bool scanBefore = scan->isChecked();
    scan->click();
    EXPECT_EQ(window->workspace().data().plan(PlanUSA)[30].ScanMemory, !scanBefore);

    dialogs.paths = {QString::fromStdString(folder / "edited.dat")};
    window->FileSaveAs();
    window->FileNew();
    window->RunDeferredNew();
    EXPECT_FALSE(window->workspace().data().common.DualWatch);

    dialogs.paths = {QString::fromStdString(folder / "edited.dat")};
    window->FileOpen();
    ASSERT_TRUE(window->editor().SelectNodeByKey("Common"));
    EXPECT_EQ(dual->currentIndex(), 1) << "the screen shows the opened value";
    ASSERT_TRUE(window->editor().SelectNodeByKey("PU 30"));
    EXPECT_EQ(scan->isChecked(), !scanBefore);
    EXPECT_FALSE(window->workspace().modified()) << "showing panels is no edit";
}

TEST_F(MainWindowTest, APartlyProgrammedRadioIsProgrammedAgainAfterItsMemoryIsKeptAndListed) {
    FolderKeeperStorage storage(folder.path() / "radios");
    StoredRadioKeeper kept(storage);
    keeper = &kept;
    ASSERT_TRUE(Start());
    radio.SetMemory(rp770::testing::PatternMemory());
    const sim::RadioMemory before = radio.Memory();
    DataSet plan = window->workspace().data();
    plan.common.ResumeTime = plan.common.ResumeTime == 9 ? 3 : 9;
    const std::string planText = FormatSettingsText(plan);
    ASSERT_TRUE(kept.RememberPartial({ws->PortName(), "", "2026-12-09T06:15:00Z", planText}).Ok());

    // No forgets it; Yes opens the plan and programs it, the radio read and kept first.
    prompter.answers = {Answer::No};
    window->OfferPartlyProgrammed();
    EXPECT_TRUE(kept.Partials().empty());
    ASSERT_TRUE(kept.RememberPartial({ws->PortName(), "", "2026-12-09T06:15:00Z", planText}).Ok());
    prompter.answers = {Answer::Yes, Answer::Yes};
    OnNextModal<TransferDialog>([](TransferDialog* d) { d->OkClicked(); });
    window->OfferPartlyProgrammed();
    EXPECT_EQ(window->workspace().DatText(), planText);
    EXPECT_TRUE(kept.Partials().empty()) << "programmed whole";
    EXPECT_NE(radio.Memory(), before) << "the plan went out";
    const std::vector<KeptImage> list = kept.List();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].reason, KeepReason::BeforeProgramming);
    EXPECT_EQ(ReadBytes(list[0].where), std::string(before.begin(), before.end()));

    // File > Radio Backups... opens the kept image as a memory image file.
    OnNextModal<RadioBackupsDialog>([](RadioBackupsDialog* d) {
        EXPECT_EQ(d->Table()->item(0, 3)->text(), "before programming");
        d->OpenButton()->click();
    });
    prompter.answers = {Answer::No};
    Action("mnuFileRadioBackups")->trigger();
    EXPECT_EQ(window->workspace().currentFilePath(), list[0].where);
    const MemoryImage& image = window->workspace().data().image;
    EXPECT_EQ(std::string(image.bytes.begin(), image.bytes.begin() + 1024), ReadBytes(list[0].where));
}

TEST_F(MainWindowTest, ChannelTablesAndTheComparisonWithTheRadio) {
    ASSERT_TRUE(Start());
    const DataSet before = window->workspace().data();
    const std::string csv = folder / "channels.csv";

    // Exported, Scan of USA 16 switched in a spreadsheet, imported: one step, taken back by Ctrl+Z.
    dialogs.paths = {QString::fromStdString(csv)};
    window->FileExportChannels();
    std::string table = ReadBytes(csv);
    const std::string row = "\r\nUSA,30,16,DISTRESS,156.8000,156.8000,1,";
    const size_t at = table.find(row);
    ASSERT_NE(at, std::string::npos);
    char& scan = table[at + row.size()];
    scan = scan == '0' ? '1' : '0';
    WriteBytes(csv, table);
    dialogs.paths = {QString::fromStdString(csv)};
    window->FileImportChannels();
    EXPECT_NE(window->workspace().data().plan(PlanUSA)[30].ScanMemory, before.plan(PlanUSA)[30].ScanMemory);
    EXPECT_EQ(Action("mnuEditUndo")->text(), "&Undo Import Channels channels.csv");
    EXPECT_TRUE(window->isWindowModified());
    Action("mnuEditUndo")->trigger();
    EXPECT_TRUE(window->workspace().data() == before);

    // The radio holds the same data with dual watch on: one difference, and the data on screen stay.
    sim::RadioMemory memory{};
    std::copy_n(before.image.bytes.begin(), memory.size(), memory.begin());
    memory[0x012] = 1;
    radio.SetMemory(memory);
    OnNextModal<TransferDialog>([](TransferDialog* d) { d->OkClicked(); });
    window->TransferCompare();
    EXPECT_TRUE(window->workspace().data() == before);
    EXPECT_FALSE(window->workspace().CanUndo());
    auto* differences = window->findChild<DifferencesDialog*>();
    ASSERT_NE(differences, nullptr);
    EXPECT_EQ(differences->windowTitle(), "Compare With Radio");
    EXPECT_EQ(differences->CopiedText(), "Area\tChannel\tField\tThis\tOther\nCommon\t\tDual Watch\toff\ton\n");
}

}  // namespace
}  // namespace rp770::ui

#include <QMessageBox>

#include "platform/QtPrompter.h"
#include "ui/ChannelGrid.h"
#include "ui/ChannelListPanel.h"
#include "ui/GeneralPanel.h"
#include "ui/NavigationTree.h"

namespace rp770::ui {
namespace {

TEST_F(MainWindowTest, TheGeneralPageTheGridAndTheFocusAfterCommonCommands) {
    ASSERT_TRUE(Start());
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EditorPane& pane = window->editor();
    // After New and after choosing the checked destination again, "General"
    // is shown enabled (with its logo), not greyed.
    window->FileNew();
    window->RunDeferredNew();
    EXPECT_EQ(pane.CurrentPanel(), pane.General());
    window->ChooseDestination(0);
    EXPECT_EQ(pane.CurrentPanel(), pane.General());
    EXPECT_TRUE(pane.General()->isEnabled());

    // At the start size the tree's top-level nodes ("Programmable Channel")
    // read whole, and the channel list shows its last column.
    QApplication::processEvents();
    EXPECT_LE(pane.Tree()->header()->sectionSize(0), pane.Tree()->viewport()->width());
    ASSERT_TRUE(pane.SelectNodeByKey("PU"));
    QApplication::processEvents();
    ChannelGrid* grid = pane.ChannelList()->Grid();
    int columns = 0;
    for (int c = 0; c < grid->columnCount(); ++c) columns += grid->columnWidth(c);
    EXPECT_LE(columns, grid->viewport()->width());

    // After a completed read the keyboard is back in the window.
    pane.Tree()->setFocus();
    OnNextModal<TransferDialog>([](TransferDialog* d) { d->OkClicked(); });
    window->TransferRead();
    ASSERT_EQ(prompter.boxes.back().text, "Complete!!");
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_TRUE(window->isAncestorOf(QApplication::focusWidget()));
}

TEST(MessageBoxes, AreAsWideAsTheirTitle) {
    QMessageBox box(QMessageBox::Warning, "a title much longer than its message", "Data Error!!", QMessageBox::Ok);
    const int before = box.sizeHint().width();
    platform::KeepTitleInView(box);
    EXPECT_GT(box.sizeHint().width(), before);
    EXPECT_GE(box.sizeHint().width(), box.fontMetrics().horizontalAdvance(box.windowTitle()));
}

}  // namespace
}  // namespace rp770::ui

namespace rp770::ui {
namespace {

// Drags the file over the window and drops it, as a file manager does
// offering `possible`, with the user holding `keys` (Shift proposes a move,
// Alt a link); the action the window took (IgnoreAction: it refused the file).
Qt::DropAction DropFile(MainWindow& window, const std::string& path, Qt::DropActions possible = Qt::CopyAction,
                        Qt::KeyboardModifiers keys = Qt::NoModifier) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    const QPoint at = window.rect().center();
    QDragEnterEvent enter(at, possible, &mime, Qt::LeftButton, keys);
    enter.setAccepted(false);
    QApplication::sendEvent(&window, &enter);
    if (!enter.isAccepted()) return Qt::IgnoreAction;
    QDropEvent drop(QPointF(at), possible, &mime, Qt::LeftButton, keys);
    QApplication::sendEvent(&window, &drop);
    QApplication::processEvents();  // the file opens once the drop is over
    return drop.isAccepted() && drop.dropAction() == enter.dropAction() ? drop.dropAction() : Qt::IgnoreAction;
}

TEST_F(MainWindowTest, AFileGivenOrDroppedOpensAfterTheQuestionAboutChanges) {
    ASSERT_TRUE(Start());  // no debug switch: a .hex file named by the user opens all the same
    const std::string hex = folder / "image.hex", dat = folder / "boat.dat";
    WriteBytes(hex, ReadBytes(folder / "USA_013E.ini"));
    WriteBytes(folder / "notes.txt", "x");
    dialogs.paths = {QString::fromStdString(dat)};
    window->FileSaveAs();
    window->OpenFile(QString::fromStdString(hex));
    EXPECT_EQ(window->workspace().currentFilePath(), hex);

    window->workspace().SetCommon(CommonField::DualWatch, 1);
    prompter.answers = {Answer::Cancel, Answer::No};
    EXPECT_EQ(DropFile(*window, dat), Qt::CopyAction);
    EXPECT_EQ(window->workspace().currentFilePath(), hex) << "Cancel keeps the data";
    EXPECT_EQ(DropFile(*window, dat), Qt::CopyAction);
    EXPECT_EQ(prompter.boxes.back().text, "QZP data has changed.\nDo you want to save changes?");
    EXPECT_EQ(window->workspace().currentFilePath(), dat);
    EXPECT_EQ(DropFile(*window, folder / "notes.txt"), Qt::IgnoreAction) << "only .dat and .hex files are taken";

    // The file is only read: whatever the file manager proposes, the drop is a
    // copy, so that it never deletes the user's file; a move-only drag is refused.
    const struct {
        Qt::DropActions possible;
        Qt::KeyboardModifiers keys;
        Qt::DropAction taken;
    } drags[] = {
        {Qt::CopyAction | Qt::MoveAction, Qt::ShiftModifier, Qt::CopyAction},
        {Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, Qt::AltModifier, Qt::CopyAction},
        {Qt::MoveAction, Qt::ShiftModifier, Qt::IgnoreAction},
    };
    for (const auto& d : drags) {
        window->OpenFile(QString::fromStdString(hex));
        EXPECT_EQ(DropFile(*window, dat, d.possible, d.keys), d.taken) << int(d.possible) << " " << int(d.keys);
        EXPECT_EQ(window->workspace().currentFilePath(), d.taken == Qt::CopyAction ? dat : hex);
    }
}

TEST_F(MainWindowTest, RecentFilesKeepTheLastEightNewestFirstAndLoseAMissingOne) {
    ASSERT_TRUE(Start());
    for (int i = 0; i < 9; ++i) {
        dialogs.paths = {QString::fromStdString(folder / ("f" + std::to_string(i) + ".dat"))};
        window->FileSaveAs();
    }
    window->OpenRecentFile(QString::fromStdString(folder / "f5.dat"));
    QMenu* recent = Menu("mnuFileRecent");
    QStringList shown;
    for (QAction* a : recent->actions()) shown << QFileInfo(a->data().toString()).fileName();
    EXPECT_EQ(shown, QStringList({"f5.dat", "f8.dat", "f7.dat", "f6.dat", "f4.dat", "f3.dat", "f2.dat", "f1.dat"}));
    EXPECT_EQ(settings.Get("Files", "Recent1"), folder / "f5.dat");

    std::filesystem::remove(folder / "f7.dat");
    prompter.boxes.clear();
    recent->actions()[2]->trigger();
    EXPECT_EQ(prompter.Texts(), std::vector<std::string>{"The file " + (folder / "f7.dat") +
                                                         " cannot be found. It has been removed from the recent files."});
    EXPECT_EQ(recent->actions().size(), 7);
    EXPECT_EQ(window->workspace().currentFilePath(), folder / "f5.dat") << "nothing else changes";
}

// A folder is remembered only once a file in it was opened or saved.
TEST_F(MainWindowTest, FileDialogsStartInTheFolderOfTheLastFileUsedElseInTheDocuments) {
    ASSERT_TRUE(Start());
    window->FileOpen();  // cancelled
    const QString documents = dialogs.folders.value(0);
    EXPECT_TRUE(documents == QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) || documents == QDir::homePath());
    for (const char* dir : {"boats", "tables", "locked/x.dat"}) std::filesystem::create_directories(folder / dir);
    using Command = void (MainWindow::*)();
    const struct {
        Command command;
        const char* chosen;     // in the test folder; empty: cancelled
        const char* startsIn;   // empty: the documents folder
    } steps[] = {
        {&MainWindow::FileSaveAs, "boats/a.dat", ""},
        {&MainWindow::FileSaveAs, "locked/x.dat", "boats"},        // fails: x.dat is a folder
        {&MainWindow::FileOpen, "locked/none.dat", "boats"},       // fails: no such file
        {&MainWindow::FileExportChannels, "tables/c.csv", "boats"},
        {&MainWindow::FileImportChannels, "boats/none.csv", "tables"},
        {&MainWindow::FileCompareWithFile, "boats/none.dat", "tables"},
        {&MainWindow::FileOpen, "boats/a.dat", "tables"},
        {&MainWindow::FileSaveAs, "", "boats"},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        const auto& step = steps[i];
        dialogs.paths = {*step.chosen ? QString::fromStdString(folder / step.chosen) : QString()};
        (window.get()->*step.command)();
        EXPECT_EQ(dialogs.folders.last(), *step.startsIn ? QString::fromStdString(folder / step.startsIn) : documents)
            << "step " << i << " " << step.chosen;
    }
    std::filesystem::remove_all(folder / "boats");  // a folder that has gone is not offered
    window->FileOpen();
    EXPECT_EQ(dialogs.folders.last(), documents);
}

TEST_F(MainWindowTest, TheStoredPlaceIsRestoredOnAScreen) {
    const QRect wanted = QRect(40, 60, 650, 520).translated(QGuiApplication::primaryScreen()->availableGeometry().topLeft());
    const double tpp = 1440.0 / QGuiApplication::primaryScreen()->logicalDotsPerInchX();
    const int px[4] = {wanted.x(), wanted.y(), wanted.width(), wanted.height()};
    const char* keys[4] = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};
    for (int i = 0; i < 4; ++i) settings.Set("Settings", keys[i], std::to_string(std::lround(px[i] * tpp)));
    ASSERT_TRUE(Start());
    EXPECT_EQ(window->geometry(), wanted);

    // The frame (a title bar of 20) goes wholly onto the screen too.
    const QList<QRect> two = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    const QList<QRect> scaledTwice = {QRect(0, 0, 960, 540)}, scaledThrice = {QRect(0, 0, 640, 360)};
    const QSize minimum(607, 444);
    const struct {
        QList<QRect> screens;
        QRect stored, placed;
        QSize minimum;
    } cases[] = {
        {two, QRect(2000, 100, 800, 600), QRect(2000, 100, 800, 600), minimum},  // inside: kept
        {two, QRect(3100, 50, 800, 600), QRect(2400, 50, 800, 600), minimum},   // partly off its screen: pulled in
        {two, QRect(3150, 50, 800, 600), QRect(2400, 50, 800, 600), minimum},   // too little shows: the screen it overlaps
        {two, QRect(-5000, -5000, 300, 200), QRect(0, 20, 607, 444), minimum},  // off every screen, below the minimum
        {two, QRect(100, 900, 2500, 1500), QRect(0, 20, 1920, 1060), minimum},  // larger than its screen
        {two, QRect(100, 5, 800, 600), QRect(100, 20, 800, 600), minimum},      // the title bar above the screen
        // Placed at scale 1, restored with the screen scaled twice and three times.
        {scaledTwice, QRect(1000, 500, 800, 560), QRect(160, 20, 800, 520), minimum},
        {scaledThrice, QRect(0, 0, 607, 444), QRect(0, 20, 607, 340), QSize(607, 340)},
    };
    for (const auto& c : cases) {
        const WindowPlace place = PlaceOnScreens(c.stored, minimum, c.screens, QMargins(0, 20, 0, 0));
        EXPECT_EQ(std::make_pair(place.geometry, place.minimum), std::make_pair(c.placed, c.minimum)) << c.stored.x();
    }
}

}  // namespace
}  // namespace rp770::ui

namespace rp770::ui {
namespace {

// New, Open, a destination change and a model change replace the data: with
// unsaved changes they first ask, as closing does. Cancel keeps everything,
// No lets the data go, Yes saves them first.
}  // namespace
}  // namespace rp770::ui
