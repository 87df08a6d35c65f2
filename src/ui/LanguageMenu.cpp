#include "ui/LanguageMenu.h"

#include <QAction>
#include <QMenu>
#include <algorithm>

#include "core/CommandLine.h"
#include "messages/Language.h"
#include "ui/Tr.h"

namespace rp770::ui {

namespace {

constexpr const char* kPseudoLanguage = "en_XA";

// A language's name in its own words; a language without one is shown by its code.
QString LanguageName(const std::string& language) {
    if (language.empty()) return Tr(MessageId::MenuOptionsLanguageSystem);
    // Each name is the same in every catalogue: the English one is read.
    const auto own = [](MessageId id) { return QString::fromStdString(MessageText(id).English()); };
    if (language == "en") return own(MessageId::LanguageEnglish);
    if (language == "de") return own(MessageId::LanguageGerman);
    if (language == "nl") return own(MessageId::LanguageDutch);
    if (language == "fr") return own(MessageId::LanguageFrench);
    return QString::fromStdString(language);
}

}  // namespace

LanguageMenu::LanguageMenu(QMenu* menu, SettingsStore& settings, Prompter& prompter,
                           const std::vector<std::string>& languages, QObject* parent)
    : QObject(parent), menu_(menu), settings_(settings), prompter_(prompter), languages_{"", "en"} {
    for (const std::string& language : languages)
        if (language != kPseudoLanguage && std::find(languages_.begin(), languages_.end(), language) == languages_.end())
            languages_.push_back(language);
    menu_->setObjectName("mnuOptionsLanguage");
    for (size_t i = 0; i < languages_.size(); ++i) {
        const std::string language = languages_[i];
        QAction* a = menu_->addAction(LanguageName(language), this, [this, language] { Choose(language); });
        a->setCheckable(true);
        a->setObjectName(QString::fromStdString("mnuOptionsLanguage_" + (language.empty() ? "system" : language)));
        actions_.push_back(a);
        if (i == 0) menu_->addSeparator();
    }
    Refresh();
}

std::string LanguageMenu::Chosen() const { return settings_.GetOr(kLanguageSection, kLanguageKey, ""); }

void LanguageMenu::Choose(const std::string& language) {
    const bool changed = language != Chosen();
    if (changed) settings_.Set(kLanguageSection, kLanguageKey, language);
    Refresh();  // a checked entry chosen again stays checked
    if (changed) prompter_.Message(Words(MessageId::LanguageAfterRestart), AppTitle, Icon::Information);
}

void LanguageMenu::Refresh() {
    const std::string chosen = Chosen();
    for (size_t i = 0; i < languages_.size(); ++i) actions_[i]->setChecked(languages_[i] == chosen);
}

}  // namespace rp770::ui
