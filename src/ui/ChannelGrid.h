#pragma once
// The channel list grid: read-only rows, whole-row selection, one line
// scrolled per wheel notch, Enter acting as a double click.

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

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    int wheelRest_ = 0;  // wheel movement not yet worth a line
};

}  // namespace rp770::ui
