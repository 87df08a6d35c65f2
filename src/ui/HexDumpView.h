#pragma once

#include <QListWidget>

#include "core/Model.h"

namespace rp770::ui {

// The memory image as hexadecimal rows, over the main window's client area
// (debug mode only).
class HexDumpView : public QListWidget {
    Q_OBJECT
public:
    explicit HexDumpView(QWidget* parent = nullptr);
    // Rebuilds the rows when visible; when hidden it only empties the list.
    void RefreshHexDump(const MemoryImage& image);
};

}  // namespace rp770::ui
