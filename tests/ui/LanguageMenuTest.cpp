// Options > Language: the system's language, English and the window's
// catalogues, one checked; a new choice is remembered and the user told
// that it takes effect at the next start.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>

#include "files/MemorySettingsStore.h"
#include "messages/Language.h"
#include "support/ScriptedPrompter.h"
#include "ui/LanguageMenu.h"

namespace rp770::ui {
namespace {

std::vector<std::string> Checked(const QMenu& menu) {
    std::vector<std::string> names;
    for (const QAction* a : menu.actions())
        if (a->isChecked()) names.push_back(a->objectName().toStdString());
    return names;
}

TEST(LanguageMenu, OffersTheCataloguesRemembersTheChoiceAndSaysWhenItTakesEffect) {
    MemorySettingsStore settings;
    testing::ScriptedPrompter prompter;
    QMenu menu;
    LanguageMenu languages(&menu, settings, prompter, {"de", "en_XA", "fr", "nl"});

    std::vector<std::string> offered;
    for (const QAction* a : menu.actions())
        if (!a->isSeparator()) offered.push_back(a->objectName().toStdString());
    EXPECT_EQ(offered, (std::vector<std::string>{"mnuOptionsLanguage_system", "mnuOptionsLanguage_en",
                                                 "mnuOptionsLanguage_de", "mnuOptionsLanguage_fr",
                                                 "mnuOptionsLanguage_nl"}));
    EXPECT_EQ(Checked(menu), std::vector<std::string>{"mnuOptionsLanguage_system"});

    const struct {
        const char* entry;
        std::string remembered;
        size_t boxes;  // the user is told once per change
    } steps[] = {
        {"mnuOptionsLanguage_de", "de", 1},
        {"mnuOptionsLanguage_de", "de", 1},
        {"mnuOptionsLanguage_nl", "nl", 2},
        {"mnuOptionsLanguage_system", "", 3},
    };
    for (const auto& s : steps) {
        menu.findChild<QAction*>(s.entry)->trigger();
        EXPECT_EQ(settings.GetOr(kLanguageSection, kLanguageKey, "?"), s.remembered) << s.entry;
        EXPECT_EQ(Checked(menu), std::vector<std::string>{s.entry}) << s.entry;
        EXPECT_EQ(prompter.boxes.size(), s.boxes) << s.entry;
    }
    EXPECT_EQ(prompter.boxes.back().icon, Icon::Information);
}

}  // namespace
}  // namespace rp770::ui
