#pragma once
// The window's language: the remembered choice (section Settings, key
// Language), else the one the environment asks for, among the catalogues
// the program has (translations/rp770_LANGUAGE.qm beside the shipped data,
// written from po/ at build time). While a WindowLanguage lives, its
// catalogue and Qt's own (qtbase_LANGUAGE.qm: the buttons and texts of the
// standard dialogs) are installed on the application, and the program's
// messages are rendered in it. Numbers, files and the wire do not change
// with it.

#include <QTranslator>
#include <memory>
#include <string>
#include <vector>

#include "files/SettingsStore.h"
#include "messages/Language.h"
#include "messages/Translations.h"

namespace rp770::platform {

// The folder of the window's catalogues in a data folder.
std::string TranslationsFolder(const std::string& dataFolder);
// The languages there is a catalogue of ("de", "fr", "nl", ...).
std::vector<std::string> WindowLanguages(const std::string& dataFolder);
// The language to speak: the remembered one when there is a catalogue of
// it, else the environment's; "en" for English.
std::string ChooseWindowLanguage(const SettingsStore& settings, const std::string& dataFolder,
                                 const LanguageEnvironment& environment);

class WindowLanguage {
public:
    // Loads the language's catalogues from `dataFolder` (nothing for English,
    // nor when the catalogue cannot be loaded: the window speaks English).
    WindowLanguage(const std::string& language, const std::string& dataFolder);
    ~WindowLanguage();
    WindowLanguage(const WindowLanguage&) = delete;
    WindowLanguage& operator=(const WindowLanguage&) = delete;

    // The language spoken: "en" when no catalogue was loaded.
    const std::string& Language() const { return texts_.Language(); }

private:
    std::unique_ptr<QTranslator> own_;
    std::unique_ptr<QTranslator> qt_;
    Translations texts_;
};

}  // namespace rp770::platform
