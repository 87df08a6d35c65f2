// The first half of the hot-exit test: a window opens a settings file,
// edits it, and once the copy of its changes is kept writes what it holds
// (PREFIX.dat: the settings text, PREFIX.image: the memory image), says
// "kept" and waits, to be killed.
//
//   hotexit_window_child DATA_FOLDER FILE.dat PREFIX   (copies in $XDG_STATE_HOME/rp770/sessions)

#include <QApplication>
#include <fstream>
#include <iostream>

#include "HotExitRig.h"

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    QApplication app(argc, argv);
    rp770::ui::testing::HotExitRig rig(argv[1], rp770::KeptSessions::UserFolder());
    if (!rig.Start()) return 1;
    const std::string prefix = argv[3];
    QObject::connect(&rig.hotExit, &rp770::ui::HotExit::kept, [&] {
        std::ofstream(prefix + ".dat", std::ios::binary) << rig.session.workspace().DatText();
        std::ofstream(prefix + ".image", std::ios::binary) << rig.Image();
        std::cout << "kept" << std::endl;
        std::string line;
        std::getline(std::cin, line);  // until killed
        std::_Exit(3);
    });
    rig.window.OpenFile(QString::fromLocal8Bit(argv[2]));
    rp770::Workspace& ws = rig.session.workspace();
    if (ws.SetAtisCode("9211234567") || ws.SetCommon(rp770::CommonField::ResumeTime, 5)) return 1;
    // Bytes of the image no edit reaches, as a read from the radio brings them.
    rp770::DataSet next = ws.data();
    next.image.bytes[1000] ^= 0x5A;
    next.exp[2].ChTag = "=PILOT";
    ws.ReplaceData(next, "Import Channels rows.csv");
    return QApplication::exec();
}
