// The window's entry: records the switches, creates and shows the main window.

#include <QApplication>
#include <QIcon>
#include <QStringList>

#include "core/CommandLine.h"
#include "core/ErrorLog.h"
#include "link/RadioLink.h"
#include "app/DesktopSerialPort.h"
#include "platform/QtPrompter.h"
#include "platform/QtServices.h"
#include "platform/QtSettingsStore.h"
#include "ui/FileDialogs.h"
#include "ui/MainWindow.h"
#include "ui/ToolbarIcons.h"
#include "workspace/Workspace.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(rp770::AppTitle);
    QApplication::setApplicationVersion(RP770_VERSION);
    QApplication::setWindowIcon(rp770::ui::ToolbarIcon("Read"));

    // The whole command line after the program name, as one text.
    const QStringList args = QApplication::arguments().mid(1);
    const rp770::Switches switches = rp770::ParseCommandLine(args.join(' ').toStdString());
    const QString programFolder = QApplication::applicationDirPath();
    rp770::ConfigureErrorLog(programFolder.toStdString(), switches.debugMode);

    rp770::platform::QtSettingsStore settings;
    rp770::platform::QtPrompter prompter;
    rp770::platform::SteadyClock clock;
    rp770::platform::EventLoopClock windowClock;
    rp770::platform::EventLoopPump pump;
    rp770::app::DesktopSerialPort port(clock);
    rp770::link::RadioLink radioLink(port, clock, pump, prompter);
    rp770::ui::QtFileDialogs dialogs;

    // The editing session outlives the window that shows it.
    rp770::Workspace workspace(programFolder.toStdString(), settings, prompter);
    rp770::ui::MainWindow window(switches, workspace, {settings, prompter, windowClock, radioLink, dialogs});
    prompter.SetParent(&window);
    if (!window.Startup()) return 0;  // no model offered: "Unknown model!!" was shown
    window.show();
    return QApplication::exec();
}
