#include "platform/QtSerialPort.h"

#include <QSerialPort>
#include <QSerialPortInfo>
#include <algorithm>
#include <cerrno>

#include "link/LineSettings.h"
#include "os/DeviceAccess.h"

namespace rp770::platform {

namespace {

constexpr int kWriteFlushMs = 2000;  // the longest a write may take to reach the driver

QSerialPort::Parity ToParity(char p) {
    switch (p) {
        case 'E': return QSerialPort::EvenParity;
        case 'O': return QSerialPort::OddParity;
        case 'M': return QSerialPort::MarkParity;
        case 'S': return QSerialPort::SpaceParity;
        default: return QSerialPort::NoParity;
    }
}

QSerialPort::StopBits ToStopBits(int twice) {
    if (twice == 3) return QSerialPort::OneAndHalfStop;
    if (twice == 4) return QSerialPort::TwoStop;
    return QSerialPort::OneStop;
}

// Errors after which the device is no longer there to talk to. A device
// that went away shows as failing reads and writes first, then as a
// resource error.
bool MeansLost(QSerialPort::SerialPortError e) {
    return e == QSerialPort::ResourceError || e == QSerialPort::ReadError || e == QSerialPort::WriteError ||
           e == QSerialPort::DeviceNotFoundError || e == QSerialPort::PermissionError ||
           e == QSerialPort::NotOpenError;
}

}  // namespace

QtSerialPort::QtSerialPort() : port_(std::make_unique<QSerialPort>()) {
    QObject::connect(port_.get(), &QSerialPort::errorOccurred, [this](QSerialPort::SerialPortError e) {
        if (port_->isOpen() && MeansLost(e)) {
            lost_ = true;
            NoteFailure(e);
        }
    });
}

QtSerialPort::~QtSerialPort() {
    QObject::disconnect(port_.get(), nullptr, nullptr, nullptr);
    if (port_->isOpen()) port_->close();
}

std::string QtSerialPort::DeviceName(const link::PortAddress& address) {
    if (!address.device.empty()) return address.device;
    const int n = address.number;
#if defined(Q_OS_WIN)
    return "COM" + std::to_string(n);
#elif defined(Q_OS_MACOS)
    std::vector<std::string> devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        if (info.portName().startsWith("cu.")) devices.push_back(info.systemLocation().toStdString());
    std::sort(devices.begin(), devices.end());
    if (n >= 1 && static_cast<size_t>(n) <= devices.size()) return devices[static_cast<size_t>(n) - 1];
    return "/dev/cu.serial" + std::to_string(n);
#else
    return "/dev/ttyS" + std::to_string(n - 1);
#endif
}

void QtSerialPort::NoteFailure(int error) {
    error_ = {error, port_->errorString().toStdString()};
}

void QtSerialPort::NoteOpenFailure(const std::string& device) {
    const QSerialPort::SerialPortError error = port_->error();
    NoteFailure(error);
    error_.device = device;
    // The reason in the system's own terms, whatever language Qt speaks: a
    // device that is missing or may not be used says so; one that exists
    // and may be used, but was refused, is held by another program.
    const DeviceAccess access = CheckDeviceAccess(device);
    if (access.error != 0) {
        error_.systemError = access.error;
        error_.deviceGroup = access.group;
    } else if (error == QSerialPort::DeviceNotFoundError) {
        error_.systemError = ENOENT;
    } else if (error == QSerialPort::PermissionError) {
        error_.systemError = EBUSY;
    }
}

bool QtSerialPort::Open(const link::PortAddress& address, const std::string& settings) {
    if (port_->isOpen()) {
        error_ = {QSerialPort::OpenError, "the port is already open"};
        return false;
    }
    const auto line = link::ParseLineSettings(settings);
    if (!line) {
        error_ = {QSerialPort::UnsupportedOperationError, "unsupported line settings \"" + settings + "\""};
        return false;
    }
    lost_ = false;
    const std::string device = DeviceName(address);
    port_->setPortName(QString::fromStdString(device));
    if (!port_->open(QIODevice::ReadWrite)) {
        NoteOpenFailure(device);
        port_->clearError();
        return false;
    }
    const bool configured = port_->setBaudRate(line->baud) &&
                            port_->setDataBits(static_cast<QSerialPort::DataBits>(line->dataBits)) &&
                            port_->setParity(ToParity(line->parity)) && port_->setStopBits(ToStopBits(line->stopBits2)) &&
                            port_->setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        NoteFailure(port_->error());
        port_->close();
        port_->clearError();
        return false;
    }
    port_->clear(QSerialPort::AllDirections);
    settings_ = link::FormatLineSettings(*line);
    return true;
}

void QtSerialPort::CloseIfLost() {
    if (lost_ && port_->isOpen()) port_->close();
}

void QtSerialPort::Close() {
    lost_ = false;
    if (port_->isOpen()) port_->close();
}

bool QtSerialPort::IsOpen() const { return port_->isOpen() && !lost_; }

std::string QtSerialPort::Settings() const { return IsOpen() ? settings_ : std::string(); }

bool QtSerialPort::Write(const std::vector<uint8_t>& bytes) {
    CloseIfLost();
    if (!IsOpen()) return false;
    const auto size = static_cast<qint64>(bytes.size());
    if (port_->write(reinterpret_cast<const char*>(bytes.data()), size) != size) {
        NoteFailure(port_->error());
        return false;
    }
    // Hand the bytes to the driver now, event loop or not.
    port_->waitForBytesWritten(kWriteFlushMs);
    if (port_->error() == QSerialPort::TimeoutError) port_->clearError();
    CloseIfLost();
    return IsOpen();
}

int QtSerialPort::BytesAvailable() {
    CloseIfLost();
    if (!IsOpen()) return 0;
    if (port_->bytesAvailable() == 0) {
        port_->waitForReadyRead(1);
        if (port_->error() == QSerialPort::TimeoutError) port_->clearError();
        CloseIfLost();
        if (!IsOpen()) return 0;
    }
    return static_cast<int>(std::min<qint64>(port_->bytesAvailable(), 1 << 20));
}

int QtSerialPort::ReadByte() {
    if (!IsOpen()) return -1;
    char c = 0;
    if (!port_->getChar(&c)) return -1;
    return static_cast<uint8_t>(c);
}

}  // namespace rp770::platform
