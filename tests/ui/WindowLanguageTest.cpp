// The window speaks the system's language, or the one remembered: its menus,
// the about box and help, and Qt's own dialogs; English under the C locale.

#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <memory>

#include "desktop/DiskFiles.h"
#include "files/MemorySettingsStore.h"
#include "files/TestFolder.h"
#include "link/RadioLink.h"
#include "messages/Catalogue.h"
#include "messages/MessageText.h"
#include "platform/WindowLanguage.h"
#include "sim/VirtualWire.h"
#include "support/ScriptedPrompter.h"
#include "ui/AboutBox.h"
#include "ui/FileDialogs.h"
#include "ui/Help.h"
#include "ui/MainWindow.h"
#include "ui/WindowAsker.h"

namespace rp770::ui {
namespace {

using rp770::testing::ShippedDataFolder;
using rp770::testing::TestFolder;

class NoDialogs : public FileDialogs {
public:
    QString OpenPath(QWidget*, FileKind, const QString&) override { return {}; }
    QString SavePath(QWidget*, FileKind, const QString&) override { return {}; }
    bool ChoosePrinter(QWidget*, QPrinter&) override { return false; }
};

// The main window on the shipped data, built once its language is chosen as the program's start chooses it.
class WindowLanguageTest : public ::testing::Test {
protected:
    TestFolder folder;
    MemorySettingsStore settings;
    rp770::testing::ScriptedPrompter prompter;
    NoDialogs dialogs;
    sim::SimulatedRadio radio;
    sim::VirtualWire wire{radio};
    link::RadioLink radioLink{wire.Port(), wire.GetClock(), wire.GetPump()};
    FolderProgramData program{folder.str()};
    DiskFiles files;
    WindowAsker asker{prompter};
    std::unique_ptr<platform::WindowLanguage> language;
    std::unique_ptr<AppSession> session;
    std::unique_ptr<MainWindow> window;

    void SetUp() override { rp770::testing::CopyShippedData(folder.path()); }
    void TearDown() override {
        window.reset();
        session.reset();
        language.reset();
    }

    void Start(const LanguageEnvironment& environment) {
        language = std::make_unique<platform::WindowLanguage>(
            platform::ChooseWindowLanguage(settings, ShippedDataFolder(), environment), ShippedDataFolder());
        session = std::make_unique<AppSession>(program, SessionServices{settings, files, asker}, Switches{});
        session->SetLink(&radioLink);
        window = std::make_unique<MainWindow>(*session, MainWindowServices{settings, prompter, asker, wire.GetClock(), dialogs});
        ASSERT_TRUE(window->Startup());
    }
    QString Title(const char* menu) const { return window->findChild<QMenu*>(menu)->title(); }
    QString Text(const char* action) const { return window->findChild<QAction*>(action)->text(); }
};

TEST_F(WindowLanguageTest, MenusFollowTheSystemsLanguage) {
    const struct {
        LanguageEnvironment environment;  // LANGUAGE, LC_ALL, LC_MESSAGES, LANG
        const char* language;
        const char* file;
        const char* open;
        const char* program;
        const char* about;
    } cases[] = {
        {{"de", "", "", ""}, "de", "&Datei", "Ö&ffnen", "Funkgerät &programmieren", "Ü&ber QZP-Version"},
        {{"", "", "", "nl_NL.UTF-8"}, "nl", "&Bestand", "&Openen", "Marifoon &programmeren", "&Over QZP-versie"},
        {{"", "", "fr_FR.UTF-8", "de_DE.UTF-8"}, "fr", "&Fichier", "&Ouvrir", "&Programmer la radio",
         "À &propos de la version QZP"},
        {{"de", "C", "", ""}, "en", "&File", "&Open", "&Program to Radio", "&About QZP Version"},  // today's texts
    };
    for (const auto& c : cases) {
        Start(c.environment);
        EXPECT_EQ(language->Language(), c.language);
        EXPECT_EQ(Title("mnuFile"), QString::fromUtf8(c.file)) << c.language;
        EXPECT_EQ(Text("mnuFileOpen"), QString::fromUtf8(c.open)) << c.language;
        EXPECT_EQ(Text("mnuTransferProgram"), QString::fromUtf8(c.program)) << c.language;
        EXPECT_EQ(Text("mnuHelpAbout"), QString::fromUtf8(c.about)) << c.language;
        TearDown();
    }
}

TEST_F(WindowLanguageTest, ARememberedLanguageWinsAndQtsOwnDialogsSpeakIt) {
    settings.Set(kLanguageSection, kLanguageKey, "nl");
    Start({"de", "de_DE.UTF-8", "", ""});
    EXPECT_EQ(language->Language(), "nl");
    EXPECT_EQ(Title("mnuEdit"), "Be&werken");
    EXPECT_EQ(Text("tbRead"), "Marifoon uitlezen") << "the toolbar too";
    QDialogButtonBox buttons(QDialogButtonBox::Yes | QDialogButtonBox::No);
    EXPECT_EQ(buttons.button(QDialogButtonBox::No)->text(), "&Nee") << "Qt's own translation of its buttons";
}

TEST_F(WindowLanguageTest, EveryMessageOfTheCatalogueIsInTheWindowsCatalogue) {
    for (const std::string name : {"de", "nl", "fr"}) {
        const platform::WindowLanguage loaded(name, ShippedDataFolder());
        ASSERT_EQ(loaded.Language(), name) << "rp770_" << name << ".qm beside the shipped data";
        for (int i = 0; i < kMessageCount; ++i)
            EXPECT_TRUE(CurrentTranslations().Has(MessageId(i))) << name << " " << MessageIdName(MessageId(i));
    }
    const std::vector<std::string> languages = platform::WindowLanguages(ShippedDataFolder());
    for (const char* name : {"de", "fr", "nl", "en_XA"})
        EXPECT_NE(std::find(languages.begin(), languages.end(), name), languages.end()) << name;
}

TEST_F(WindowLanguageTest, TheAboutBoxAndHelpSpeakTheLanguage) {
    const platform::WindowLanguage german("de", ShippedDataFolder());
    AboutBox box;
    EXPECT_EQ(box.windowTitle(), "Versionsinformation");
    EXPECT_EQ(box.findChild<QLabel*>("lblTitle")->text(), "RP770  Velloran");
    EXPECT_EQ(box.findChild<QLabel*>("lblVersion")->text(), "Version 1.0.0");
    EXPECT_TRUE(box.findChild<QLabel*>("lblDescription")->text().startsWith(QString::fromUtf8(
        "Programmiersoftware für das UKW-Seefunkgerät MR318.\r")))
        << "the notice's lines end with a carriage return, whatever the language";
    ShowHelp(nullptr, prompter, "RP770", kHelpTransferDialog, folder.str());  // no help file there
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, MessageText(MessageId::NoHelpAssociated).Render());
    EXPECT_NE(prompter.boxes[0].text, MessageText(MessageId::NoHelpAssociated).English());
}

}  // namespace
}  // namespace rp770::ui
