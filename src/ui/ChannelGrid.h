#pragma once
// The channel list grid: rows of texts, whole-row selection of one or
// many rows (Shift and Ctrl with clicks and arrows, Ctrl+A), one line
// scrolled per wheel notch, Enter acting as a double click, Space asking to
// switch the focused column's flag. The columns keep their design widths in
// a grid of the design size; in a narrower grid they shrink alike, down to
// what their texts need, so the last column stays in sight; in a wider one
// they grow alike and fill it.
//
// A switch's cell shows a check box (Qt::CheckStateRole, greyed where
// kUsableRole is false); a click on the box asks to switch it. In the
// columns set as typed, F2 or a typed character asks for an entry in the
// current cell; the grid then lays a line box over that cell, which its
// owner fills and closes.

#include <QLineEdit>
#include <QPointer>
#include <QTableWidget>
#include <vector>

namespace rp770::ui {

class ChannelGrid : public QTableWidget {
    Q_OBJECT
public:
    // Whether a switch's cell can be switched (a bool; absent: it can).
    static constexpr int kUsableRole = Qt::UserRole + 1;

    explicit ChannelGrid(QWidget* parent);

    // The columns' design widths, in pixels; the grid fits them to its width.
    void SetDesignWidths(std::vector<int> widths);
    // The columns whose cells are typed into in place.
    void SetTypedColumns(std::vector<bool> typed);
    bool IsTypedColumn(int column) const;

    // The line box over a cell, kept there while the grid scrolls or its
    // columns change width; null when no cell has one.
    QLineEdit* OpenCellEditor(int row, int column);
    void CloseCellEditor();
    QLineEdit* CellEditor() const { return cellEditor_; }
    // A switch's check box is at `at` (viewport coordinates).
    bool OnCheckBox(QPoint at) const;

signals:
    void gotFocus();
    // Enter, or a double click on a row.
    void openRequested();
    // Space: the switch of this column, for the selected rows.
    void toggleRequested(int column);
    // A click on the check box of a usable switch's cell.
    void checkClicked(int row, int column);
    // F2 (`text` empty: the cell's text stays) or a typed character (`key`,
    // `text`: it replaces the cell's text) in a typed column's current cell.
    void entryRequested(int row, int column, int key, const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void updateEditorGeometries() override;

private:
    void FitColumns();
    void PlaceCellEditor();
    int wheelRest_ = 0;  // wheel movement not yet worth a line
    std::vector<int> designWidths_;
    std::vector<bool> typedColumns_;
    QPointer<QLineEdit> cellEditor_;
    int editRow_ = -1;
    int editColumn_ = -1;
};

}  // namespace rp770::ui
