#include "platform/QtPrompter.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace rp770::platform {

namespace {

QMessageBox::Icon ToQt(Icon icon) {
    switch (icon) {
        case Icon::Information: return QMessageBox::Information;
        case Icon::Warning: return QMessageBox::Warning;
        case Icon::Critical: return QMessageBox::Critical;
        case Icon::Question: return QMessageBox::Question;
        case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton ToQt(Answer a) {
    switch (a) {
        case Answer::Ok: return QMessageBox::Ok;
        case Answer::Cancel: return QMessageBox::Cancel;
        case Answer::Yes: return QMessageBox::Yes;
        case Answer::No: return QMessageBox::No;
        case Answer::Retry: return QMessageBox::Retry;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButtons ToQt(Buttons b) {
    switch (b) {
        case Buttons::Ok: return QMessageBox::Ok;
        case Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
        case Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
        case Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case Buttons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

Answer FromQt(int button, Answer fallback) {
    switch (button) {
        case QMessageBox::Ok: return Answer::Ok;
        case QMessageBox::Cancel: return Answer::Cancel;
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        case QMessageBox::Retry: return Answer::Retry;
        default: return fallback;
    }
}

}  // namespace

void KeepTitleInView(QMessageBox& box) {
    // A short message makes a narrow box, whose title bar would cut its
    // title ("AT...o"): the box is made as wide as the title needs, with room
    // for the title bar's icon and buttons.
    constexpr int kTitleBarExtra = 140;
    const int wanted = box.fontMetrics().horizontalAdvance(box.windowTitle()) + kTitleBarExtra;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                      grid->columnCount());
}

QWidget* QtPrompter::Owner() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return parent_.data();
}

void QtPrompter::Message(const std::string& text, const std::string& title, Icon icon) {
    // A long list (the problems of a refused import, say) shows its first
    // lines; all of them are under Show Details.
    constexpr int kShownLines = 15;
    const QString whole = QString::fromStdString(text);
    const QStringList lines = whole.split('\n');
    const bool tooLong = lines.size() > kShownLines + 1;
    const QString shown = tooLong ? QStringList(lines.mid(0, kShownLines)).join('\n') +
                                      QString("\n... and %1 more lines").arg(lines.size() - kShownLines)
                                : whole;
    QMessageBox box(ToQt(icon), QString::fromStdString(title), shown, QMessageBox::Ok, Owner());
    if (tooLong) box.setDetailedText(whole);
    KeepTitleInView(box);
    box.exec();
}

Answer QtPrompter::Ask(const std::string& text, const std::string& title, Icon icon, Buttons buttons,
                       Answer defaultAnswer) {
    QMessageBox box(ToQt(icon), QString::fromStdString(title), QString::fromStdString(text), ToQt(buttons), Owner());
    return Run(box, buttons, defaultAnswer);
}

Answer QtPrompter::AskWithOption(const std::string& text, const std::string& title, Icon icon, Buttons buttons,
                                 Answer defaultAnswer, const std::string& option, bool& checked) {
    QMessageBox box(ToQt(icon), QString::fromStdString(title), QString::fromStdString(text), ToQt(buttons), Owner());
    auto* check = new QCheckBox(QString::fromStdString(option), &box);
    check->setChecked(checked);
    box.setCheckBox(check);
    const Answer answer = Run(box, buttons, defaultAnswer);
    checked = check->isChecked();
    return answer;
}

Answer QtPrompter::Run(QMessageBox& box, Buttons buttons, Answer defaultAnswer) {
    box.setDefaultButton(ToQt(defaultAnswer));
    KeepTitleInView(box);
    // Closing the box without a choice counts as Cancel where there is one.
    const Answer escape = (buttons == Buttons::YesNo) ? Answer::No : (buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel);
    box.setEscapeButton(ToQt(escape));
    return FromQt(box.exec(), escape);
}

}  // namespace rp770::platform
