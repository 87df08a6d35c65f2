#include <gtest/gtest.h>

#include <QLabel>
#include <QLineF>
#include <QPainterPathStroker>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <filesystem>
#include <functional>

#include "core/MemoryImage.h"
#include "desktop/DiskFiles.h"
#include "files/MemorySettingsStore.h"
#include "files/TestFolder.h"
#include "support/ScriptedPrompter.h"
#include "ui/ConnectionPictures.h"
#include "ui/TransferDialog.h"

namespace rp770::ui {
namespace {

class CountingClock : public Clock {
public:
    double now = 0;
    int sleeps = 0;
    double Now() override { return now; }
    void Sleep(int ms) override {
        ++sleeps;
        now += ms / 1000.0;
    }
};

// A link that does what the test says, and lets the test act "during" a step.
class FakeEngine : public link::TransferEngine {
public:
    link::LinkState state;
    std::string title;
    link::TransferObserver* observer = nullptr;
    bool syncResult = true;
    bool readResult = true;
    bool commErrorAfter = false;
    link::ProgramOutcome programOutcome = link::ProgramOutcome::Complete;
    std::function<void()> during;  // runs inside the transfer (user clicks, ...)
    int reads = 0, programs = 0;
    uint8_t programmedStartChannel = 0;
    Clock* clock = nullptr;  // the monitor's pauses

    std::vector<Message> said;  // what the link has to say after the step

    link::LinkState& State() override { return state; }
    void SetTitle(const std::string& t) override { title = t; }
    void SetObserver(link::TransferObserver* o) override { observer = o; }
    void SetAsker(Asker*) override {}
    std::vector<Message> TakeMessages() override { return std::exchange(said, {}); }
    void ShowMonitor(const std::string& text) override {
        if (!state.DebugMode) return;
        if (observer) observer->ShowMonitor(text);
        if (clock) clock->Sleep(500);
    }
    bool SyncRadio() override { return syncResult; }
    bool ReadFromRadio(DataSet&) override {
        ++reads;
        if (observer) observer->SetProgress(50);
        if (during) during();
        state.CommError = commErrorAfter;
        return readResult && !commErrorAfter && !state.CancelRequested;
    }
    link::ProgramOutcome ProgramToRadio(const DataSet& data) override {
        ++programs;
        programmedStartChannel = data.image[0x007];
        if (during) during();
        state.CommError = commErrorAfter;
        return programOutcome;
    }
    int readBacks = 0;
    bool ReadBack(DataSet&, const std::string&) override {
        ++readBacks;
        return true;  // the data set as it was: the radio holds what was sent
    }
    link::ProbeReport probeReport;
    link::ProbeReport Probe() override {
        if (during) during();
        return probeReport;
    }
};

struct Fixture : ::testing::Test {
    rp770::testing::TestFolder folder;
    MemorySettingsStore settings;
    FakeEngine engine;
    rp770::testing::ScriptedPrompter prompter;
    PrompterAsker asker{prompter};
    CountingClock clock;
    FolderProgramData program{folder.str()};
    DiskFiles files;
    std::unique_ptr<AppSession> app;
    Workspace* ws = nullptr;

