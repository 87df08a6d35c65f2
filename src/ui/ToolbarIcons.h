#pragma once
// Toolbar icons of our own making, drawn so they look alike on every platform.

#include <QIcon>
#include <QString>

namespace rp770::ui {

// key: "New", "Open", "Save", "SaveAsDefault", "Print", "Program", "Program2", "Read", "Read2".
// Outlined for the application's palette at the time of the call (light or
// dark).
QIcon ToolbarIcon(const QString& key);

}  // namespace rp770::ui
