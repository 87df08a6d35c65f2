// The channel editor: switches, display characters, frequencies, and the
// checks that keep a bad entry from being left behind.
#include "EditorFixture.h"

#include "ui/ChannelEditorPanel.h"
#include "ui/PresentationNames.h"
#include "ui/LineWidget.h"
#include "ui/Tr.h"

namespace rp770::ui::test {
namespace {

class ChannelEditor : public EditorFixture {
protected:
    void Adjust(DataSet& d) override {
        d.groups[GroupEXP].Usable = true;
        d.exp[1].Enable = true;
        d.exp[1].CHDisplayL = "E1";
        d.exp[1].Rxfreq = 156.050;
    }
    const ChannelRecord& Usa(int slot) const { return Data().plan(PlanUSA)[static_cast<size_t>(slot)]; }
    LineWidget* Line(const char* name) const { return Find<LineWidget>(name); }
    QString NodeText(const QString& key) const { return Tree()->FindByKey(key)->text(0); }
};

constexpr int kCh15 = 28, kCh16 = 30, kCh24 = 46;

TEST_F(ChannelEditor, ReceiveOnlyChannel) {
    Select("PU 28");
    EXPECT_EQ(Edit("txtCN(0)")->text(), "15");
    EXPECT_EQ(Edit("txtCRF")->text(), "156.750");
    EXPECT_EQ(Edit("txtCTF")->text(), "---.---");
    EXPECT_FALSE(Box("chkCTXEnable")->isChecked());
    EXPECT_FALSE(Box("chkCTXEnable")->isEnabled());
    EXPECT_FALSE(Box("chkCTXOnly")->isEnabled());
    EXPECT_FALSE(Usa(kCh15).TxEnable);
    // Regular channels show their fixed data read-only.
    for (const char* name : {"txtCN(0)", "txtCN(1)", "txtCRF", "txtCTF"}) EXPECT_TRUE(Edit(name)->isReadOnly()) << name;
    EXPECT_TRUE(Box("chkCTXEnable")->isVisibleTo(pane->ChannelEditor()));
    EXPECT_TRUE(Box("chkCDup")->isVisibleTo(pane->ChannelEditor()));
}

TEST_F(ChannelEditor, TransmitChain) {
    Select("PU 30");
    QCheckBox* tx = Box("chkCTXEnable");
    QCheckBox* low = Box("chkCTXOnly");
    QCheckBox* up = Box("chkCTXPower");
    ASSERT_TRUE(tx->isChecked());
    EXPECT_TRUE(low->isEnabled());
    EXPECT_FALSE(up->isEnabled());  // only while "Low Power Only" is ticked
    EXPECT_EQ(Line("linCTXPower")->Colour(), InactiveLineColour(pane));

    Click(low);
    EXPECT_TRUE(Usa(kCh16).LowPower);
    EXPECT_TRUE(up->isEnabled());
    EXPECT_EQ(Line("linCTXPower")->Colour(), ActiveLineColour(pane));
    Click(up);
    EXPECT_TRUE(Usa(kCh16).PowUp);
    EXPECT_TRUE(Changed());

    Click(tx);
    EXPECT_FALSE(Usa(kCh16).TxEnable);
    EXPECT_FALSE(low->isEnabled());
    EXPECT_FALSE(up->isEnabled());
    EXPECT_TRUE(low->isChecked());  // values are kept
    EXPECT_EQ(Line("linCTXOnly")->Colour(), InactiveLineColour(pane));
    EXPECT_EQ(Line("linCTXPower")->Colour(), InactiveLineColour(pane));

    // The keyboard works as well: space toggles the focused box.
    tx->setFocus(Qt::TabFocusReason);
    QTest::keyClick(tx, Qt::Key_Space);
    EXPECT_TRUE(Usa(kCh16).TxEnable);
    EXPECT_TRUE(up->isEnabled());
    EXPECT_EQ(LastHint(), Tr(texts::kCheckBoxHint));
}

TEST_F(ChannelEditor, ChannelEnableAndDuplex) {
    Select("PU 30");
    QCheckBox* enable = Box("chkCEnable");
    QCheckBox* dup = Box("chkCDup");
    ASSERT_TRUE(dup->isEnabled());  // channel 16's slot may be used duplex
    Click(enable);
    EXPECT_FALSE(Usa(kCh16).Enable);
    EXPECT_EQ(NodeText("PU 30"), "CH16");
    EXPECT_FALSE(dup->isEnabled());
    EXPECT_FALSE(Edit("txtCRF")->isEnabled());
    EXPECT_FALSE(Box("chkCScan")->isEnabled());
    EXPECT_FALSE(Box("chkCTXEnable")->isEnabled());
    EXPECT_TRUE(enable->hasFocus());
    EXPECT_TRUE(Changed());

    Click(enable);
    EXPECT_TRUE(Usa(kCh16).Enable);
    EXPECT_EQ(NodeText("PU 30"), "CH16[Enable]");
    EXPECT_TRUE(Box("chkCScan")->isEnabled());
    EXPECT_FALSE(dup->isEnabled());  // stays off until the editor is loaded again

    Select("PU 32");
    Select("PU 30");
    EXPECT_TRUE(dup->isEnabled());
}

TEST_F(ChannelEditor, DuplexSwitchesTheReceiveFrequency) {
    Select("PU 46");
    EXPECT_EQ(Edit("txtCRF")->text(), "161.800");
    Click(Box("chkCDup"));
    EXPECT_FALSE(Usa(kCh24).Duplex);
    EXPECT_EQ(Edit("txtCRF")->text(), "157.200");
    // A slot that is never duplex has the box greyed.
    Select("PU 31");
    EXPECT_FALSE(Box("chkCDup")->isEnabled());
}

TEST_F(ChannelEditor, ScanMemory) {
    Select("PU 30");
    Click(Box("chkCScan"));
    EXPECT_TRUE(Usa(kCh16).ScanMemory);
}

TEST_F(ChannelEditor, ExpArrangement) {
    Select("E 1");
    for (const char* name : {"txtCN(0)", "txtCN(1)", "txtCRF", "txtCTF"}) EXPECT_FALSE(Edit(name)->isReadOnly()) << name;
    EXPECT_FALSE(Box("chkCTXEnable")->isVisibleTo(pane->ChannelEditor()));
    EXPECT_FALSE(Box("chkCDup")->isVisibleTo(pane->ChannelEditor()));
    EXPECT_EQ(Edit("txtCN(0)")->text(), "E1");
    EXPECT_EQ(Edit("txtCRF")->text(), "156.0500");
    EXPECT_EQ(Edit("txtCTF")->text(), "---.----");
    Click(Box("chkCEnable"));
    EXPECT_FALSE(Data().exp[1].Enable);
    EXPECT_EQ(NodeText("E 1"), "EXP1");
}

TEST_F(ChannelEditor, FrequencyEntriesAcceptedOrRefused) {
    Select("E 1");
    QLineEdit* rx = Edit("txtCRF");
    QCheckBox* scan = Box("chkCScan");
    const struct { const char* typed; bool ok; double stored; const char* shown; } cases[] = {
        {"156.025", true, 156.025, "156.0250"}, {"", true, 0, "---.----"}, {"137", true, 137, "137.0000"},
        {"156.0125", false, 0, nullptr},         {"136.9", false, 0, nullptr}, {"174.5", false, 0, nullptr},
        {"157,025", true, 157.025, "157.0250"},  // a typed comma is the decimal point
    };
    for (const auto& c : cases) {
        // Off, so that no frequency is a value like any other (an enabled
        // channel keeps one: the workspace refuses the edit).
        Alter([](DataSet& d) {
            d.exp[1].Rxfreq = 160.0;
            d.exp[1].Enable = false;
        });
        prompter.boxes.clear();
        TypeInto(rx, c.typed);
        if (QString(c.typed).isEmpty()) rx->clear();
        ClickFocus(scan);  // moving on to another control checks the entry
        if (c.ok) {
            EXPECT_TRUE(prompter.boxes.empty()) << c.typed;
            EXPECT_DOUBLE_EQ(Data().exp[1].Rxfreq, c.stored) << c.typed;
            EXPECT_EQ(rx->text(), c.shown) << c.typed;
            EXPECT_TRUE(scan->hasFocus()) << c.typed;
        } else {
            ASSERT_EQ(prompter.boxes.size(), 1u) << c.typed;
            EXPECT_EQ(prompter.boxes[0].text, FrequencyRefusal(true).Shown());
            EXPECT_EQ(prompter.boxes[0].title, "Rx frequency");
            EXPECT_EQ(prompter.boxes[0].icon, Icon::Warning);
            EXPECT_TRUE(rx->hasFocus()) << c.typed;
            EXPECT_EQ(rx->text(), c.typed);
            EXPECT_DOUBLE_EQ(Data().exp[1].Rxfreq, 160.0) << c.typed;
            // Put a good value in so that the next case starts clean.
            rx->selectAll();
            QTest::keyClicks(rx, "160");
            ClickFocus(scan);
        }
    }
}

TEST_F(ChannelEditor, TransmitFrequencyHasItsOwnTitle) {
    Select("E 1");
    TypeInto(Edit("txtCTF"), "175");
    EXPECT_EQ(LastHint(), "Tx frequency");
    ClickFocus(Edit("txtCRF"));
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].title, "Tx frequency");
    EXPECT_TRUE(Edit("txtCTF")->hasFocus());
}

