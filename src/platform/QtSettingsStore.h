#pragma once
// The per-user settings store on QSettings: organisation and application
// name AppTitle, a section is a QSettings group, values are text.

#include <QSettings>
#include <QString>
#include <memory>

#include "files/SettingsStore.h"

namespace rp770::platform {

class QtSettingsStore : public SettingsStore {
public:
    // The user's own store (the platform's native place).
    QtSettingsStore();
    // A store in an INI file of its own (tests, portable installs).
    explicit QtSettingsStore(const QString& iniFilePath);

    std::optional<std::string> Get(const std::string& section, const std::string& key) const override;
    // Stored at once, so that a value survives even if the program stops.
    void Set(const std::string& section, const std::string& key, const std::string& value) override;

private:
    std::unique_ptr<QSettings> settings_;
};

}  // namespace rp770::platform
