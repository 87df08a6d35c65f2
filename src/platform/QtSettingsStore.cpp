#include "platform/QtSettingsStore.h"

#include "core/CommandLine.h"

namespace rp770::platform {

namespace {
QString KeyPath(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
}
}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QString::fromLatin1(AppTitle),
                                            QString::fromLatin1(AppTitle))) {}

QtSettingsStore::QtSettingsStore(const QString& iniFilePath)
    : settings_(std::make_unique<QSettings>(iniFilePath, QSettings::IniFormat)) {}

std::optional<std::string> QtSettingsStore::Get(const std::string& section, const std::string& key) const {
    const QString path = KeyPath(section, key);
    if (!settings_->contains(path)) return std::nullopt;
    return settings_->value(path).toString().toStdString();
}

void QtSettingsStore::Set(const std::string& section, const std::string& key, const std::string& value) {
    settings_->setValue(KeyPath(section, key), QString::fromStdString(value));
    settings_->sync();
}

}  // namespace rp770::platform
