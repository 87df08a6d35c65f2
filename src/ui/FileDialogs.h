#pragma once
// The common dialogs the window asks for paths and the printer with. The
// window gets the Qt ones; tests script the answers.

#include <QString>

class QPrinter;
class QWidget;

namespace rp770::ui {

// Csv: a channel table; Data: a settings text or a memory image file.
enum class FileKind { Dat, Hex, Text, Csv, Data };

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // A full path, or empty when the user cancelled.
    virtual QString OpenPath(QWidget* parent, FileKind kind, const QString& folder) = 0;
    virtual QString SavePath(QWidget* parent, FileKind kind, const QString& folder) = 0;
    // True when the user chose a printer and pressed Print.
    virtual bool ChoosePrinter(QWidget* parent, QPrinter& printer) = 0;
};

class QtFileDialogs : public FileDialogs {
public:
    QString OpenPath(QWidget* parent, FileKind kind, const QString& folder) override;
    QString SavePath(QWidget* parent, FileKind kind, const QString& folder) override;
    bool ChoosePrinter(QWidget* parent, QPrinter& printer) override;
};

// "dat files (*.dat)" and "All files (*)", and the like.
QString FileFilter(FileKind kind);

}  // namespace rp770::ui
