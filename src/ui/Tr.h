#pragma once
// The window's words: a message of the catalogue, rendered in the language
// the window speaks (platform/WindowLanguage.h), as Qt shows text.
//
//   menu->addAction(Tr(MessageId::MenuFileOpen));
//   label->setText(Tr({MessageId::AboutVersion, version}));

#include <QString>

#include "messages/MessageText.h"

namespace rp770::ui {

inline QString Tr(const MessageText& text) { return QString::fromStdString(text.Render()); }

}  // namespace rp770::ui
