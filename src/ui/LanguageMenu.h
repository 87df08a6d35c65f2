#pragma once
// Options > Language: the system's language first, then every language the
// window has a catalogue of, each named in its own language. A choice is
// remembered in the settings (platform/WindowLanguage.h reads it at the
// next start) and takes effect then: the user is told so.
//
//   auto* languages = new LanguageMenu(options->addMenu(Tr(MessageId::MenuOptionsLanguage)),
//                                      settings, prompter, WindowLanguages(dataFolder), this);

#include <QObject>
#include <string>
#include <vector>

#include "files/SettingsStore.h"
#include "platform/Prompter.h"

class QAction;
class QMenu;

namespace rp770::ui {

class LanguageMenu : public QObject {
public:
    // `languages`: those there are catalogues of ("de", "nl", ...); English
    // is always offered, the layout checks' pseudo-language never.
    LanguageMenu(QMenu* menu, SettingsStore& settings, Prompter& prompter, const std::vector<std::string>& languages,
                 QObject* parent = nullptr);

    // "" for the system's language, else "en", "de", "nl", "fr".
    void Choose(const std::string& language);
    std::string Chosen() const;

private:
    void Refresh();

    QMenu* menu_;
    SettingsStore& settings_;
    Prompter& prompter_;
    std::vector<std::string> languages_;  // "" first, then the offered ones
    std::vector<QAction*> actions_;       // one for each, in the same order
};

}  // namespace rp770::ui
