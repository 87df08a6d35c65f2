#pragma once
// How the engine asks the window's user: message boxes through the
// prompter, and the save dialog the window installs for "where to save".

#include <functional>
#include <optional>
#include <string>

#include "core/Outcome.h"
#include "platform/Prompter.h"

namespace rp770::ui {

class WindowAsker : public PrompterAsker {
public:
    using PrompterAsker::PrompterAsker;
    std::function<std::optional<std::string>()> chooseSaveFile;
    // The file dialogs: a file of the kind to open (save false) or to save.
    std::function<std::optional<std::string>(Files, bool save)> chooseFile;
    std::optional<std::string> ChooseSaveFile() override {
        return chooseSaveFile ? chooseSaveFile() : std::nullopt;
    }
    std::optional<std::string> ChooseFileToOpen(Files kind) override {
        return chooseFile ? chooseFile(kind, false) : std::nullopt;
    }
    std::optional<std::string> ChooseFileToSave(Files kind) override {
        if (kind == Files::Data) return ChooseSaveFile();
        return chooseFile ? chooseFile(kind, true) : std::nullopt;
    }
};

}  // namespace rp770::ui
