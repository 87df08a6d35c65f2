#include "ui/FieldHelpTips.h"

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QVariant>
#include <QWidget>

#include "ui/EditorContext.h"
#include "ui/Tr.h"

namespace rp770::ui {

namespace {

// The help a widget carries, as a property, so that leaving a hovered field
// can bring back the help of the field that has the focus.
constexpr const char* kHelpProperty = "rp770FieldHelp";

QString HelpOf(const QWidget* widget) {
    return widget ? widget->property(kHelpProperty).toString() : QString();
}

class FieldHelpWatcher : public QObject {
public:
    FieldHelpWatcher(EditorContext& context, QWidget* widget) : QObject(widget), context_(context), widget_(widget) {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != widget_) return false;
        switch (event->type()) {
            case QEvent::FocusIn:
            case QEvent::Enter:
                context_.Help(HelpOf(widget_));
                break;
            case QEvent::Leave:
                // Back to the help of the field being edited, if any.
                context_.Help(HelpOf(QApplication::focusWidget()));
                break;
            case QEvent::FocusOut:
                if (!widget_->underMouse()) context_.Help(HelpOf(QApplication::focusWidget()));
                break;
            default:
                break;
        }
        return false;
    }

private:
    EditorContext& context_;
    QWidget* widget_;
};

}  // namespace

// As rich text a tooltip wraps its lines, instead of running across the screen.
QString FieldHelpTip(const QString& help) { return QStringLiteral("<p>%1</p>").arg(help.toHtmlEscaped()); }

void AttachFieldHelp(EditorContext& context, presentation::Field field, std::initializer_list<QWidget*> widgets) {
    const QString help = Tr(presentation::FieldHelp(field));
    for (QWidget* widget : widgets) {
        if (!widget) continue;
        widget->setToolTip(FieldHelpTip(help));
        if (widget->accessibleDescription().isEmpty()) widget->setAccessibleDescription(help);
        widget->setProperty(kHelpProperty, help);
        new FieldHelpWatcher(context, widget);
    }
}

}  // namespace rp770::ui
