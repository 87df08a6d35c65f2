#pragma once
// The user's settings store as a file, read and written without Qt: the
// same file, in the same format, as the window's QSettings keeps for this
// application (SettingsIniText.h), so that both see the same remembered
// choices. A change is written at once, through a file beside the old one
// that replaces it only when complete, under the lock file the window's
// QSettings takes too ("<file>.lock").

#include <filesystem>
#include <optional>
#include <string>

#include "files/SettingsStore.h"

namespace rp770::platform {

// Where the user's settings file is:
//   Windows     %APPDATA%\RP770\RP770.ini
//   elsewhere   $XDG_CONFIG_HOME/RP770/RP770.conf, else ~/.config/RP770/RP770.conf
// Empty when the system does not say where the user's home is.
std::filesystem::path UserSettingsFile();
// The same rule for given values (null: unset; relative ones do not count).
std::filesystem::path UserSettingsFile(const char* xdgConfigHome, const char* home, const char* appData);

class FileSettingsStore : public SettingsStore {
public:
    // The user's own file.
    FileSettingsStore();
    explicit FileSettingsStore(std::filesystem::path file);

    std::optional<std::string> Get(const std::string& section, const std::string& key) const override;
    // Nothing is written when the file cannot be (no home, a lock that
    // never comes free, a folder that cannot be made).
    void Set(const std::string& section, const std::string& key, const std::string& value) override;

    const std::filesystem::path& File() const { return file_; }

private:
    std::filesystem::path file_;
};

}  // namespace rp770::platform
