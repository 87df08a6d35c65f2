// The channel list grid: fills, jumps to the editor, wheel.
#include "EditorFixture.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QWheelEvent>

#include "ui/ChannelEditorPanel.h"
#include "ui/ChannelGrid.h"
#include "ui/ChannelListPanel.h"
#include "ui/PresentationNames.h"
#include "ui/Tr.h"

namespace rp770::ui::test {
namespace {

class ChannelList : public EditorFixture {
protected:
    ChannelGrid* Grid() const { return pane->ChannelList()->Grid(); }
    QStringList Row(int row) const {
        QStringList cells;
        // A switch's cell shows its check box; its words are what a screen reader says.
        for (int c = 0; c < Grid()->columnCount(); ++c) {
            const QTableWidgetItem* cell = Grid()->item(row, c);
            const QVariant said = cell ? cell->data(Qt::AccessibleTextRole) : QVariant();
            cells << (said.isValid() ? said.toString() : cell ? cell->text() : "");
        }
        return cells;
    }
    QStringList Headers() const {
        QStringList headers;
        for (int c = 0; c < Grid()->columnCount(); ++c) headers << Grid()->horizontalHeaderItem(c)->text();
        return headers;
    }
    // A click on the check box of a switch's cell.
    void ClickCheckBox(int row, int column) {
        const QRect cell = Grid()->visualRect(Grid()->model()->index(row, column));
        for (int x = cell.left(); x <= cell.right(); ++x)
            if (Grid()->OnCheckBox({x, cell.center().y()})) {
                QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, {x + 2, cell.center().y()});
                return;
            }
        ADD_FAILURE() << "no check box in cell " << row << "," << column;
    }
    int RowOf(const QString& name) const {
        for (int r = 0; r < Grid()->rowCount(); ++r)
            if (Grid()->item(r, 0)->text() == name) return r;
        return -1;
    }
};

TEST_F(ChannelList, PlanWithoutEnabledChannelsShowsTheHeaderOnly) {
    Alter([](DataSet& d) { for (auto& r : d.plan(PlanINT)) r.Enable = false; });
    Select("PI");
    EXPECT_EQ(Grid()->rowCount(), 0);
    EXPECT_EQ(Headers(), (QStringList{"CH", "RX[MHz]", "TX[MHz]", "TX", "LOW", "UP", "DUP", "MEM"}));
}

TEST_F(ChannelList, RegularRowsAndColumnWidths) {
    Select("PU");
    EXPECT_EQ(Grid()->rowCount(), 51);
    EXPECT_EQ(Row(RowOf("16")), (QStringList{"16", "156.800", "156.800", "TX", "---", "--", "---", "---"}));
    EXPECT_EQ(Row(RowOf("15"))[2], "---.---");
    // A grid wider than the design: the columns fill it in the design's proportions.
    const int widths[] = {800, 1000, 1000, 600, 600, 600, 600, 600};
    const double pixelsPerTwip = Grid()->viewport()->width() / 5800.0;
    ASSERT_GT(pixelsPerTwip, 1 / pane->TwipsPerPixelX());
    for (int c = 0; c < 8; ++c) EXPECT_NEAR(Grid()->columnWidth(c), widths[c] * pixelsPerTwip, 1) << c;
    EXPECT_EQ(Grid()->rowHeight(0), qRound(350 / pane->TwipsPerPixelY()));
}

TEST_F(ChannelList, ExpLayout) {
    Alter([](DataSet& d) {
        d.groups[GroupEXP].Usable = true;
        d.exp[4].Enable = true;
        d.exp[4].CHDisplayL = "K";
        d.exp[4].Rxfreq = 156.025;
    });
    pane->BuildTree();
    Select("ExpChannel");
    EXPECT_EQ(Grid()->rowCount(), 20);
    EXPECT_EQ(Headers(), (QStringList{"CH", "ENABLE", "DISP", "RX[MHz]", "TX[MHz]", "LOW", "UP", "MEM"}));
    EXPECT_EQ(Row(3).mid(0, 5), (QStringList{"4", "[Enable]", " K ", "156.0250", "---.----"}));
    EXPECT_EQ(Grid()->columnWidth(2), Grid()->columnWidth(0)) << "DISP as wide as CH";
    EXPECT_NEAR(Grid()->columnWidth(3), Grid()->columnWidth(2) * 1000 / 800.0, 1) << "RX";
}

TEST_F(ChannelList, EnterOpensTheEditorOfTheCurrentRow) {
    Select("PU");
    ClickFocus(Grid());
    EXPECT_EQ(LastHint(), Tr(texts::kGridHint));
    Grid()->setCurrentCell(RowOf("16"), 0);
    QTest::keyClick(Grid(), Qt::Key_Return);
    EXPECT_EQ(SelectedKey(), "PU 30");
    EXPECT_EQ(pane->CurrentPanel(), pane->ChannelEditor());
    EXPECT_EQ(Edit("txtCN(0)")->text(), "16");
}

TEST_F(ChannelList, DoubleClickOpensTheEditorToo) {
    Alter([](DataSet& d) {
        d.groups[GroupEXP].Usable = true;
    });
    pane->BuildTree();
    Select("ExpChannel");
    const QRect cell = Grid()->visualRect(Grid()->model()->index(2, 1));
    QTest::mouseDClick(Grid()->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(SelectedKey(), "E 3");
    EXPECT_TRUE(pane->ChannelEditor()->EditingExp());
}

TEST_F(ChannelList, WheelScrollsOneLineANotch) {
    Select("PU");
    QScrollBar* bar = Grid()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 2);
    const auto wheel = [&](int delta) {
        const QPoint at = Grid()->viewport()->rect().center();
        QWheelEvent event(at, Grid()->viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Grid()->viewport(), &event);
    };
    wheel(-120);
    EXPECT_EQ(bar->value(), 1);
    wheel(-120);
    wheel(-60);  // half a notch: nothing yet
    EXPECT_EQ(bar->value(), 2);
    wheel(-60);
    EXPECT_EQ(bar->value(), 3);
    wheel(120);
    EXPECT_EQ(bar->value(), 2);
}

TEST_F(ChannelList, ManyRowsAtOnceEachChangeOneUndoStep) {
    // Undo shows the data again, as in the main window.
    QObject::connect(events.get(), &WorkspaceEvents::restored, pane, [this] { pane->AfterRestore(); });
    const DataSet before = Data();
    Select("PU");
    ClickFocus(Grid());
    const auto click = [&](const QString& name, Qt::KeyboardModifiers keys) {
        const QRect cell = Grid()->visualRect(Grid()->model()->index(RowOf(name), 7));  // MEM
        QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, keys, cell.center());
    };
    click("06", {});
    click("08", Qt::ShiftModifier);  // 06, 07A, 08
    click("16", Qt::ControlModifier);
    ChannelListPanel* list = pane->ChannelList();
    ASSERT_EQ(list->SelectedChannels().size(), 4u);
    QTest::keyClick(Grid(), Qt::Key_Space);
    for (int slot : {10, 13, 14, 30}) EXPECT_TRUE(Data().plan(PlanUSA)[static_cast<size_t>(slot)].ScanMemory) << slot;
    EXPECT_EQ(ws->UndoAction(), "Scan Memory (4 channels)");
    EXPECT_EQ(Row(RowOf("16"))[7], "MEM");
    EXPECT_EQ(list->SelectedChannels().size(), 4u) << "the selection stays";
    EXPECT_EQ(Grid()->currentRow(), RowOf("16"));
    EXPECT_EQ(Grid()->item(RowOf("16"), 3)->toolTip(), "DISTRESS");

