#include "ui/EditorContext.h"

#include <QWidget>
#include <utility>

#include "presentation/ScreenMessages.h"

namespace rp770::ui {

EditorContext::EditorContext(Workspace& workspace, EditorServices services)
    : workspace_(workspace), services_(std::move(services)) {
    showPanel = [](QWidget*) {};
    isCurrentPanel = [](QWidget* panel) { return OwnEnabled(panel); };
    isTree = [](const QWidget*) { return false; };
    treeHasFocus = [] { return false; };
}

void EditorContext::Hint(const QString& text) const {
    if (services_.setHint) services_.setHint(text);
}

void EditorContext::Help(const QString& text) const {
    if (services_.setHelp) services_.setHelp(text);
}

void EditorContext::Show(const Message& message) const { ShowMessages(services_.prompter, {message}); }

bool EditorContext::Accepted(const EditResult& result) const {
    if (!result) return true;
    Show(presentation::RefusalMessage(*result));
    return false;
}

bool OwnEnabled(const QWidget* widget) {
    return widget && !widget->testAttribute(Qt::WA_ForceDisabled);
}

}  // namespace rp770::ui
