#include "ui/KeyFilter.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <utility>

namespace rp770::ui {

KeyFilter::KeyFilter(QLineEdit* box, Rule allowed, Translation translate)
    : QObject(box), allowed_(std::move(allowed)), translate_(std::move(translate)) {
    box->installEventFilter(this);
}

void KeyFilter::Install(QLineEdit* box, Rule allowed, Translation translate) {
    new KeyFilter(box, std::move(allowed), std::move(translate));
}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    if (text.isEmpty() || key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const auto* box = static_cast<QLineEdit*>(watched);
    QString typed;
    for (const char32_t c : text.toUcs4()) {
        const char32_t t = c < 0x20 || !translate_ ? c : translate_(c);
        if ((t >= 0x20 || t == U'\b') && !allowed_(t, *box)) return true;  // other control characters are editing keys
        typed += QString::fromUcs4(&t, 1);
    }
    if (typed == text) return false;
    // The box gets the key as if the translated character had been typed;
    // the replacement passes this filter again, unchanged.
    const int code = typed.size() == 1 ? static_cast<int>(typed.at(0).toUpper().unicode()) : key->key();
    QKeyEvent replacement(key->type(), code, key->modifiers(), typed, key->isAutoRepeat(), key->count());
    QCoreApplication::sendEvent(watched, &replacement);
    return true;
}

}  // namespace rp770::ui
