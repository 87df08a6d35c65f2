#include "ui/FileDialogs.h"

#include "ui/PrintPreviewDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include "ui/Tr.h"

namespace rp770::ui {

QString FileFilter(FileKind kind) {
    const QString all = Tr(MessageId::FilterAll);
    switch (kind) {
        case FileKind::Dat: return Tr(MessageId::FilterDat) + ";;" + all;
        case FileKind::Hex: return Tr(MessageId::FilterHex) + ";;" + all;
        case FileKind::Text: return Tr(MessageId::FilterText) + ";;" + all;
        case FileKind::Csv: return Tr(MessageId::FilterCsv) + ";;" + all;
        case FileKind::Data: return Tr(MessageId::FilterDataFiles) + ";;" + all;
    }
    return all;
}

namespace {
QString DefaultSuffix(FileKind kind) {
    switch (kind) {
        case FileKind::Dat: return "dat";
        case FileKind::Hex: return "hex";
        case FileKind::Text: return "txt";
        case FileKind::Csv: return "csv";
        case FileKind::Data: return "dat";
    }
    return {};
}
}  // namespace

QString QtFileDialogs::OpenPath(QWidget* parent, FileKind kind, const QString& folder) {
    QFileDialog dialog(parent, QString(), folder, FileFilter(kind));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // A settings file that does not exist is refused by the reader with its
    // own message; other files must exist.
    dialog.setFileMode(kind == FileKind::Dat ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

QString QtFileDialogs::SavePath(QWidget* parent, FileKind kind, const QString& folder) {
    QFileDialog dialog(parent, QString(), folder, FileFilter(kind));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(DefaultSuffix(kind));  // the overwrite prompt is on by default
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

bool QtFileDialogs::ChoosePrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    return dialog.exec() == QDialog::Accepted;
}

bool QtFileDialogs::PreviewPages(QWidget* parent, QPrinter& printer, const PageDrawer& draw, bool chooseNext) {
    PrintPreviewDialog dialog(printer, draw, chooseNext, parent);
    return dialog.exec() == QDialog::Accepted;
}

namespace {
constexpr const char* kFolderSection = "Files";
constexpr const char* kFolderKey = "LastFolder";
}  // namespace

QString FolderMemoryDialogs::StartFolder() const {
    const QString last = QString::fromStdString(settings_.GetOr(kFolderSection, kFolderKey, ""));
    if (!last.isEmpty() && QFileInfo(last).isDir()) return last;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void FolderMemoryDialogs::FileUsed(const QString& path) {
    if (!path.isEmpty()) settings_.Set(kFolderSection, kFolderKey, QFileInfo(path).absolutePath().toStdString());
    dialogs_.FileUsed(path);
}

QString FolderMemoryDialogs::OpenPath(QWidget* parent, FileKind kind, const QString& folder) {
    return dialogs_.OpenPath(parent, kind, folder.isEmpty() ? StartFolder() : folder);
}

QString FolderMemoryDialogs::SavePath(QWidget* parent, FileKind kind, const QString& folder) {
    return dialogs_.SavePath(parent, kind, folder.isEmpty() ? StartFolder() : folder);
}

}  // namespace rp770::ui
