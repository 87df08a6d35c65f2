// Renders the README's pictures: the main window on the shipped data, its
// screens, and the transfer dialog. Runs without a display:
//   QT_QPA_PLATFORM=offscreen build/bin/rp770-screenshots docs/images

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>
#include <iostream>

#include "core/CommandLine.h"
#include "link/RadioLink.h"
#include "app/DesktopSerialPort.h"
#include "platform/QtServices.h"
#include "platform/QtSettingsStore.h"
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
    rp770::link::RadioLink radioLink(port, clock, pump, prompter);
    NoDialogs dialogs;

    rp770::Workspace workspace(QApplication::applicationDirPath().toStdString(), settings, prompter);
    rp770::ui::MainWindow window(rp770::Switches{}, workspace, {settings, prompter, clock, radioLink, dialogs});
    if (!window.Startup()) return 1;
    // An EXP channel of the user's own, so that its screens have something to show.
    const rp770::ChannelRef exp1{rp770::Area::EXP, 1};
    workspace.SetChannelFlag(exp1, rp770::ChannelFlag::Enable, true);
    workspace.SetExpDisplay(1, "P1", "A");
    workspace.SetExpFrequency(1, true, "157.025");
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

    rp770::ui::TransferDialog dialog(rp770::ui::TransferMode::Read, radioLink, workspace, prompter, clock, false,
                                     &window);
    dialog.show();
    ok = Save(&dialog, out + "/transfer-dialog.png") && ok;
    return ok ? 0 : 1;
}
