#include "ui/KeyFilter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <utility>

namespace rp770::ui {

KeyFilter::KeyFilter(QLineEdit* box, Rule allowed) : QObject(box), allowed_(std::move(allowed)) {
    box->installEventFilter(this);
}

void KeyFilter::Install(QLineEdit* box, Rule allowed) { new KeyFilter(box, std::move(allowed)); }

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    if (text.isEmpty() || key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const auto* box = static_cast<QLineEdit*>(watched);
    for (const char32_t c : text.toUcs4()) {
        if (c < 0x20 && c != U'\b') continue;  // other control characters are editing keys
        if (!allowed_(c, *box)) return true;
    }
    return false;
}

}  // namespace rp770::ui
