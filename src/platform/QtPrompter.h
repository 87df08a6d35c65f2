#pragma once
// Message boxes for the window: the real Prompter.

#include <QPointer>
#include <QWidget>

#include "core/Services.h"
#include "platform/Prompter.h"

class QMessageBox;

namespace rp770::platform {

// Makes a message box wide enough for its whole title.
void KeepTitleInView(QMessageBox& box);

class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
    // The window the boxes are shown over (the active dialog, say).
    void SetParent(QWidget* parent) { parent_ = parent; }

    void Message(const std::string& text, const std::string& title, Icon icon) override;
    Answer Ask(const std::string& text, const std::string& title, Icon icon, Buttons buttons,
               Answer defaultAnswer) override;
    Answer AskWithOption(const std::string& text, const std::string& title, Icon icon, Buttons buttons,
                         Answer defaultAnswer, const std::string& option, bool& checked) override;

private:
    Answer Run(QMessageBox& box, Buttons buttons, Answer defaultAnswer);
    QWidget* Owner() const;
    QPointer<QWidget> parent_;
};

}  // namespace rp770::platform
