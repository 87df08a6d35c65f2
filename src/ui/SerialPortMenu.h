#pragma once
// Options > SerialPort: COM1 to COM4, the ports the system reports (listed
// whenever the menu opens, so an adapter plugged in later shows up), the
// simulated radio and "Other device...". A choice goes to the session,
// which puts it on the link and remembers it.

#include <QObject>
#include <QString>
#include <array>

#include "session/AppSession.h"

class QAction;
class QMenu;
class QWidget;

namespace rp770::ui {

class SerialPortMenu : public QObject {
    Q_OBJECT
public:
    SerialPortMenu(QMenu* menu, AppSession& session, QWidget* window);

    void ChoosePort(int index);                  // "COM&1".."COM&4": index 0-3
    void ChooseDevice(const QString& device);    // a detected port, a typed device, or "sim"
    void ChooseOtherDevice();                    // asks for any device name
    // The entries and check marks, from the system's ports and the session's choice.
    void Refresh();

private:
    QMenu* menu_;
    AppSession& session_;
    QWidget* window_;
    std::array<QAction*, 4> portEntries_{};
    QList<QAction*> deviceEntries_;
};

}  // namespace rp770::ui
