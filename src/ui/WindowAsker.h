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
    std::optional<std::string> ChooseSaveFile() override {
        return chooseSaveFile ? chooseSaveFile() : std::nullopt;
    }
};

}  // namespace rp770::ui