TEST_F(ChannelEditor, FrequencyKeyFilter) {
    Select("E 1");
    QLineEdit* rx = Edit("txtCRF");
    TypeInto(rx, "1a5-6.x0 25");
    EXPECT_EQ(rx->text(), "156.025");
}

TEST_F(ChannelEditor, ARefusedEntryEatsTheClickThatWouldLeaveIt) {
    Select("E 1");
    TypeInto(Edit("txtCRF"), "136.9");
    QCheckBox* scan = Box("chkCScan");
    const bool before = scan->isChecked();
    Click(scan);
    EXPECT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(scan->isChecked(), before);
    EXPECT_TRUE(Edit("txtCRF")->hasFocus());
    EXPECT_FALSE(Data().exp[1].ScanMemory);
}

TEST_F(ChannelEditor, LeavingTheEditorWithABadFrequencyIsRefused) {
    Select("E 1");
    TypeInto(Edit("txtCRF"), "156.0125");
    ClickNode("Common");
    ASSERT_EQ(prompter.boxes.size(), 1u);  // one message, not two
    EXPECT_EQ(prompter.boxes[0].text, FrequencyRefusal(true).Shown());
    EXPECT_EQ(prompter.boxes[0].title, "Rx frequency");
    EXPECT_EQ(SelectedKey(), "E 1");
    EXPECT_EQ(pane->CurrentPanel(), pane->ChannelEditor());
    EXPECT_TRUE(Edit("txtCRF")->hasFocus());
    EXPECT_DOUBLE_EQ(Data().exp[1].Rxfreq, 156.050);
    // Any other command that uses the data is refused the same way.
    EXPECT_FALSE(pane->CommitPendingInput());
    // Corrected, the way is free.
    Edit("txtCRF")->selectAll();
    QTest::keyClicks(Edit("txtCRF"), "156.075");
    ClickNode("Common");
    EXPECT_EQ(SelectedKey(), "Common");
    EXPECT_DOUBLE_EQ(Data().exp[1].Rxfreq, 156.075);
}

