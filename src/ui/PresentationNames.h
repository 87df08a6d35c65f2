#pragma once
// The window's short names for the parts of the presentation library it
// uses everywhere: the screen texts and the layout rules.

#include "presentation/EditorTexts.h"
#include "presentation/Layout.h"

namespace rp770::ui {

namespace layout = presentation::layout;
namespace texts = presentation::texts;

}  // namespace rp770::ui
