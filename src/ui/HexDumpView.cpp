#include "ui/HexDumpView.h"

#include <QApplication>
#include <QFontDatabase>

#include "core/HexDump.h"

namespace rp770::ui {

HexDumpView::HexDumpView(QWidget* parent) : QListWidget(parent) {
    setObjectName("lstHex");
    QFont font("Courier New");
    font.setStyleHint(QFont::Monospace);
    if (!QFontInfo(font).fixedPitch()) font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    setFont(font);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void HexDumpView::RefreshHexDump(const MemoryImage& image) {
    if (isHidden()) {
        clear();
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    clear();
    for (const std::string& line : HexDumpLines(image)) addItem(QString::fromStdString(line));
    QApplication::restoreOverrideCursor();
}

}  // namespace rp770::ui