TEST_F(ChannelEditor, GoodEntryIsTakenWhenTheTreeGetsTheFocus) {
    Select("E 1");
    TypeInto(Edit("txtCRF"), "156.1");
    ClickFocus(Tree());
    EXPECT_TRUE(prompter.boxes.empty());
    EXPECT_DOUBLE_EQ(Data().exp[1].Rxfreq, 156.1);
    EXPECT_EQ(Edit("txtCRF")->text(), "156.1000");
}

TEST_F(ChannelEditor, TwoBadEntriesAreRefusedOneAtATime) {
    Select("E 1");
    QLineEdit* rx = Edit("txtCRF");
    QLineEdit* tx = Edit("txtCTF");
    TypeInto(rx, "136.9");
    ClickFocus(Tree());  // the bad entry waits for the check on leaving
    EXPECT_TRUE(prompter.boxes.empty());
    TypeInto(tx, "180");
    Click(rx);
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].title, "Tx frequency");
    EXPECT_TRUE(tx->hasFocus());
    EXPECT_FALSE(pane->CommitPendingInput());
    ASSERT_EQ(prompter.boxes.size(), 2u);
    EXPECT_EQ(prompter.boxes[1].title, "Rx frequency");
    EXPECT_TRUE(rx->hasFocus());
    EXPECT_DOUBLE_EQ(Data().exp[1].Rxfreq, 156.050);
    EXPECT_DOUBLE_EQ(Data().exp[1].Txfreq, 0);
}

