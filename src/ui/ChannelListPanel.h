#pragma once
// The channel list panel (`pictB`): the enabled channels of a plan, or all
// EXP channels, in the grid `MSFlexGrid1`. Several rows can be selected and
// their switches set or cleared at once (context menu, Space on a switch
// column), each time as one undo step. A row's tool tip is its tag.
//
// A switch's cell is a check box: a click switches that channel. An EXP
// channel's display and frequencies are typed into their cells (F2 or a
// typed character starts, Enter takes, Escape drops, Tab goes on to the
// next such cell): the cell is a view of the editor's form for that
// channel, which filters the keys, checks the finished entry and refuses
// it as the editor does, the focus staying in the cell.

#include <QWidget>
#include <optional>
#include <vector>

#include "presentation/ChannelGridRows.h"
#include "presentation/EditorForm.h"
#include "workspace/Edits.h"

class QMenu;

namespace rp770::ui {

class ChannelGrid;
class EditorContext;

class ChannelListPanel : public QWidget {
    Q_OBJECT
public:
    ChannelListPanel(EditorContext& context, QWidget* parent);

    // Shown anew, a list starts on its first row; filled again while it is
    // the current panel (after a change of the data), it keeps the selected
    // channels and the current one (or the row that took its place).
    void FillChannelGrid(int plan);
    void FillExpGrid();
    ChannelGrid* Grid() const { return grid_; }
    // The 1-based row number of the current row, 0 when none.
    int CurrentRowNumber() const;
    QString CurrentChannelName() const;

    // The selected channels in list order (the current one when no row is
    // selected).
    std::vector<ChannelRef> SelectedChannels() const;
    // Sets or clears a switch of the selected channels, as one undo step;
    // channels that cannot have it are left alone.
    void SetSelectedFlag(ChannelFlag flag, bool on);
    // Space: the switch of the column, on for all the selected channels
    // unless all have it already, then off.
    void ToggleColumnFlag(int column);
    // The context menu of the selected rows.
    QMenu* BuildContextMenu(QWidget* parent);
    // The shown list again, as the data now hold it. An entry still open
    // in a cell is dropped.
    void Refresh();

    // Typing into a cell, as a key from the grid starts it: F2 (`text`
    // empty) keeps the cell's text, a character replaces it.
    void StartEntry(int row, int column, int key = 0, const QString& text = {});
    bool Entering() const { return entry_.has_value(); }
    // The pending-input check of this panel: a cell's typed entry is taken,
    // or refused with the focus back in its cell.
    bool CommitPendingInput();
    bool HasPendingInput() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // Enter or a double click asked for the editor of the current row.
    void openRequested();

private:
    void Fill(presentation::ChannelListView list);
    void OnCheckClicked(int row, int column);
    void OnCellTyped();
    // Enter (`step` 0) or Tab (1, Shift+Tab -1) in the cell: the entry is
    // finished; taken, the cell closes and Tab opens the next typed cell.
    // False when refused.
    bool FinishEntry(int step);
    void CellLostFocus(QWidget* to);
    void CancelEntry();
    void CloseEntry();
    void ShowStop(const presentation::FormStop& stop);

    struct CellEntry {
        int row = 0;
        int column = 0;
        presentation::EditorBox box = presentation::EditorBox::Rx;
    };

    EditorContext& context_;
    ChannelGrid* grid_;
    std::optional<Area> shownArea_;
    std::array<presentation::GridColumn, presentation::kGridColumns> columns_{};
    std::vector<ChannelRef> refs_;  // the channel of each row
    std::vector<presentation::GridChecks> checks_;
    presentation::EditorForm form_;  // the channel of the cell being typed into
    std::optional<CellEntry> entry_;
};

}  // namespace rp770::ui
