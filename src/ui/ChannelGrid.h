#pragma once
// The channel list grid: read-only rows, whole-row selection of one or
// many rows (Shift and Ctrl with clicks and arrows, Ctrl+A), one line
// scrolled per wheel notch, Enter acting as a double click, Space asking to
// switch the focused column's flag.

#include <QTableWidget>

namespace rp770::ui {

class ChannelGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit ChannelGrid(QWidget* parent);

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

private:
    int wheelRest_ = 0;  // wheel movement not yet worth a line
};

}  // namespace rp770::ui
