#include "ui/SerialPortMenu.h"

#include <QAction>
#include <QInputDialog>
#include <QMenu>

#include "link/SerialPort.h"
#include "ui/Tr.h"

namespace rp770::ui {

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

SerialPortMenu::SerialPortMenu(QMenu* menu, AppSession& session, QWidget* window)
    : QObject(menu), menu_(menu), session_(session), window_(window) {
    // The ports the system reports are listed whenever the menu opens, so an
    // adapter plugged in later shows up.
    connect(menu_, &QMenu::aboutToShow, this, &SerialPortMenu::Refresh);
}

void SerialPortMenu::ChoosePort(int index) {
    session_.ChoosePort(index + 1);
    Refresh();
}

void SerialPortMenu::ChooseDevice(const QString& device) {
    session_.ChooseDevice(device.toStdString());
    Refresh();
}

void SerialPortMenu::ChooseOtherDevice() {
    const std::string& current = session_.linkChoice().PortDevice;
    bool ok = false;
    const QString device =
        QInputDialog::getText(window_, Tr(MessageId::OtherDevice), Tr(MessageId::OtherDeviceQuestion),
                              QLineEdit::Normal, current == link::kSimulatedRadioDevice ? QString() : Q(current), &ok)
            .trimmed();
    if (ok && !device.isEmpty()) ChooseDevice(device);
}

void SerialPortMenu::Refresh() {
    menu_->clear();
    // The system's devices first, a chosen device that has gone, COM1-COM4,
    // the simulated radio (PortChoice.h).
    for (const PortEntry& entry : session_.PortMenu()) {
        QString caption = entry.number > 0 ? QString("COM&%1").arg(entry.number) : Q(entry.label).replace('&', "&&");
        if (entry.number > 0 && entry.device != "COM" + std::to_string(entry.number))
            caption += "   " + Q(entry.device).replace('&', "&&");
        if (!entry.description.empty()) caption += "   " + Q(entry.description).replace('&', "&&");
        const PortSelection choice = entry.choice;
        QAction* a = menu_->addAction(caption, this, [this, choice] {
            session_.ChoosePort(choice);
            Refresh();
        });
        a->setCheckable(true);
        a->setChecked(entry.checked);
        if (entry.number > 0) a->setObjectName(QString("mnuOptionsSerialPort1%1").arg(entry.number - 1));
        if (entry.device == link::kSimulatedRadioDevice) a->setObjectName("mnuOptionsSerialPortSim");
    }
    menu_->addSeparator();
    QAction* other = menu_->addAction(Tr(MessageId::MenuOptionsOtherDevice), this, &SerialPortMenu::ChooseOtherDevice);
    other->setObjectName("mnuOptionsSerialPortOther");
}

}  // namespace rp770::ui
