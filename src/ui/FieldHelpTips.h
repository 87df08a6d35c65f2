#pragma once
// The help of the editing screens' fields in the window: each field and its
// label carry the field's help as their tooltip, and the help line under the
// editing area shows it while the field has the focus or the mouse is over
// it or its label.

#include <QString>
#include <initializer_list>

#include "presentation/FieldHelp.h"

class QWidget;

namespace rp770::ui {

class EditorContext;

// The tooltip that shows a field's help.
QString FieldHelpTip(const QString& help);

// Gives `widgets` (a field, its label, its unit) the help of `field`.
void AttachFieldHelp(EditorContext& context, presentation::Field field, std::initializer_list<QWidget*> widgets);

}  // namespace rp770::ui
