// The tree, panel switching and the data-changed state.
#include "EditorFixture.h"

#include "ui/ChannelEditorPanel.h"
#include "ui/ChannelGrid.h"
#include "ui/ChannelListPanel.h"
#include "ui/EditorContext.h"
#include "ui/PresentationNames.h"
#include "ui/GeneralPanel.h"
#include "ui/Tr.h"

namespace rp770::ui::test {
namespace {

using Navigation = EditorFixture;

TEST_F(Navigation, StartsOnGeneralWithNoShownNode) {
    EXPECT_EQ(SelectedKey(), "General");
    EXPECT_EQ(pane->CurrentPanel(), pane->General());
    EXPECT_EQ(pane->ShownNodeIndex(), -1);
    EXPECT_FALSE(Changed());
    // Factory data: USA, INT and CAN usable, EXP not; the model has weather channels.
    for (const char* key : {"General", "Common", "Program", "PU", "PI", "PC", "PW", "PU 113", "PC 0"})
        EXPECT_NE(Tree()->FindByKey(key), nullptr) << key;
    EXPECT_EQ(Tree()->FindByKey("ExpChannel"), nullptr);
    EXPECT_EQ(Tree()->NodeCount(), 3 + 3 * 115 + 1);
}

TEST_F(Navigation, KeysAreCaseSensitiveOnlyForSelection) {
    Select("Program");
    EXPECT_FALSE(pane->SelectNodeByKey("general"));
    EXPECT_EQ(SelectedKey(), "Program");
    EXPECT_EQ(pane->CurrentPanel(), pane->GreyPanel());
    EXPECT_TRUE(pane->SelectNodeByKey("General"));
    EXPECT_EQ(pane->CurrentPanel(), pane->General());
}

TEST_F(Navigation, EachNodeShowsItsPanel) {
    const struct { const char* key; const char* panel; } cases[] = {
        {"General", "pictGeneral"}, {"Common", "pictCommon"}, {"Program", "pictGrey"}, {"PU", "pictB"},
        {"PI 30", "pictC"},         {"PW", "pictD"},          {"PC", "pictB"},
    };
    for (const auto& c : cases) {
        Select(c.key);
        ASSERT_NE(pane->CurrentPanel(), nullptr) << c.key;
        EXPECT_EQ(pane->CurrentPanel()->objectName(), c.panel) << c.key;
        EXPECT_EQ(pane->ShownNodeIndex(), Tree()->IndexOf(Tree()->FindByKey(c.key))) << c.key;
        EXPECT_EQ(LastHint(), Tr(texts::kTreeHint));
        // Exactly one panel is enabled.
        int enabled = 0;
        for (QWidget* p : pane->DataArea()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            enabled += OwnEnabled(p) ? 1 : 0;
        EXPECT_EQ(enabled, 1) << c.key;
    }
}

TEST_F(Navigation, ShowingPanelsNeverCountsAsAnEdit) {
    for (bool before : {false, true}) {
        if (before) Alter([](DataSet& d) { d.common.DualWatch = !d.common.DualWatch; });
        for (const char* key : {"Common", "PU", "PU 30", "PU 28", "PW", "PI", "General"}) {
            Select(key);
            EXPECT_EQ(Changed(), before) << key;
        }
    }
}

TEST_F(Navigation, SelectingTheShownNodeDoesNotRefill) {
    Select("PU");
    const int rows = pane->ChannelList()->Grid()->rowCount();
    Alter([](DataSet& d) {
        d.plan(PlanUSA)[0].Enable = true;  // changed behind the screen's back
    });
    Select("PU");
    EXPECT_EQ(pane->ChannelList()->Grid()->rowCount(), rows);
    pane->ReshowSelectedNode();
    EXPECT_EQ(pane->ChannelList()->Grid()->rowCount(), rows + 1);
    EXPECT_FALSE(pane->Context().Filling());
}

TEST_F(Navigation, UserClicksMoveBetweenScreens) {
    ClickNode("Program");
    EXPECT_EQ(pane->CurrentPanel(), pane->GreyPanel());
    ClickNode("General");
    EXPECT_EQ(pane->CurrentPanel(), pane->General());
    // After re-initialisation the shown node is forgotten: clicking the
    // selected node shows its panel again.
    pane->ShowGeneralAfterReset();
    pane->DisableAllPanels();
    ClickNode("General");
    EXPECT_EQ(pane->CurrentPanel(), pane->General());
}

TEST_F(Navigation, TreeFocusShowsTheTreeHint) {
    Select("PU");
    ClickFocus(pane->ChannelList()->Grid());
    hints.clear();
    ClickFocus(Tree());
    EXPECT_EQ(LastHint(), Tr(texts::kTreeHint));
}

TEST_F(Navigation, KeyboardMovesThroughTreeAndPanel) {
    Select("PU");
    ClickFocus(Tree());
    QTest::keyClick(Tree(), Qt::Key_Tab);
    EXPECT_TRUE(pane->ChannelList()->Grid()->hasFocus());
    QTest::keyClick(pane->ChannelList()->Grid(), Qt::Key_Tab);
    EXPECT_TRUE(Tree()->hasFocus());
    // Arrow keys in the tree walk the screens.
    QTest::keyClick(Tree(), Qt::Key_Up);
    EXPECT_EQ(SelectedKey(), "Program");
    EXPECT_EQ(pane->CurrentPanel(), pane->GreyPanel());
    Select("PU 30");
    ClickFocus(Tree());
    QTest::keyClick(Tree(), Qt::Key_Tab);
    EXPECT_TRUE(Box("chkCEnable")->hasFocus());
}

TEST_F(Navigation, ReshowSelectedNodeRefillsAfterTheDataChanged) {
    Select("PU");
    Alter([](DataSet& d) {
        d.plan(PlanUSA)[0].Enable = true;
    });
    pane->ReshowSelectedNode();
    EXPECT_EQ(pane->ChannelList()->Grid()->rowCount(), 52);
    EXPECT_FALSE(pane->Context().Filling());
}

TEST_F(Navigation, RebuildKeepsTheUsersView) {
    Select("PI 30");
    Tree()->FindByKey("PC")->setExpanded(true);
    Alter([](DataSet& d) {
        d.groups[PlanUSA].Usable = false;
    });
    pane->BuildTree();
    EXPECT_EQ(Tree()->FindByKey("PU"), nullptr);
    EXPECT_EQ(SelectedKey(), "PI 30");
    EXPECT_EQ(pane->ShownNodeIndex(), Tree()->IndexOf(Tree()->FindByKey("PI 30")));
    EXPECT_TRUE(Tree()->FindByKey("PC")->isExpanded());
    EXPECT_TRUE(Tree()->FindByKey("PI")->isExpanded());  // the user had it open
    // A rebuild opens nothing by itself.
    Tree()->FindByKey("PI")->setExpanded(false);
    pane->BuildTree();
    EXPECT_FALSE(Tree()->FindByKey("PI")->isExpanded());
    EXPECT_EQ(SelectedKey(), "PI 30");
}

TEST_F(Navigation, ReinitialisationPreparesEveryPanel) {
    Select("PU 30");
    Alter([](DataSet& d) {
        d.plan(PlanUSA)[30].Enable = false;
    });
    const bool changedBefore = Changed();
    {
        FillingGuard filling(pane->Context());
        pane->ReinitialisePanels();
    }
    EXPECT_EQ(SelectedKey(), "General");
    EXPECT_EQ(pane->ShownNodeIndex(), -1);
    EXPECT_EQ(LastHint(), QString());
    EXPECT_EQ(Tree()->FindByKey("PU 30")->text(0), "CH16");
    EXPECT_EQ(pane->ChannelList()->Grid()->rowCount(), 50);  // the first USA fill
    EXPECT_EQ(Changed(), changedBefore);
}

}  // namespace
}  // namespace rp770::ui::test
