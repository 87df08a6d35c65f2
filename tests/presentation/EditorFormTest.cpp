// The channel editor's form: typed entries finished or kept waiting, and the
// check on leaving, which stops only a channel the user made incomplete.
#include "presentation/EditorForm.h"

#include <gtest/gtest.h>

#include <functional>

#include "desktop/DiskFiles.h"
#include "files/DatWriter.h"
#include "files/MemorySettingsStore.h"
#include "files/TestFolder.h"
#include "presentation/EditorTexts.h"
#include "session/AppSession.h"

namespace rp770::presentation {
namespace {

struct YesAsker : Asker {
    int saveFilesAsked = 0;
    Answer Ask(const Question&) override { return Answer::Yes; }
    std::optional<std::string> ChooseSaveFile() override {
        ++saveFilesAsked;
        return std::nullopt;
    }
};

// The USA factory data with EXP1 enabled and complete, EXP2 off and empty,
// and EXP3 enabled without frequency or number, as a file may hold it.
struct FormTest : ::testing::Test {
    rp770::testing::TestFolder folder;
    MemorySettingsStore settings;
    YesAsker asker;
    DiskFiles files;
    FolderProgramData program{folder.str()};
    AppSession app{program, {settings, files, asker}};
    Workspace& ws = app.workspace();
    EditorForm form{ws};

