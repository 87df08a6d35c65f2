// The window's entry: records the switches, creates and shows the main window.

#include <QApplication>
#include <QStringList>

#include "core/CommandLine.h"
#include "core/ErrorLog.h"
#include "ui/MainWindow.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(rp770::AppTitle);
    QApplication::setApplicationVersion(RP770_VERSION);

    // The whole command line after the program name, as one text.
    const QStringList args = QApplication::arguments().mid(1);
    const rp770::Switches switches = rp770::ParseCommandLine(args.join(' ').toStdString());
    rp770::ConfigureErrorLog(QApplication::applicationDirPath().toStdString(), switches.debugMode);

    rp770::ui::MainWindow window(switches);
    window.show();
    return QApplication::exec();
}
