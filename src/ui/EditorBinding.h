#pragma once
// What the editing area works on, filled in by the window that holds it.

#include <QString>
#include <functional>
#include <string>

#include "core/Model.h"
#include "core/Services.h"

namespace rp770::ui {

struct EditorBinding {
    DataSet* data = nullptr;          // the data set every screen edits
    bool* dataChanged = nullptr;      // set by every edit
    Prompter* prompter = nullptr;     // every message box goes through here
    std::string messageTitle;         // caption of the editor's message boxes
    std::function<void(const QString&)> setHint;  // status bar panel 1
    QString programFolder;            // where "QJ Logo.gif" may be
};

}  // namespace rp770::ui
