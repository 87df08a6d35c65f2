// The window the hot-exit test kills: opens FILE.dat, edits it, and once its
// copy is kept writes PREFIX.dat (its settings text) and PREFIX.image (its
// memory image), says "kept" and waits.
//   hotexit_window_child DATA_FOLDER FILE.dat PREFIX   (copies in $XDG_STATE_HOME/rp770/sessions)

#include <QApplication>
#include <fstream>
#include <iostream>

#include "HotExitRig.h"

int main(int argc, char** argv) {
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
    rp770::DataSet next = ws.data();  // bytes and fields no edit reaches, as an import or a read brings them
    next.image.bytes[1000] ^= 0x5A;
    next.exp[2].ChTag = "=PILOT";
    ws.ReplaceData(next, "Import Channels rows.csv");
    return QApplication::exec();
}