TEST_F(ChannelEditor, FocusTakenAwayKeepsABadEntryQuietly) {
    Select("E 1");
    QLineEdit* rx = Edit("txtCRF");
    TypeInto(rx, "136.9");
    rx->clearFocus();
    QApplication::processEvents();
    EXPECT_TRUE(prompter.boxes.empty());
    EXPECT_EQ(rx->text(), "136.9");
    EXPECT_DOUBLE_EQ(Data().exp[1].Rxfreq, 156.050);
}

TEST_F(ChannelEditor, EnabledExpChannelNeedsFrequencyAndDisplay) {
    Select("E 2");
    Click(Box("chkCEnable"));
    EXPECT_TRUE(Data().exp[2].Enable);
    EXPECT_FALSE(pane->CommitPendingInput());
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, std::string("Data Error!!\nPlease input correct data.\n") + kIncompleteExpRule);
    EXPECT_EQ(prompter.boxes[0].title, "PC Program for MR318");
    EXPECT_EQ(prompter.boxes[0].icon, Icon::Warning);
    ClickNode("E 1");
    EXPECT_EQ(SelectedKey(), "E 2");

    TypeInto(Edit("txtCRF"), "156.8");
    ClickFocus(Box("chkCScan"));
    prompter.boxes.clear();
    EXPECT_FALSE(pane->CommitPendingInput());  // still no display characters
    TypeInto(Edit("txtCN(0)"), "12");
    EXPECT_TRUE(pane->CommitPendingInput());
    EXPECT_EQ(Data().exp[2].CHDisplayL, "12");
}

TEST_F(ChannelEditor, DisplayCharacters) {
    Select("E 1");
    QLineEdit* left = Edit("txtCN(0)");
    QLineEdit* right = Edit("txtCN(1)");
    TypeInto(left, "K");  // the box still holds "E1": K only goes first into an empty box
    EXPECT_EQ(left->text(), "E1");
    left->clear();
    QTest::keyClicks(left, "K");
    EXPECT_EQ(left->text(), "K");
    EXPECT_EQ(LastHint(), Tr(texts::kDisplayLeftHint));
    QTest::keyClicks(left, "K");  // not as the second character
    EXPECT_EQ(left->text(), "K");
    QTest::keyClicks(left, "b");
    EXPECT_EQ(left->text(), "Kb");
    EXPECT_EQ(Data().exp[1].CHDisplayL, "E1") << "taken when the box is left, not per key";
    TypeInto(right, "M");  // nor in the right box
    EXPECT_EQ(Data().exp[1].CHDisplayL, "Kb");
    EXPECT_EQ(ws->UndoAction(), "CH Display EXP1");
    EXPECT_EQ(right->text(), "");
    EXPECT_EQ(LastHint(), Tr(texts::kDisplayRightHint));
    QTest::keyClicks(right, "y");
    QTest::keyClick(right, Qt::Key_Return);  // Enter takes it too
    EXPECT_EQ(Data().exp[1].CHDisplayR, "y");
    ClickFocus(left);
    left->clear();
    QTest::keyClicks(left, "5");
    EXPECT_TRUE(pane->HasPendingInput());
    EXPECT_TRUE(pane->CommitPendingInput());
    EXPECT_EQ(Data().exp[1].CHDisplayL, " 5");
    // Pasted text keeps only what the radio can show.
    left->clear();
    left->insert("Z9");
    EXPECT_EQ(left->text(), "9");
}

}  // namespace
}  // namespace rp770::ui::test
