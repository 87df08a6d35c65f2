#pragma once
// Options > SerialPort: the entries the session's port rules give (the
// system's ports, COM1 to COM4, the simulated radio), and "Other device...".
// A choice goes to the session, which puts it on the link and remembers it.

#include <QObject>
#include <QString>

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
};

}  // namespace rp770::ui