    // Disabled, the channels leave the list; the current row goes to the next channel.
    QMenu* menu = list->BuildContextMenu(window.get());
    EXPECT_FALSE(menu->findChild<QAction*>("mnuListSetEnable")->isEnabled()) << "all are enabled";
    menu->findChild<QAction*>("mnuListClearEnable")->trigger();
    EXPECT_EQ(RowOf("16"), -1);
    EXPECT_EQ(Grid()->item(Grid()->currentRow(), 0)->text(), "17");

    ws->Undo();
    EXPECT_EQ(Grid()->rowCount(), 51);
    ws->Undo();
    EXPECT_TRUE(Data() == before);
    EXPECT_EQ(Row(RowOf("16"))[7], "---");
}

TEST_F(ChannelList, AChangeOfOneChannelShowsAtOnce) {
    Select("PU");
    ClickFocus(Grid());
    Grid()->setCurrentCell(RowOf("16"), 7);  // MEM
    QTest::keyClick(Grid(), Qt::Key_Space);
    ASSERT_TRUE(Data().plan(PlanUSA)[30].ScanMemory);
    EXPECT_EQ(Row(RowOf("16"))[7], "MEM");
    pane->ChannelList()->BuildContextMenu(window.get())->findChild<QAction*>("mnuListClearScan")->trigger();
    EXPECT_EQ(Row(RowOf("16"))[7], "---");
    EXPECT_EQ(Grid()->currentRow(), RowOf("16")) << "the place stays";
}

