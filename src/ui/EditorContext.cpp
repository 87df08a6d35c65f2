#include "ui/EditorContext.h"

#include <QWidget>
#include <utility>

namespace rp770::ui {

EditorContext::EditorContext(EditorBinding binding) : binding_(std::move(binding)) {
    showPanel = [](QWidget*) {};
    isCurrentPanel = [](QWidget* panel) { return OwnEnabled(panel); };
    isTree = [](const QWidget*) { return false; };
    treeHasFocus = [] { return false; };
    buildTree = [] {};
    setNodeText = [](const std::string&, const std::string&) {};
}

void EditorContext::SetDataChanged(bool changed) {
    if (binding_.dataChanged)
        *binding_.dataChanged = changed;
    else
        fallbackChanged_ = changed;
}

void EditorContext::Hint(const QString& text) const {
    if (binding_.setHint) binding_.setHint(text);
}

void EditorContext::Message(const std::string& text, const std::string& title, Icon icon) const {
    if (binding_.prompter) binding_.prompter->Message(text, title, icon);
}

bool OwnEnabled(const QWidget* widget) {
    return widget && !widget->testAttribute(Qt::WA_ForceDisabled);
}

}  // namespace rp770::ui
