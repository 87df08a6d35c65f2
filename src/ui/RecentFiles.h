#pragma once
// File > recent files: the last files opened or saved, newest first, kept
// in the per-user settings (section "Files", keys "Recent1" to "Recent8").

#include <QString>
#include <QStringList>

#include "files/SettingsStore.h"

namespace rp770::ui {

class RecentFiles {
public:
    static constexpr int kMaxFiles = 8;

    explicit RecentFiles(SettingsStore& settings) : settings_(settings) {}

    // Newest first.
    QStringList List() const;
    // Puts the file (made absolute) first; an older entry of it goes, and
    // the ninth falls off.
    void Add(const QString& path);
    void Remove(const QString& path);

private:
    void Store(const QStringList& files);

    SettingsStore& settings_;
};

}  // namespace rp770::ui
