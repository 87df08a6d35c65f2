#pragma once
// A window as the program makes one (scripted boxes, no file dialogs, no
// pauses), keeping its unsaved changes in a folder of copies at once: the
// window the hot-exit test kills and the one it starts after it.

#include "desktop/DiskFiles.h"
#include "desktop/KeptSessions.h"
#include "files/MemorySettingsStore.h"
#include "support/ScriptedPrompter.h"
#include "ui/FileDialogs.h"
#include "ui/HotExit.h"
#include "ui/MainWindow.h"
#include "ui/WindowAsker.h"

namespace rp770::ui::testing {

struct NoDialogs : FileDialogs {
    QString OpenPath(QWidget*, FileKind, const QString&) override { return {}; }
    QString SavePath(QWidget*, FileKind, const QString&) override { return {}; }
    bool ChoosePrinter(QWidget*, QPrinter&) override { return false; }
};
struct NoPauses : Clock {
    double Now() override { return 0; }
    void Sleep(int) override {}
};

struct HotExitRig {
    MemorySettingsStore settings;
    rp770::testing::ScriptedPrompter prompter;
    WindowAsker asker{prompter};
    NoPauses clock;
    NoDialogs dialogs;
    FolderProgramData program;
    DiskFiles files;
    AppSession session{program, {settings, files, asker}};
    MainWindow window{session, {settings, prompter, asker, clock, dialogs}};
    KeptSessions kept;
    HotExit hotExit;

    HotExitRig(const std::string& dataFolder, const std::filesystem::path& copies, HotExit::Ask ask = {})
        : program(dataFolder), kept(copies), hotExit(session, kept, prompter, &window, std::move(ask), 0) {}
    bool Start() { return window.Startup() && (window.show(), true); }
    std::string Image() const {
        const auto& bytes = session.data().image.bytes;
        return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
};

}  // namespace rp770::ui::testing
