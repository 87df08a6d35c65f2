#pragma once
// Inputs are named for screen readers by the label the user sees beside
// them: the label becomes the input's buddy, its text the input's
// accessible name.

#include <QLabel>
#include <QString>

namespace rp770::ui {

inline void NameByLabel(QLabel* label, QWidget* input) {
    label->setBuddy(input);
    input->setAccessibleName(label->text());
}

}  // namespace rp770::ui