    Fixture() {
        rp770::testing::CopyShippedData(folder.path());
        engine.clock = &clock;
        Begin(false);
    }
    // The session with or without the debug switch.
    void Begin(bool debug) {
        app = std::make_unique<AppSession>(program, SessionServices{settings, files, asker}, Switches{debug, false});
        EXPECT_TRUE(app->Start().Ok());
        app->SetLink(&engine);
        ws = &app->workspace();
    }
    std::unique_ptr<TransferDialog> Make(TransferMode mode, bool debug = false) {
        if (debug != app->switches().debugMode) Begin(debug);
        return std::make_unique<TransferDialog>(mode, *app, prompter, clock);
    }
};

TEST_F(Fixture, LoadShowsTitleInstructionsAndHidesMonitorOutsideDebug) {
    auto dlg = Make(TransferMode::Read);
    EXPECT_EQ(dlg->windowTitle(), "Read from Radio");
    EXPECT_EQ(engine.title, "Read from Radio");
    EXPECT_EQ(dlg->findChild<QLabel*>("lblmess")->text(), TransferDialog::InstructionText());
    EXPECT_TRUE(TransferDialog::InstructionText().endsWith("3.Press the [OK] button to start."));
    EXPECT_EQ(TransferDialog::InstructionText().count("\r\n"), 4);
    EXPECT_TRUE(dlg->findChild<QLabel*>("lblmon")->isHidden());
    EXPECT_EQ(clock.sleeps, 0) << "no monitor pause outside debug mode";
    EXPECT_EQ(dlg->width(), 465);
    auto prog = Make(TransferMode::Program);
    EXPECT_EQ(prog->windowTitle(), "Program to Radio");
}

// The radio stands left of the PC for a read and right of it for
// programming; either way the cable runs into the radio's jack, and its
// label lies clear of it.
TEST_F(Fixture, PicturesSwapSidesWithTheModeAndTheCableReachesTheRadio) {
    for (const TransferMode mode : {TransferMode::Read, TransferMode::Program}) {
        auto dlg = Make(mode);
        auto* radio = dynamic_cast<RadioPicture*>(dlg->findChild<QWidget*>("pictHandy"));
        auto* cable = dynamic_cast<CablePicture*>(dlg->findChild<QWidget*>("pictB"));
        ASSERT_TRUE(radio && cable);
        EXPECT_EQ(radio->x() < cable->x(), mode == TransferMode::Read);
        const QPointF end = cable->mapTo(dlg.get(), cable->Cable().currentPosition().toPoint());
        const QPointF jack = radio->mapTo(dlg.get(), radio->Jack().toPoint());
        EXPECT_LE(QLineF(end, jack).length(), 1.0) << int(mode);
        QPainterPathStroker stroke;
        stroke.setWidth(2.5);
        EXPECT_FALSE(stroke.createStroke(cable->Cable()).intersects(cable->LabelRect())) << int(mode);
        EXPECT_TRUE(QRectF(cable->rect()).contains(cable->LabelRect())) << int(mode);
        EXPECT_TRUE(dlg->rect().contains(radio->geometry() | cable->geometry())) << int(mode);
    }
}

TEST_F(Fixture, DebugModeShowsMonitorTextsWithPauses) {
    auto dlg = Make(TransferMode::Read, true);
    EXPECT_FALSE(dlg->findChild<QLabel*>("lblmon")->isHidden());
    EXPECT_EQ(dlg->findChild<QLabel*>("lblmon")->text(), "starting at debug mode..");
    engine.syncResult = false;
    dlg->OkClicked();
    EXPECT_EQ(dlg->findChild<QLabel*>("lblmon")->text(), "can not syncing!!");
    EXPECT_EQ(clock.sleeps, 3) << "starting, startsync, can not syncing";
}

TEST_F(Fixture, CancelBeforeOkCloses) {
    auto dlg = Make(TransferMode::Read);
    dlg->show();
    dlg->CancelClicked();
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
    EXPECT_EQ(engine.reads, 0);
}

TEST_F(Fixture, SuccessfulReadClosesAndReportsCompletion) {
    auto dlg = Make(TransferMode::Read);
    dlg->show();
    dlg->OkClicked();
    EXPECT_EQ(engine.reads, 1);
    EXPECT_EQ(ws->UndoAction(), "Read from Radio") << "the read became the data";
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(dlg->progress(), 0) << "the bar goes back to 0 afterwards";
}

TEST_F(Fixture, FailedTransferStaysOpenWithOkEnabled) {
    auto dlg = Make(TransferMode::Read);
    dlg->show();
    engine.commErrorAfter = true;
    dlg->OkClicked();
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_FALSE(ws->CanUndo()) << "a failed read changes nothing";
    EXPECT_FALSE(dlg->transferBusy());
}

TEST_F(Fixture, FailedSyncReenablesButtons) {
    auto dlg = Make(TransferMode::Program);
    dlg->show();
    engine.syncResult = false;
    dlg->OkClicked();
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_TRUE(dlg->findChild<QPushButton*>("cmdOK")->isEnabled());
    EXPECT_TRUE(dlg->findChild<QPushButton*>("cmdHelp")->isEnabled());
    EXPECT_EQ(engine.programs, 0);
}

TEST_F(Fixture, CancelDuringTransferOnlyRaisesTheFlagAndCloseIsRefused) {
    auto dlg = Make(TransferMode::Program);
    dlg->show();
    bool stillOpen = false, busySeen = false;
    engine.commErrorAfter = true;  // a cancelled programming leaves CommError set
    engine.programOutcome = link::ProgramOutcome::Partial;
    engine.during = [&] {
        busySeen = dlg->transferBusy();
        dlg->close();  // the title bar's close box
        stillOpen = dlg->isVisible();
        dlg->CancelClicked();
    };
    dlg->OkClicked();
    EXPECT_TRUE(busySeen);
    EXPECT_TRUE(stillOpen) << "closing is refused while busy";
    EXPECT_TRUE(engine.state.CancelRequested);
    EXPECT_TRUE(dlg->isVisible()) << "a cancelled programming keeps the dialog open";
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, Words(link::kPartlyProgrammed));
    EXPECT_EQ(prompter.boxes[0].title, "Program to Radio");
}

TEST_F(Fixture, ProgrammingEncodesAndFixesTheStartChannelFirst) {
    auto dlg = Make(TransferMode::Program);
    DataSet data = ws->data();
    data.groups[0].Usable = true;
    data.image[0x006] = 0;  // channel mode
    data.image[0x005] = 0;
    data.image[0x007] = 2;  // channel 02 is not in the USA plan
    ws->ReplaceData(data, "test");
    dlg->OkClicked();
    EXPECT_EQ(engine.programs, 1);
    EXPECT_EQ(engine.programmedStartChannel, 1) << "fixed to the first enabled USA channel before sending";
    EXPECT_TRUE(prompter.boxes.empty()) << "a complete programming is not called partial";
}

TEST_F(Fixture, ProgressBarClampsAndMoves) {
    auto dlg = Make(TransferMode::Read);
    auto* bar = dlg->findChild<QFrame*>("pictProgress");
    auto* fill = dlg->findChild<QLabel*>("lblPercent");
    EXPECT_EQ(fill->x(), -bar->width()) << "at 0 the fill sits just left of the box";
    engine.during = [&] {};
    engine.observer->SetProgress(150);
    EXPECT_EQ(dlg->progress(), 100);
    EXPECT_EQ(fill->x(), 0);
}

TEST_F(Fixture, TheActivityLineShowsWhatTheLinkWaitsFor) {
    auto dlg = Make(TransferMode::Read);
    QString seen;
    engine.during = [&] {
        engine.observer->ShowActivity("Waiting for the cable's echo... 12 s");
        seen = dlg->findChild<QLabel*>("lblActivity")->text();
    };
    dlg->OkClicked();
    EXPECT_EQ(seen, "Waiting for the cable's echo... 12 s") << "shown without debug mode too";
}

TEST_F(Fixture, ProgrammingReadsBackWhenVerifying) {
    for (const bool verify : {false, true}) {
        prompter.boxes.clear();
        auto dlg = Make(TransferMode::Program);
        app->SetVerifyAfterProgramming(verify);
        dlg->OkClicked();
        EXPECT_EQ(engine.readBacks, verify ? 1 : 0);
        EXPECT_EQ(!prompter.boxes.empty() && prompter.boxes.back().text.rfind("Verified", 0) == 0, verify);
    }
}

TEST_F(Fixture, TheConnectionTestSaysWhatItFound) {
    auto dlg = Make(TransferMode::Probe);
    EXPECT_EQ(dlg->windowTitle(), "Test Connection");
    dlg->show();
    engine.probeReport = link::ProbeReport{};
    engine.probeReport.result = link::ProbeResult::NoEcho;
    engine.probeReport.port = "/dev/ttyUSB0";
    dlg->OkClicked();
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, engine.probeReport.Text());
    EXPECT_EQ(prompter.boxes[0].title, "Test Connection");
    EXPECT_EQ(prompter.boxes[0].icon, Icon::Warning);
    EXPECT_TRUE(dlg->isVisible()) << "open, to test again once the cable is put right";
    EXPECT_TRUE(dlg->findChild<QPushButton*>("cmdOK")->isEnabled());
    engine.probeReport = {link::ProbeResult::Found, "/dev/ttyUSB0", "", kModelCode318, true};
    dlg->OkClicked();
    EXPECT_EQ(prompter.boxes.back().icon, Icon::Information);
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(engine.reads + engine.programs, 0);
}

TEST_F(Fixture, HelpShowsTheShippedText) {
    std::filesystem::copy_file(std::filesystem::path(rp770::testing::ShippedDataFolder()) / "rp770-help.html",
                               folder / "rp770-help.html");
    auto dlg = Make(TransferMode::Read);
    dlg->show();
    dlg->HelpClicked();
    EXPECT_TRUE(prompter.boxes.empty());
    auto* viewer = dlg->findChild<QDialog*>("frmHelp");
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    auto* text = viewer->findChild<QTextBrowser*>("txtHelp");
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->toPlainText().contains("PC CONTROL"));
    EXPECT_TRUE(text->toPlainText().contains("dialout"));
}

TEST_F(Fixture, HelpSaysThereIsNone) {
    auto dlg = Make(TransferMode::Read);
    dlg->HelpClicked();
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, "Unable to display Help Contents. There is no Help associated with this project.");
    EXPECT_EQ(prompter.boxes[0].title, "Read from Radio");
    EXPECT_EQ(prompter.boxes[0].icon, Icon::Information);
}

}  // namespace
}  // namespace rp770::ui
