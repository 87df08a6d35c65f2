// Renders the README's pictures: the main window on the shipped data, its
// screens, and the transfer dialog. Runs without a display:
//   QT_QPA_PLATFORM=offscreen build/bin/rp770-screenshots docs/images

#include <QApplication>
#include <QDir>
#include <QItemSelection>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>
#include <iostream>

#include "core/CommandLine.h"
#include "desktop/DiskFiles.h"
#include "link/RadioLink.h"
#include "platform/Prompter.h"
#include "session/AppSession.h"
#include "ui/WindowAsker.h"
#include "app/DesktopSerialPort.h"
#include "platform/QtServices.h"
#include "platform/QtSettingsStore.h"
#include "workspace/DataDiff.h"
#include "ui/ChannelGrid.h"
#include "ui/ChannelListPanel.h"
#include "ui/DifferencesDialog.h"
#include "ui/EditorPane.h"
#include "ui/FileDialogs.h"
#include "ui/MainWindow.h"
#include "ui/ToolbarIcons.h"
#include "ui/TransferDialog.h"

namespace {

// Screenshots never wait for the user.
class SilentPrompter : public rp770::Prompter {
public:
    void Message(const std::string& text, const std::string&, rp770::Icon) override { std::cerr << text << "\n"; }
    rp770::Answer Ask(const std::string&, const std::string&, rp770::Icon, rp770::Buttons, rp770::Answer a) override {
        return a;
    }
};

class NoDialogs : public rp770::ui::FileDialogs {
public:
    QString OpenPath(QWidget*, rp770::ui::FileKind, const QString&) override { return {}; }
    QString SavePath(QWidget*, rp770::ui::FileKind, const QString&) override { return {}; }
    bool ChoosePrinter(QWidget*, QPrinter&) override { return false; }
};

class NoSleepClock : public rp770::platform::SteadyClock {
public:
    void Sleep(int) override {}
};

bool Save(QWidget* w, const QString& path) {
    QApplication::processEvents();
    const bool ok = w->grab().save(path);
    std::cout << (ok ? "wrote " : "FAILED ") << path.toStdString() << "\n";
    return ok;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc > 2 || (argc == 2 && argv[1][0] == '-')) {
        std::cerr << "Usage: rp770-screenshots [FOLDER]   (default docs/images)\n";
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setWindowIcon(rp770::ui::ToolbarIcon("Read"));
    const QString out = argc > 1 ? argv[1] : "docs/images";
    QDir().mkpath(out);

    QTemporaryDir settingsDir;
    rp770::platform::QtSettingsStore settings(settingsDir.filePath("settings.ini"));
    SilentPrompter prompter;
    NoSleepClock clock;
    rp770::platform::EventLoopPump pump;
    rp770::app::DesktopSerialPort port(clock);
    rp770::link::RadioLink radioLink(port, clock, pump);
    NoDialogs dialogs;
    rp770::ui::WindowAsker asker(prompter);
    rp770::FolderProgramData program(QApplication::applicationDirPath().toStdString());
    rp770::DiskFiles files;

    rp770::AppSession session(program, {settings, files, asker});
    session.SetLink(&radioLink);
    rp770::Workspace& workspace = session.workspace();
    rp770::ui::MainWindow window(session, {settings, prompter, asker, clock, dialogs});
    if (!window.Startup()) return 1;
    // An EXP channel of the user's own, so that its screens have something to show.
    const rp770::ChannelRef exp1{rp770::Area::EXP, 1};
    workspace.SetExpDisplay(1, "P1", "A");
    workspace.SetExpFrequency(1, true, "157.025");
    workspace.SetChannelFlag(exp1, rp770::ChannelFlag::Enable, true);
    workspace.SetExpFrequency(1, false, "157.025");
    workspace.SetChannelFlag(exp1, rp770::ChannelFlag::Scan, true);
    workspace.SetGroupUsable(rp770::GroupEXP, true);
    window.resize(820, 560);
    window.show();
    bool ok = true;
    auto shot = [&](const QString& key, const QString& name) {
        window.editor().SelectNodeByKey(key);
        ok = Save(&window, out + "/" + name) && ok;
    };
    shot("General", "main-window.png");
    shot("Common", "common-setup.png");
    shot("PU", "channel-grid.png");
    shot("PU 30", "channel-editor.png");
    shot("E 1", "exp-channel-editor.png");
    shot("PW", "weather-channels.png");

    // Several channels of a list selected at once (06 to 08, and 16), and the
    // differences from a file that holds the data as they were before.
    const rp770::DataSet before = workspace.data();
    window.editor().SelectNodeByKey("PU");
    auto* list = window.editor().ChannelList();
    auto* grid = list->Grid();
    QItemSelection selection;
    for (int r = 0; r < grid->rowCount(); ++r)
        for (const char* name : {"06", "07A", "08", "16"})
            if (grid->item(r, 0)->text() == name)
                selection.select(grid->model()->index(r, 0), grid->model()->index(r, grid->columnCount() - 1));
    grid->setFocus();
    grid->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    list->SetSelectedFlag(rp770::ChannelFlag::Scan, true);
    ok = Save(&window, out + "/channel-grid-selection.png") && ok;
    rp770::ui::DifferencesDialog differences(rp770::CompareDataSets(workspace.data(), before), "boat.dat",
                                             "Compare With boat.dat", &window);
    differences.show();
    ok = Save(&differences, out + "/differences.png") && ok;
    differences.hide();

    rp770::ui::TransferDialog dialog(rp770::ui::TransferMode::Read, session, prompter, clock, &window);
    dialog.show();
    ok = Save(&dialog, out + "/transfer-dialog.png") && ok;
    return ok ? 0 : 1;
}
