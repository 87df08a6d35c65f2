#pragma once
// The channel list grid: read-only rows, whole-row selection of one or
// many rows (Shift and Ctrl with clicks and arrows, Ctrl+A), one line
// scrolled per wheel notch, Enter acting as a double click, Space asking to
// switch the focused column's flag. The columns keep their design widths in
// a grid of the design size; in a narrower grid they shrink alike, down to
// what their texts need, so the last column stays in sight; in a wider one
// they grow alike and fill it.

#include <QTableWidget>
#include <vector>

namespace rp770::ui {

class ChannelGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit ChannelGrid(QWidget* parent);

    // The columns' design widths, in pixels; the grid fits them to its width.
    void SetDesignWidths(std::vector<int> widths);

signals:
    void gotFocus();
    // Enter, or a double click on a row.
    void openRequested();
    // Space: the switch of this column, for the selected rows.
    void toggleRequested(int column);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FitColumns();
    int wheelRest_ = 0;  // wheel movement not yet worth a line
    std::vector<int> designWidths_;
};

}  // namespace rp770::ui
