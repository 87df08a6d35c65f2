// The window's entry: answers --help, --version and a wrong command line
// without a display, says so when there is no display, then records the
// switches, finds the shipped data, creates and shows the main window.

#include <QApplication>
#include <QIcon>
#include <QStringList>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "core/CommandLine.h"
#include "desktop/DiskFiles.h"
#include "desktop/ErrorLogFile.h"
#include "link/RadioLink.h"
#include "messages/BuiltInTranslations.h"
#include "messages/MessageText.h"
#include "app/DesktopSerialPort.h"
#include "desktop/DataFolder.h"
#include "desktop/ExecutablePath.h"
#include "platform/QtPrompter.h"
#include "platform/QtServices.h"
#include "platform/QtSettingsStore.h"
#include "desktop/SerialPortList.h"
#include "platform/WindowLanguage.h"
#include "os/UserFolders.h"
#include "ui/FileDialogs.h"
#include "ui/HotExit.h"
#include "desktop/KeptSessions.h"
#include "ui/MainWindow.h"
#include "session/AppSession.h"
#include "desktop/FolderKeeper.h"
#include "ui/ToolbarIcons.h"
#include "ui/WindowAsker.h"

namespace {

// Without a display the window system cannot start, and the toolkit ends
// the program (abort, "Reinstalling the application may fix this
// problem"). While the application object is made, the toolkit's messages
// are held back: a fatal one ends the program here, saying what is missing
// and what works instead, with exit status 1; the others are passed on once
// the window system is up.
class DisplayWatch {
public:
    DisplayWatch() { previous_ = qInstallMessageHandler(&DisplayWatch::Handle); }
    ~DisplayWatch() { Release(); }
    DisplayWatch(const DisplayWatch&) = delete;
    DisplayWatch& operator=(const DisplayWatch&) = delete;

    void Release() {
        if (!previous_) return;
        qInstallMessageHandler(previous_);
        for (const Held& m : held_) {
            const QMessageLogContext context(m.file.c_str(), m.line, m.function.c_str(), m.category.c_str());
            previous_(m.type, context, m.text);
        }
        held_.clear();
        previous_ = nullptr;
    }

private:
    struct Held {
        QtMsgType type;
        std::string file, function, category;
        int line;
        QString text;
    };

    static std::string Text(const char* s) { return s ? s : ""; }

    static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (type != QtFatalMsg) {
            held_.push_back({type, Text(context.file), Text(context.function), Text(context.category), context.line, text});
            return;
        }
        std::string reason;
        if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            reason = rp770::Words(rp770::MessageId::NoDisplayVariable);
        else if (!held_.empty())
            reason = held_.front().text.trimmed().toStdString();
        else
            reason = text.section(QLatin1Char('\n'), 0, 0).trimmed().toStdString();
        std::cerr << rp770::WrapHelpText(rp770::Words(rp770::MessageId::WindowNeedsDisplay, reason));
        std::cerr.flush();
        std::_Exit(1);
    }

    static inline QtMessageHandler previous_ = nullptr;
    static inline std::vector<Held> held_;
};

}  // namespace