TEST_F(ChannelList, AnExpChannelWithoutFrequencyIsNotEnabledFromTheList) {
    Alter([](DataSet& d) { d.groups[GroupEXP].Usable = true; });
    pane->BuildTree();
    Select("ExpChannel");
    ClickFocus(Grid());
    Grid()->setCurrentCell(2, 1);  // EXP 3 (no frequency, no number), ENABLE
    QTest::keyClick(Grid(), Qt::Key_Space);
    EXPECT_FALSE(Data().exp[3].Enable);
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, std::string("Not enabled: EXP3.\n") + kIncompleteExpRule);
    EXPECT_EQ(ws->UndoAction(), "test") << "no step";
}

TEST_F(ChannelList, CellsAreSwitchedAndTypedInAsInTheEditor) {
    QObject::connect(events.get(), &WorkspaceEvents::restored, pane, [this] { pane->AfterRestore(); });
    Alter([](DataSet& d) {
        d.groups[GroupEXP].Usable = true;
        d.exp[4].Enable = true;
        d.exp[4].CHDisplayL = "K";
        d.exp[4].Rxfreq = 156.025;
    });
    pane->BuildTree();
    Select("ExpChannel");
    ClickFocus(Grid());
    const int row = 3, mem = 7, rx = 3, tx = 4;  // EXP4
    const auto checked = [&] { return Grid()->item(row, mem)->checkState() == Qt::Checked; };

    // A tick in a switch's cell: that channel's switch, as one undo step.
    ASSERT_FALSE(checked());
    ClickCheckBox(row, mem);
    EXPECT_TRUE(Data().exp[4].ScanMemory);
    EXPECT_TRUE(checked());
    EXPECT_EQ(ws->UndoAction(), "Scan Memory EXP4");
    ws->Undo();
    EXPECT_FALSE(Data().exp[4].ScanMemory);
    EXPECT_FALSE(checked());

    // A frequency typed over the cell's text, taken by Enter ("," types ".").
    Grid()->setCurrentCell(row, rx);
    QTest::keyClick(Grid(), Qt::Key_1);
    QLineEdit* cell = Grid()->CellEditor();
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->text(), "1");
    QTest::keyClicks(cell, "56,1x");
    EXPECT_EQ(cell->text(), "156.1");
    QTest::keyClick(cell, Qt::Key_Return);
    EXPECT_EQ(Grid()->CellEditor(), nullptr);
    EXPECT_DOUBLE_EQ(Data().exp[4].Rxfreq, 156.1);
    EXPECT_EQ(Grid()->item(row, rx)->text(), "156.1000");
    EXPECT_EQ(pane->CurrentPanel(), pane->ChannelList()) << "Enter in a cell opens no editor";
    ws->Undo();
    EXPECT_EQ(Grid()->item(row, rx)->text(), "156.0250");

    // Tab takes the display and goes on to the next typed cell, keeping its text.
    Grid()->setCurrentCell(row, 2);  // DISP
    QTest::keyClicks(Grid(), "7");
    QTest::keyClicks(Grid()->CellEditor(), "2A");
    QTest::keyClick(Grid()->CellEditor(), Qt::Key_Tab);
    EXPECT_EQ(Data().exp[4].CHDisplayL + Data().exp[4].CHDisplayR, "72A");
    ASSERT_NE(Grid()->CellEditor(), nullptr);
    EXPECT_EQ(Grid()->currentColumn(), rx);
    EXPECT_EQ(Grid()->CellEditor()->text(), "156.0250");
    QTest::keyClick(Grid()->CellEditor(), Qt::Key_Escape);
    ws->Undo();

    // A bad one is refused with the editor's message, the focus kept in the
    // cell; Escape drops it.
    Grid()->setCurrentCell(row, tx);
    QTest::keyClick(Grid(), Qt::Key_F2);
    cell = Grid()->CellEditor();
    ASSERT_NE(cell, nullptr);
    QTest::keyClicks(cell, "136.9");
    QTest::keyClick(cell, Qt::Key_Return);
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, FrequencyRefusal(false).Shown());
    EXPECT_EQ(Grid()->CellEditor(), cell);
    EXPECT_TRUE(cell->hasFocus());
    QTest::keyClick(cell, Qt::Key_Escape);
    EXPECT_EQ(Grid()->CellEditor(), nullptr);
    EXPECT_TRUE(Grid()->hasFocus());
    EXPECT_EQ(Grid()->item(row, tx)->text(), "---.----");
    EXPECT_EQ(Data().exp[4].Txfreq, 0);
    EXPECT_EQ(ws->UndoAction(), "test") << "no step";

    // Enter outside an entry still opens the editor, which shows the undone frequency.
    QTest::keyClick(Grid(), Qt::Key_Return);
    EXPECT_EQ(pane->CurrentPanel(), pane->ChannelEditor());
    EXPECT_EQ(Edit("txtCRF")->text(), "156.0250");
}

}  // namespace
}  // namespace rp770::ui::test
