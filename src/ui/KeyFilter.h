#pragma once
// Drops the typed characters a box does not take, and may type a key as
// another character (a "," as "." in a frequency). Keys that type nothing
// (arrows, Delete, shortcuts such as copy and paste) pass untouched.

#include <QObject>
#include <functional>

class QLineEdit;

namespace rp770::ui {

class KeyFilter : public QObject {
public:
    using Rule = std::function<bool(char32_t key, const QLineEdit& box)>;
    using Translation = std::function<char32_t(char32_t key)>;
    // Installs the rule on the box; the filter is owned by the box. With a
    // translation, each typed character is translated first, and the rule
    // judges what it became.
    static void Install(QLineEdit* box, Rule allowed, Translation translate = {});

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyFilter(QLineEdit* box, Rule allowed, Translation translate);
    Rule allowed_;
    Translation translate_;
};

}  // namespace rp770::ui
