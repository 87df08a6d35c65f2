#pragma once
// The channel list panel (`pictB`): the enabled channels of a plan, or all
// EXP channels, in the grid `MSFlexGrid1`. Several rows can be selected and
// their switches set or cleared at once (context menu, Space on a switch
// column), each time as one undo step. A row's tool tip is its tag.

#include <QWidget>
#include <optional>
#include <vector>

#include "presentation/ChannelGridRows.h"
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
    // The shown list again, as the data now hold it.
    void Refresh();

signals:
    // Enter or a double click asked for the editor of the current row.
    void openRequested();

private:
    void Fill(presentation::ChannelListView list);

    EditorContext& context_;
    ChannelGrid* grid_;
    std::optional<Area> shownArea_;
    std::array<presentation::GridColumn, presentation::kGridColumns> columns_{};
    std::vector<ChannelRef> refs_;  // the channel of each row
};

}  // namespace rp770::ui
