// Writes a picture of each editing screen on the factory data:
//   rp770-editor-screens OUTPUT_FOLDER [WIDTH HEIGHT]
// Runs without a display (QT_QPA_PLATFORM=offscreen).

#include <QApplication>
#include <QDir>
#include <QPixmap>

#include "ui/EditorDemo.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const int width = argc > 3 ? QString(argv[2]).toInt() : 900;
    const int height = argc > 3 ? QString(argv[3]).toInt() : 600;
    QDir().mkpath(folder);
    auto demo = rp770::ui::MakeEditorDemo(QApplication::applicationDirPath(), nullptr);
    // Show the EXP screens with one channel in use.
    demo->data.groups[rp770::GroupEXP].Usable = true;
    demo->data.exp[1].Enable = true;
    demo->data.exp[1].CHDisplayL = "E1";
    demo->data.exp[1].Rxfreq = demo->data.exp[1].Txfreq = 156.025;
    demo->pane->BuildTree();
    demo->pane->resize(width, height);
    demo->pane->show();
    QApplication::processEvents();
    const struct { const char* key; const char* file; } screens[] = {
        {"General", "general"}, {"Common", "common"}, {"Program", "program"}, {"PU", "usa-list"},
        {"PU 30", "usa-16"},    {"PU 28", "usa-15"},  {"PU 48", "usa-24"},   {"PW", "weather"},
        {"ExpChannel", "exp-list"}, {"E 1", "exp-1"},
    };
    for (const auto& screen : screens) {
        demo->pane->SelectNodeByKey(QString::fromLatin1(screen.key));
        QApplication::processEvents();
        demo->pane->grab().save(QDir(folder).filePath(QString::fromLatin1(screen.file) + ".png"));
    }
    return 0;
}
