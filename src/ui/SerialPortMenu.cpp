#include "ui/SerialPortMenu.h"

#include <QAction>
#include <QInputDialog>
#include <QMenu>

#include "link/SerialPort.h"
#include "platform/SerialPortList.h"

namespace rp770::ui {

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

SerialPortMenu::SerialPortMenu(QMenu* menu, AppSession& session, QWidget* window)
    : QObject(menu), menu_(menu), session_(session), window_(window) {
    for (int i = 0; i < 4; ++i) {
        QAction* a = menu_->addAction(QString("COM&%1").arg(i + 1), this, [this, i] { ChoosePort(i); });
        a->setObjectName(QString("mnuOptionsSerialPort1%1").arg(i));
        a->setCheckable(true);
        portEntries_[static_cast<size_t>(i)] = a;
    }
    menu_->addSeparator();
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
        QInputDialog::getText(window_, "Other device",
                              "The serial device to use (a path such as /dev/ttyUSB0, or a name such as COM7):",
                              QLineEdit::Normal, current == link::kSimulatedRadioDevice ? QString() : Q(current), &ok)
            .trimmed();
    if (ok && !device.isEmpty()) ChooseDevice(device);
}

void SerialPortMenu::Refresh() {
    const link::LinkState& state = session_.linkChoice();
    for (int i = 0; i < 4; ++i)
        portEntries_[static_cast<size_t>(i)]->setChecked(state.PortDevice.empty() && state.PortNumber == i + 1);
    for (QAction* a : deviceEntries_) {
        menu_->removeAction(a);
        a->deleteLater();
    }
    deviceEntries_.clear();
    auto addDevice = [this](const QString& caption, const QString& device, bool checked) {
        QString text = caption;
        QAction* a = menu_->addAction(text.replace('&', "&&"), this, [this, device] { ChooseDevice(device); });
        a->setCheckable(true);
        a->setChecked(checked);
        deviceEntries_ << a;
        return a;
    };
    // Every port the system reports, with what it says of it; a port with a
    // lasting name is remembered by it.
    bool listed = false;
    for (const platform::SerialPortEntry& port : platform::ListSerialPorts()) {
        const QString description = Q(port.Description());
        const bool chosen = port.Names(state.PortDevice);
        listed = listed || chosen;
        addDevice(Q(port.device) + (description.isEmpty() ? "" : "   " + description), Q(port.RememberedName()), chosen);
    }
    if (!state.PortDevice.empty() && state.PortDevice != link::kSimulatedRadioDevice && !listed)
        addDevice(Q(state.PortDevice), Q(state.PortDevice), true);
    addDevice("Simulated radio", link::kSimulatedRadioDevice, state.PortDevice == link::kSimulatedRadioDevice)
        ->setObjectName("mnuOptionsSerialPortSim");
    QAction* other = menu_->addAction("&Other device...", this, &SerialPortMenu::ChooseOtherDevice);
    other->setObjectName("mnuOptionsSerialPortOther");
    deviceEntries_ << other;
}

}  // namespace rp770::ui
