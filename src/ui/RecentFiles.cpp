#include "ui/RecentFiles.h"

#include <QFileInfo>

namespace rp770::ui {

namespace {
constexpr const char* kSection = "Files";
std::string Key(int i) { return "Recent" + std::to_string(i + 1); }
}  // namespace

QStringList RecentFiles::List() const {
    QStringList files;
    for (int i = 0; i < kMaxFiles; ++i) {
        const QString path = QString::fromStdString(settings_.GetOr(kSection, Key(i), ""));
        if (!path.isEmpty() && !files.contains(path)) files << path;
    }
    return files;
}

void RecentFiles::Add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = List();
    files.removeAll(absolute);
    files.prepend(absolute);
    Store(files);
}

void RecentFiles::Remove(const QString& path) {
    QStringList files = List();
    files.removeAll(path);
    Store(files);
}

void RecentFiles::Store(const QStringList& files) {
    for (int i = 0; i < kMaxFiles; ++i) {
        if (i < files.size())
            settings_.Set(kSection, Key(i), files[i].toStdString());
        else if (!settings_.GetOr(kSection, Key(i), "").empty())
            settings_.Set(kSection, Key(i), "");  // emptied: the store cannot remove a key
    }
}

}  // namespace rp770::ui
