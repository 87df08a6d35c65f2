#pragma once
// The common dialogs the window asks for paths and the printer with. The
// window gets the Qt ones; tests script the answers.

#include <QString>
#include <functional>

#include "files/SettingsStore.h"

class QPrinter;
class QWidget;

namespace rp770::ui {

// Csv: a channel table; Data: a settings text or a memory image file.
enum class FileKind { Dat, Hex, Text, Csv, Data };

// Draws the pages of a document on the printer it is given.
using PageDrawer = std::function<void(QPrinter&)>;

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // A full path, or empty when the user cancelled.
    virtual QString OpenPath(QWidget* parent, FileKind kind, const QString& folder) = 0;
    virtual QString SavePath(QWidget* parent, FileKind kind, const QString& folder) = 0;
    // True when the user chose a printer and pressed Print.
    virtual bool ChoosePrinter(QWidget* parent, QPrinter& printer) = 0;
    // Shows the pages `draw` puts on `printer` before they are printed; true
    // when the user chose to print them. `chooseNext`: the print dialog comes
    // next. Without a preview of its own a front end prints at once.
    virtual bool PreviewPages(QWidget* parent, QPrinter& printer, const PageDrawer& draw, bool chooseNext) {
        (void)parent, (void)printer, (void)draw, (void)chooseNext;
        return true;
    }
    // The file at `path` has just been opened or saved: the caller says so
    // only once the file operation succeeded.
    virtual void FileUsed(const QString& path) { (void)path; }
};

class QtFileDialogs : public FileDialogs {
public:
    QString OpenPath(QWidget* parent, FileKind kind, const QString& folder) override;
    QString SavePath(QWidget* parent, FileKind kind, const QString& folder) override;
    bool ChoosePrinter(QWidget* parent, QPrinter& printer) override;
    bool PreviewPages(QWidget* parent, QPrinter& printer, const PageDrawer& draw, bool chooseNext) override;
};

// The dialogs start in the folder of the file last opened or saved (kept in
// the settings: section "Files", key "LastFolder"), else in the user's
// documents folder; a caller that names a folder gets that one. A folder is
// remembered only once a file in it was opened or saved: a save that failed
// (a folder the user may not write, a full disk) leaves the folder before it.
// Wraps the dialogs the window asks.
class FolderMemoryDialogs : public FileDialogs {
public:
    FolderMemoryDialogs(FileDialogs& dialogs, SettingsStore& settings) : dialogs_(dialogs), settings_(settings) {}
    QString OpenPath(QWidget* parent, FileKind kind, const QString& folder) override;
    QString SavePath(QWidget* parent, FileKind kind, const QString& folder) override;
    bool ChoosePrinter(QWidget* parent, QPrinter& printer) override { return dialogs_.ChoosePrinter(parent, printer); }
    bool PreviewPages(QWidget* parent, QPrinter& printer, const PageDrawer& draw, bool chooseNext) override {
        return dialogs_.PreviewPages(parent, printer, draw, chooseNext);
    }
    void FileUsed(const QString& path) override;

    // The last folder while it exists, else the documents folder (the home
    // folder when there is none).
    QString StartFolder() const;

private:
    FileDialogs& dialogs_;
    SettingsStore& settings_;
};

// "dat files (*.dat)" and "All files (*)", and the like.
QString FileFilter(FileKind kind);

}  // namespace rp770::ui
