#pragma once
// State the editing area's panels share: the binding, the filling flag and
// the few services of the whole area a panel may call back into.

#include <QString>
#include <functional>

#include "ui/EditorBinding.h"

class QWidget;

namespace rp770::ui {

class EditorContext {
public:
    explicit EditorContext(EditorBinding binding);

    EditorBinding& Binding() { return binding_; }
    DataSet& Data() { return binding_.data ? *binding_.data : fallbackData_; }

    // `FillingPanels`: set while program code fills controls; edit handlers
    // ignore their events then.
    bool& FillingPanels() { return fillingPanels_; }
    bool Filling() const { return fillingPanels_; }

    bool DataChanged() const { return binding_.dataChanged ? *binding_.dataChanged : fallbackChanged_; }
    void SetDataChanged(bool changed);
    // An edit: the data-changed flag is set.
    void MarkChanged() { SetDataChanged(true); }

    void Hint(const QString& text) const;
    void Message(const std::string& text, const std::string& title, Icon icon) const;
    const std::string& MessageTitle() const { return binding_.messageTitle; }

    // Services of the whole area, installed by it.
    std::function<void(QWidget* panel)> showPanel;       // disable all, bring to front, enable
    std::function<bool(QWidget* panel)> isCurrentPanel;  // the panel is the enabled one
    std::function<bool(const QWidget* widget)> isTree;   // the widget is the navigation tree
    std::function<bool()> treeHasFocus;
    std::function<void()> buildTree;
    std::function<void(const std::string& key, const std::string& text)> setNodeText;

private:
    EditorBinding binding_;
    DataSet fallbackData_;
    bool fallbackChanged_ = false;
    bool fillingPanels_ = false;
};

// The panel's own Enabled setting, whatever its containers say.
bool OwnEnabled(const QWidget* widget);

}  // namespace rp770::ui
