#pragma once
// What the editing area's panels share: the editing session they show and
// change (read through const access, changed only through its edits), the
// filling flag, the status bar hint, the help line, message boxes, and the few services of
// the whole area a panel may call back into.

#include <QString>
#include <functional>
#include <string>

#include "core/Outcome.h"
#include "core/Services.h"
#include "platform/Prompter.h"
#include "ui/PresentationNames.h"
#include "workspace/Workspace.h"

class QWidget;

namespace rp770::ui {

// What the window around the editing area gives it.
struct EditorServices {
    Prompter& prompter;                                  // every message box goes through here
    std::function<void(const QString&)> setHint;         // status bar panel 1
    QString programFolder;                               // where "QJ Logo.gif" may be
    std::function<void(const QString&)> setHelp = {};    // the help line under the editing area
};

class EditorContext {
public:
    EditorContext(Workspace& workspace, EditorServices services);

    const DataSet& Data() const { return workspace_.data(); }
    Workspace& Session() { return workspace_; }

    // `FillingPanels`: set while program code fills controls; edit handlers
    // ignore their events then. Set it through FillingGuard.
    bool Filling() const { return filling_ > 0; }

    void Hint(const QString& text) const;
    // The help of the field in use (ui/FieldHelpTips.h); empty clears it.
    void Help(const QString& text) const;
    void Show(const Message& message) const;
    std::string MessageTitle() const { return workspace_.messageTitle(); }
    const QString& ProgramFolder() const { return services_.programFolder; }
    // Shows a refused edit's message; true when the edit was taken.
    bool Accepted(const EditResult& result) const;

    // Services of the whole area, installed by it.
    std::function<void(QWidget* panel)> showPanel;       // disable all, bring to front, enable
    std::function<bool(QWidget* panel)> isCurrentPanel;  // the panel is the enabled one
    std::function<bool(const QWidget* widget)> isTree;   // the widget is the navigation tree
    std::function<bool()> treeHasFocus;

private:
    friend class FillingGuard;
    Workspace& workspace_;
    EditorServices services_;
    int filling_ = 0;
};

// `FillingPanels` for as long as it lives (nested guards count).
class FillingGuard {
public:
    explicit FillingGuard(EditorContext& context) : context_(context) { ++context_.filling_; }
    ~FillingGuard() { --context_.filling_; }
    FillingGuard(const FillingGuard&) = delete;
    FillingGuard& operator=(const FillingGuard&) = delete;

private:
    EditorContext& context_;
};

// The panel's own Enabled setting, whatever its containers say.
bool OwnEnabled(const QWidget* widget);

}  // namespace rp770::ui
