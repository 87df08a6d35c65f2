#pragma once
// An editing area on the shipped factory data (USA destination), for
// screenshots and for trying the screens without a radio.

#include <QString>
#include <memory>

#include "core/Model.h"
#include "ui/EditorPane.h"

namespace rp770::ui {

struct EditorDemo {
    DataSet data;
    bool dataChanged = false;
    QString lastHint;
    std::unique_ptr<EditorPane> pane;
};

// The pane is re-initialised and shows "General"; `prompter` (may be null)
// answers its message boxes.
std::unique_ptr<EditorDemo> MakeEditorDemo(const QString& programFolder, Prompter* prompter);

}  // namespace rp770::ui
