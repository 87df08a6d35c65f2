#pragma once
// The channel list panel (`pictB`): the enabled channels of a plan, or all
// EXP channels, in the grid `MSFlexGrid1`.

#include <QWidget>

#include "ui/ChannelGridRows.h"

namespace rp770::ui {

class ChannelGrid;
class EditorContext;

class ChannelListPanel : public QWidget {
    Q_OBJECT
public:
    ChannelListPanel(EditorContext& context, QWidget* parent);

    void FillChannelGrid(int plan);
    void FillExpGrid();
    ChannelGrid* Grid() const { return grid_; }
    // The 1-based row number of the current row, 0 when none.
    int CurrentRowNumber() const;
    QString CurrentChannelName() const;

signals:
    // Enter or a double click asked for the editor of the current row.
    void openRequested();

private:
    void Fill(const std::array<GridColumn, kGridColumns>& columns, const std::vector<GridRow>& rows);

    EditorContext& context_;
    ChannelGrid* grid_;
};

}  // namespace rp770::ui
