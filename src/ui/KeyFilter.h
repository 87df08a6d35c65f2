#pragma once
// Drops the typed characters a box does not take. Keys that type nothing
// (arrows, Delete, shortcuts such as copy and paste) pass untouched.

#include <QObject>
#include <functional>

class QLineEdit;

namespace rp770::ui {

class KeyFilter : public QObject {
public:
    using Rule = std::function<bool(char32_t key, const QLineEdit& box)>;
    // Installs the rule on the box; the filter is owned by the box.
    static void Install(QLineEdit* box, Rule allowed);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyFilter(QLineEdit* box, Rule allowed);
    Rule allowed_;
};

}  // namespace rp770::ui
