// The window's entry: answers --help and --version without a display, then
// records the switches, finds the shipped data, creates and shows the main
// window.

#include <QApplication>
#include <QIcon>
#include <QStringList>
#include <QTimer>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "core/CommandLine.h"
#include "core/ErrorLog.h"
#include "files/DiskFiles.h"
#include "link/RadioLink.h"
#include "app/DesktopSerialPort.h"
#include "platform/DataFolder.h"
#include "platform/ExecutablePath.h"
#include "platform/QtPrompter.h"
#include "platform/QtServices.h"
#include "platform/QtSettingsStore.h"
#include "os/UserFolders.h"
#include "ui/FileDialogs.h"
#include "ui/MainWindow.h"
#include "session/AppSession.h"
#include "ui/ToolbarIcons.h"
#include "ui/WindowAsker.h"

namespace {

constexpr const char* kHelp =
    "Usage: rp770 [/D | /T | /DT | /TD] [FILE.dat | FILE.hex]\n"
    "   or: rp770 --help | --version\n"
    "\n"
    "The window of RP770, the programming tool for the MR318 marine VHF radio: read\n"
    "the radio's memory over the programming cable, edit its channels, channel\n"
    "groups, scan settings and ATIS code, keep them in .dat files, print them, and\n"
    "program the radio back.\n"
    "\n"
    "FILE, a settings file (.dat) or a memory image file (.hex), opens once the\n"
    "window is up, as File > Open would open it; a .hex file opens in any mode.\n"
    "The file is the first argument ending in .dat or .hex (any case), before or\n"
    "after a switch: \"rp770 /D boat.hex\" opens boat.hex in debug mode. A .dat or\n"
    ".hex file dropped on the window opens too, and File > Recent Files lists the\n"
    "last 8 files opened or saved.\n"
    "\n"
    "Switches:\n"
    "  /D          debug mode: the error log err.log, the transfer monitor, the hex\n"
    "              dump, and memory image files (.hex) with Ctrl+F2 and Ctrl+F3\n"
    "  /T          no echo check on the serial cable\n"
    "  /DT, /TD    both\n"
    "  The line without FILE is one switch, in any case: \"/D /T\" sets neither.\n"
    "\n"
    "Options:\n"
    "  --help      show this text and exit\n"
    "  --version   show the version and exit\n"
    "\n"
    "Files:\n"
    "  global.ini, *_013E.ini, QJ Logo.gif, rp770-help.html\n"
    "              the shipped data: the radio models, each destination's factory\n"
    "              memory, the logo, the help text; looked for beside the program,\n"
    "              then in ../share/rp770 from it, then in $RP770_DATA_DIR\n"
    "  err.log     the error log of debug mode: beside the program when that folder\n"
    "              is writable, else in $XDG_STATE_HOME/rp770 (~/.local/state/rp770);\n"
    "              the About box says where\n"
    "  ~/.config/RP770/RP770.conf\n"
    "              the remembered model, destinations, serial port, window place,\n"
    "              recent files and the folder the file dialogs start in\n"
    "\n"
    "Environment:\n"
    "  RP770_DATA_DIR\n"
    "              a folder of global.ini and the definition files, looked at when\n"
    "              neither the program's folder nor ../share/rp770 holds them\n";

// --help and --version are answered before anything needs a display.
bool Answered(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::cout << kHelp;
            return true;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::cout << "rp770 (" << rp770::AppTitle << ") " << RP770_VERSION << "\n";
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (Answered(argc, argv)) return std::cout.flush() ? 0 : 1;

    QApplication app(argc, argv);
    QApplication::setApplicationName(rp770::AppTitle);
    QApplication::setApplicationVersion(RP770_VERSION);
    QApplication::setDesktopFileName("rp770");
    QApplication::setWindowIcon(QIcon::fromTheme("rp770", rp770::ui::ToolbarIcon("Read")));

    // The command line after the program name: a file, and the rest as one text.
    std::vector<std::string> args;
    for (const QString& arg : QApplication::arguments().mid(1)) args.push_back(arg.toStdString());
    const rp770::StartArguments start = rp770::ParseStartArguments(args);
    const rp770::Switches& switches = start.switches;
    if (switches.debugMode) {
        const std::string programFolder = rp770::platform::ExecutableFolder(QApplication::applicationDirPath().toStdString());
        const std::string logFolder = rp770::platform::ErrorLogFolder(programFolder).string();
        rp770::ConfigureErrorLog(logFolder, !logFolder.empty());
    }
    const rp770::platform::DataFolderSearch data = rp770::platform::FindDataFolder();

    rp770::platform::QtSettingsStore settings;
    rp770::platform::QtPrompter prompter;
    rp770::ui::WindowAsker asker(prompter);
    rp770::platform::SteadyClock clock;
    rp770::platform::EventLoopClock windowClock;
    rp770::platform::EventLoopPump pump;
    rp770::app::DesktopSerialPort port(clock);
    rp770::link::RadioLink radioLink(port, clock, pump);
    rp770::ui::QtFileDialogs dialogs;
    rp770::FolderProgramData program(data.folder);
    rp770::DiskFiles files;

    // The session outlives the window that shows it.
    rp770::AppSession session(program, {settings, files, asker}, switches);
    session.SetLink(&radioLink);
    rp770::ui::MainWindow window(session, {settings, prompter, asker, windowClock, dialogs});
    prompter.SetParent(&window);
    if (!window.Startup()) {
        // "Unknown model!!" has been shown; say where the data were looked for.
        if (!data.found)
            prompter.Message(rp770::platform::DataFolderNotFoundMessage(data), rp770::AppTitle, rp770::Icon::Critical);
        return 1;
    }
    window.show();
    // The file named on the command line opens once the window is up.
    if (!start.file.empty())
        QTimer::singleShot(0, &window, [&window, &start] { window.OpenFile(QString::fromStdString(start.file)); });
    return QApplication::exec();
}