int main(int argc, char* argv[]) {
    // --help, --version and a wrong command line are answered before anything
    // needs a display, in the language the environment asks for (the tables
    // built in; the window's own catalogues are chosen once the data are found).
    rp770::UseBuiltInLanguage(rp770::LanguageEnvironmentOfProcess());
    const rp770::WindowRequest request = rp770::CheckWindowArguments(std::vector<std::string>(argv + 1, argv + argc));
    switch (request.kind) {
    case rp770::WindowRequest::Kind::Help:
        std::cout << rp770::WrapHelpText(rp770::Words(rp770::MessageId::WindowHelp) +
                                         rp770::Words(rp770::MessageId::HelpDataDirVariable) +
                                         rp770::Words(rp770::MessageId::WindowHelpEnd));
        return std::cout.flush() ? 0 : 1;
    case rp770::WindowRequest::Kind::Version:
        std::cout << "rp770 (" << rp770::AppTitle << ") " << RP770_VERSION << "\n";
        return std::cout.flush() ? 0 : 1;
    case rp770::WindowRequest::Kind::Usage:
        std::cerr << rp770::Words(rp770::MessageId::WindowProblem, request.problem) << "\n"
                  << rp770::Words(rp770::MessageId::WindowUsage);
        return 2;
    case rp770::WindowRequest::Kind::Start:
        break;
    }

    DisplayWatch displayWatch;
    QApplication app(argc, argv);
    displayWatch.Release();
    QApplication::setApplicationName(rp770::AppTitle);
    QApplication::setApplicationVersion(RP770_VERSION);
    QApplication::setDesktopFileName("rp770");
    QApplication::setWindowIcon(QIcon::fromTheme("rp770", rp770::ui::ToolbarIcon("Read")));

    // The command line after the program name and the toolkit's options: a
    // file, and the rest as one text.
    std::vector<std::string> args;
    for (const QString& arg : QApplication::arguments().mid(1)) args.push_back(arg.toStdString());
    const rp770::StartArguments start = rp770::ParseStartArguments(rp770::WithoutToolkitOptions(args));
    const rp770::Switches& switches = start.switches;
    // Debug mode's error log: beside the program when its folder is the
    // user's own, else in the user's state folder.
    std::unique_ptr<rp770::ErrorLogFile> errorLog;
    if (switches.debugMode) {
        const std::string programFolder = rp770::platform::ExecutableFolder(QApplication::applicationDirPath().toStdString());
        const std::filesystem::path logFolder =
            rp770::ErrorLogFolder(programFolder, rp770::platform::UserStateFolder());
        if (!logFolder.empty()) errorLog = std::make_unique<rp770::ErrorLogFile>(logFolder / rp770::kErrorLogFileName);
    }
    const rp770::platform::DataFolderSearch data = rp770::platform::FindDataFolder();

    rp770::platform::QtSettingsStore settings;
    // The window speaks the remembered language, else the system's (LANGUAGE, LC_ALL, LC_MESSAGES, LANG).
    const rp770::platform::WindowLanguage language(
        rp770::platform::ChooseWindowLanguage(settings, data.folder, rp770::LanguageEnvironmentOfProcess()), data.folder);
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
    // Every radio memory read is kept in the user's state folder.
    rp770::DesktopRadioKeeper keeper;
    rp770::AppSession session(program, {settings, files, asker, errorLog ? *errorLog : rp770::NoErrorLog(), keeper.keeper()},
                              switches);
    session.OfferBackupChoice(true);
    session.SetSystemPorts(&rp770::platform::SystemSerialPorts);
    session.SetLink(&radioLink);
    rp770::ui::MainWindow window(session, {settings, prompter, asker, windowClock, dialogs,
                                          rp770::platform::WindowLanguages(data.folder)});
    prompter.SetParent(&window);
    if (!window.Startup()) {
        // "Unknown model!!" has been shown; say where the data were looked for.
        if (!data.found)
            prompter.Message(rp770::platform::DataFolderNotFoundMessage(data), rp770::AppTitle, rp770::Icon::Critical);
        return 1;
    }
    // Unsaved changes are kept aside while the user works, and those of a
    // window that ended without saving are offered back once the window is up.
    rp770::KeptSessions kept(rp770::KeptSessions::UserFolder());
    rp770::ui::HotExit hotExit(session, kept, prompter, &window);
    window.show();
    // Unsaved changes kept aside are offered back first, then a radio left
    // partly programmed; the file named on the command line opens after that.
    QTimer::singleShot(0, &window, [&window, &start, &hotExit] {
        hotExit.OfferWaiting();
        window.OfferPartlyProgrammed();
        if (!start.file.empty()) window.OpenFile(QString::fromStdString(start.file));
    });
    const int status = QApplication::exec();
    hotExit.Finish();  // the window was closed on purpose
    return status;
}