    void SetUp() override {
        rp770::testing::CopyShippedData(folder.path());
        settings.Set("IniFilePath", "IniFileName_1", "USA");
        ASSERT_TRUE(app.Start().Ok());
        DataSet d = ws.data();
        d.groups[GroupEXP].Usable = true;
        d.exp[1].Enable = true;
        d.exp[1].CHDisplayL = "E1";
        d.exp[1].Rxfreq = 156.050;
        d.exp[3].Enable = true;
        ASSERT_TRUE(ws.OpenDat(FormatSettingsText(d), folder / "opened.dat").Ok());  // only a file brings one
    }
    const ChannelRecord& Exp(int n) const { return ws.data().exp[static_cast<size_t>(n)]; }
};

TEST_F(FormTest, LeavingStopsOnlyAChannelTheUserMadeIncomplete) {
    struct Case {
        const char* what;
        int channel;
        std::function<void(EditorForm&)> act;
        std::optional<EditorBox> stop;  // where leaving puts the focus; none: it may be left
    };
    const Case cases[] = {
        {"opened incomplete, untouched", 3, [](EditorForm&) {}, std::nullopt},
        {"opened incomplete, another switch", 3, [](EditorForm& f) { (void)f.SetSwitch(ChannelFlag::Scan, true); },
         std::nullopt},
        {"opened incomplete, number typed", 3, [](EditorForm& f) { f.Type(EditorBox::DisplayLeft, "12"); }, EditorBox::Rx},
        {"switched on here", 2, [](EditorForm& f) { (void)f.SetSwitch(ChannelFlag::Enable, true); }, EditorBox::Rx},
        {"switched on and completed", 2,
         [](EditorForm& f) {
             (void)f.SetSwitch(ChannelFlag::Enable, true);
             f.Type(EditorBox::Rx, "156.8");
             f.Type(EditorBox::DisplayLeft, "12");
         },
         std::nullopt},
        {"switched on, undone and redone: the unfinished switch is gone for good", 2,
         [this](EditorForm& f) {
             (void)f.SetSwitch(ChannelFlag::Enable, true);
             ws.Undo();
             f.Reload();
             ws.Redo();
             f.Reload();
         },
         std::nullopt},
        {"opened incomplete, number typed and undone", 3,
         [this](EditorForm& f) {
             f.Type(EditorBox::DisplayLeft, "12");
             (void)f.Commit(false);
             ws.Undo();
             f.Reload();
         },
         std::nullopt},
        {"opened incomplete, switched off", 3, [](EditorForm& f) { (void)f.SetSwitch(ChannelFlag::Enable, false); },
         std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(form.Load({Area::EXP, c.channel}));
        c.act(form);
        EXPECT_EQ(form.Unfinished(), c.stop.has_value() || form.HasTypedText());
        EXPECT_FALSE(form.Commit(false)) << "an undo is never stopped by the channel";
        const auto stop = form.Commit(true);
        ASSERT_EQ(stop.has_value(), c.stop.has_value());
        EXPECT_FALSE(form.HasTypedText());
        if (stop) {
            EXPECT_EQ(stop->box, *c.stop);
            EXPECT_TRUE(stop->message.Is(MessageId::DataErrorInputCorrect)) << stop->message.text;
            EXPECT_TRUE(form.Unfinished()) << "still unfinished until mended";
        }
        while (ws.CanUndo() && ws.modified()) ws.Undo();
    }
}

TEST_F(FormTest, ClosingWithYesRunsTheCheckOnLeaving) {
    ASSERT_TRUE(form.Load({Area::EXP, 2}));
    ASSERT_FALSE(form.SetSwitch(ChannelFlag::Enable, true));
    ASSERT_FALSE(form.HasTypedText());
    // As the front ends hand their input to Close and Quit.
    const PendingInput pending{form.Unfinished(), [&] { return !form.Commit(true); }};
    const Outcome outcome = app.ConfirmDiscard(&pending);
    EXPECT_TRUE(outcome.Cancelled());
    EXPECT_EQ(asker.saveFilesAsked, 0) << "nothing saved";
    EXPECT_TRUE(Exp(2).Enable);
}

TEST_F(FormTest, AFrequencyIsTakenOrWaitsByWhereTheFocusWent) {
    struct Case {
        const char* typed;
        FocusTo to;
        bool taken;
        bool refused;  // said at once, the focus kept
    };
    const Case cases[] = {
        {"156.1", FocusTo::Editor, true, false},   {"136.9", FocusTo::Editor, false, true},
        {"156.1", FocusTo::Tree, true, false},     {"136.9", FocusTo::Tree, false, false},
        {"156.1", FocusTo::Elsewhere, true, false}, {"156.0125", FocusTo::Elsewhere, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " to " + std::to_string(static_cast<int>(c.to)));
        ASSERT_TRUE(form.Load({Area::EXP, 1}));
        form.Type(EditorBox::Tx, c.typed);
        const auto stop = form.Finish(EditorBox::Tx, c.to);
        EXPECT_EQ(stop.has_value() && stop->entryRefused && stop->box == EditorBox::Tx, c.refused);
        EXPECT_EQ(form.Typed(EditorBox::Tx), !c.taken);
        EXPECT_EQ(Exp(1).Txfreq > 0, c.taken);
        EXPECT_EQ(form.View()->tx.text, c.taken ? "156.1000" : c.typed);
        // A waiting entry is refused by the next command's check.
        const auto later = form.Commit(true);
        EXPECT_EQ(later.has_value(), !c.taken);
        form.Reload();
        while (ws.CanUndo() && ws.modified()) ws.Undo();
    }
}

TEST_F(FormTest, TheDisplayTypedAsOneCellFillsBothBoxes) {
    // The cell holds the left two right-aligned, then the right one; a
    // letter that only leads (K) may stand only first on the left.
    struct Case {
        const char* typed;
        const char* kept;
        const char* left;  // as stored
        const char* right;
        const char* cell;  // as the cell shows it next
    };
    const Case cases[] = {
        {"16A", "16A", "16", "A", "16A"}, {" KA", " KA", " K", "A", " KA"}, {"K", "K", " K", "", " K"},
        {"1K2", "12", "12", "", "12"},    {"12KA", "12A", "12", "A", "12A"}, {"x9,", "9", " 9", "", " 9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ASSERT_TRUE(form.Load({Area::EXP, 2}));
        EXPECT_EQ(form.TypeCell(EditorBox::DisplayLeft, c.typed), c.kept);
        EXPECT_FALSE(form.Finish(EditorBox::DisplayLeft).has_value());
        EXPECT_EQ(Exp(2).CHDisplayL, c.left);
        EXPECT_EQ(Exp(2).CHDisplayR, c.right);
        EXPECT_FALSE(form.HasTypedText());
        EXPECT_EQ(form.CellText(EditorBox::DisplayLeft), c.cell);
        ws.Undo();
    }
}

TEST_F(FormTest, ACellTakesTheKeysItsBoxesTake) {
    struct Case {
        EditorBox box;
        char32_t key;
        const char* before;
        bool allowed;
    };
    const Case cases[] = {
        {EditorBox::DisplayLeft, U'K', "", true},    {EditorBox::DisplayLeft, U'K', " ", true},
        {EditorBox::DisplayLeft, U'K', "1", false},  {EditorBox::DisplayLeft, U'A', "12", true},
        {EditorBox::DisplayLeft, U'R', "12", false}, {EditorBox::DisplayLeft, U'1', "12A", false},
        {EditorBox::DisplayLeft, U'x', "", false},   {EditorBox::Rx, U',', "156", true},
        {EditorBox::Tx, U'a', "", false},            {EditorBox::Tx, U'7', "15", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EditorForm::CellKeyAllowed(c.box, EditorForm::CellKeyTyped(c.box, c.key), c.before), c.allowed)
            << static_cast<char>(c.key) << " after '" << c.before << "'";
}

TEST_F(FormTest, ARefusedCellEntryStaysTypedUntilDropped) {
    ASSERT_TRUE(form.Load({Area::EXP, 1}));
    const std::string shown = form.CellText(EditorBox::Rx);
    form.TypeCell(EditorBox::Rx, "136.9");
    const auto stop = form.Finish(EditorBox::Rx);
    ASSERT_TRUE(stop.has_value());
    EXPECT_TRUE(stop->entryRefused);
    EXPECT_EQ(stop->box, EditorBox::Rx);
    EXPECT_EQ(form.CellText(EditorBox::Rx), "136.9");
    form.Reload();  // Escape
    EXPECT_EQ(form.CellText(EditorBox::Rx), shown);
    EXPECT_FALSE(ws.modified());
}

}  // namespace
}  // namespace rp770::presentation
