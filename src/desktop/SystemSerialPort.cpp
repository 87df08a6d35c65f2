#include "desktop/SystemSerialPort.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "core/Failure.h"
#include "link/LineSettings.h"
#include "os/DeviceAccess.h"
#include "os/SerialPortScan.h"
#include "messages/MessageText.h"

namespace rp770::platform {

namespace {

constexpr int kWaitForBytesMs = 1;

link::LowLatency LowLatencyOf(LowLatencyState state) {
    switch (state) {
        case LowLatencyState::Granted: return link::LowLatency::Granted;
        case LowLatencyState::Refused: return link::LowLatency::Refused;
        case LowLatencyState::NotOffered: return link::LowLatency::NotOffered;
        case LowLatencyState::NotAsked: break;
    }
    return link::LowLatency::CannotAsk;
}

link::HostSystem ThisSystem() {
#if defined(_WIN32)
    return link::HostSystem::Windows;
#elif defined(__linux__)
    return link::HostSystem::Linux;
#else
    return link::HostSystem::Other;
#endif
}

}  // namespace

SystemSerialPort::SystemSerialPort(SerialDriverControl* control) : device_(control) {}

SystemSerialPort::~SystemSerialPort() { Close(); }

std::string SystemSerialPort::DeviceName(const link::PortAddress& address) {
    if (!address.device.empty()) return address.device;
    const int n = address.number;
#if defined(_WIN32)
    return "COM" + std::to_string(n);
#elif defined(__APPLE__)
    std::vector<std::string> devices;
    for (const SerialPortEntry& entry : ScanSerialPorts()) devices.push_back(entry.device);
    if (n >= 1 && static_cast<size_t>(n) <= devices.size()) return devices[static_cast<size_t>(n) - 1];
    return "/dev/cu.serial" + std::to_string(n);
#else
    return "/dev/ttyS" + std::to_string(n - 1);
#endif
}

bool SystemSerialPort::Open(const link::PortAddress& address, const std::string& settings) {
    if (device_.IsOpen()) {
        error_ = {EBUSY, Words(MessageId::PortAlreadyOpen)};
        return false;
    }
    const auto line = link::ParseLineSettings(settings);
    if (!line) {
        error_ = {EINVAL, Words(MessageId::PortUnsupportedSettingsNamed, settings)};
        return false;
    }
    const std::string device = DeviceName(address);
    pending_.clear();
    next_ = 0;
    if (const int error = device_.Open(device, {line->baud, line->parity, line->dataBits, line->stopBits2}); error != 0) {
        error_ = {error, ErrnoText(error)};
        error_.device = device;
        error_.systemError = error;
        // Refused: the group that may use it, where one does.
        if (error == EACCES || error == EPERM) error_.deviceGroup = CheckDeviceAccess(device).group;
        return false;
    }
    settings_ = link::FormatLineSettings(*line);
    const LowLatencyReport& got = device_.LowLatency();
    // The device itself, not a link to it (a /dev/serial/by-id name).
    std::error_code ec;
    const std::filesystem::path real = std::filesystem::canonical(device, ec);
    latency_ = {LowLatencyOf(got.state), ThisSystem(), got.usbAdapter, got.error, got.latencyTimerMs,
                ec ? device : real.string()};
    if (opened_) opened_(latency_);
    return true;
}

void SystemSerialPort::Close() {
    device_.Close();
    pending_.clear();
    next_ = 0;
}

bool SystemSerialPort::IsOpen() const { return device_.IsOpen(); }

std::string SystemSerialPort::Settings() const { return IsOpen() ? settings_ : std::string(); }

void SystemSerialPort::Lose(int error) {
    device_.Close();
    error_ = {error, ErrnoText(error)};
    error_.systemError = error;
}

bool SystemSerialPort::Write(const std::vector<uint8_t>& bytes) {
    if (!IsOpen()) return false;
    if (const int error = device_.Write(bytes.data(), bytes.size()); error != 0) {
        if (error == ETIMEDOUT) {
            error_ = {error, ErrnoText(error)};
            return false;
        }
        Lose(error);
        return false;
    }
    return true;
}

int SystemSerialPort::BytesAvailable() {
    if (!IsOpen()) return 0;
    if (next_ == pending_.size()) {
        pending_.clear();
        next_ = 0;
        if (const int error = device_.Read(pending_, kWaitForBytesMs); error != 0) {
            Lose(error);
            return 0;
        }
    }
    return static_cast<int>(pending_.size() - next_);
}

int SystemSerialPort::ReadByte() {
    if (next_ == pending_.size() && BytesAvailable() == 0) return -1;
    return pending_[next_++];
}

}  // namespace rp770::platform
