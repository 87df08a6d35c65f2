// The serial device on POSIX systems: a terminal device through termios.
#include "os/SerialDevice.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include "os/LowLatency.h"
#include "os/SerialPortScan.h"

namespace rp770::platform {

namespace {

constexpr int kWriteLimitMs = 2000;

bool SpeedOf(int baud, speed_t& speed) {
    static const struct {
        int baud;
        speed_t speed;
    } speeds[] = {{300, B300},     {600, B600},     {1200, B1200},     {2400, B2400},    {4800, B4800},
                  {9600, B9600},   {19200, B19200}, {38400, B38400},   {57600, B57600},  {115200, B115200},
                  {230400, B230400}};
    for (const auto& s : speeds) {
        if (s.baud == baud) {
            speed = s.speed;
            return true;
        }
    }
    return false;
}

// Raw bytes, the line as given, no flow control, reads that never block.
int Configure(int fd, const SerialLine& line) {
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) return errno;
    speed_t speed = B0;
    if (!SpeedOf(line.baud, speed) || line.dataBits < 5 || line.dataBits > 8 || line.stopBits2 == 3) return EINVAL;
    ::cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB);
#if defined(CRTSCTS)
    tio.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
#endif
#if defined(CMSPAR)
    tio.c_cflag &= ~static_cast<tcflag_t>(CMSPAR);
#endif
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    static const tcflag_t sizes[] = {CS5, CS6, CS7, CS8};
    tio.c_cflag |= sizes[line.dataBits - 5];
    switch (line.parity) {
        case 'N': break;
        case 'E': tio.c_cflag |= PARENB; break;
        case 'O': tio.c_cflag |= PARENB | PARODD; break;
#if defined(CMSPAR)
        case 'M': tio.c_cflag |= PARENB | PARODD | CMSPAR; break;
        case 'S': tio.c_cflag |= PARENB | CMSPAR; break;
#endif
        default: return EINVAL;
    }
    if (line.stopBits2 == 4) tio.c_cflag |= CSTOPB;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (::cfsetispeed(&tio, speed) != 0 || ::cfsetospeed(&tio, speed) != 0) return errno;
    if (::tcsetattr(fd, TCSANOW, &tio) != 0) return errno;
    ::tcflush(fd, TCIOFLUSH);
    return 0;
}

}  // namespace

struct SerialDevice::Handle {
    int fd = -1;
};

SerialDevice::SerialDevice(SerialDriverControl* control)
    : handle_(new Handle), control_(control ? control : &SystemDriverControl()) {}

SerialDevice::~SerialDevice() {
    Close();
    delete handle_;
}

bool SerialDevice::IsOpen() const { return handle_->fd >= 0; }

int SerialDevice::Open(const std::string& device, const SerialLine& line) {
    if (IsOpen()) return EBUSY;
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno;
    // This program's alone: no other open of the terminal (TIOCEXCL), and
    // none by a program that locks it the same way (flock).
    int error = 0;
    if (::ioctl(fd, TIOCEXCL) != 0 && errno != ENOTTY) error = errno;
    if (error == 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) error = errno == EWOULDBLOCK ? EBUSY : 0;
    if (error == 0 && !::isatty(fd)) error = ENOTTY;
    if (error == 0) error = Configure(fd, line);
    if (error != 0) {
        ::close(fd);
        return error;
    }
    handle_->fd = fd;
    lowLatency_ = RequestLowLatency(fd, *control_, lowLatencyAdded_);
    lowLatency_.usbAdapter = IsUsbSerialAdapter(device);
    lowLatency_.latencyTimerMs = LatencyTimerMs(device);
    return 0;
}

void SerialDevice::Close() {
    if (!IsOpen()) return;
    if (lowLatencyAdded_) GiveBackLowLatency(handle_->fd, *control_);
    lowLatencyAdded_ = false;
    ::close(handle_->fd);
    handle_->fd = -1;
}

int SerialDevice::Read(std::vector<uint8_t>& into, int waitMs) {
    if (!IsOpen()) return EBADF;
    pollfd ready{handle_->fd, POLLIN, 0};
    const int polled = ::poll(&ready, 1, waitMs);
    if (polled < 0) return errno == EINTR ? 0 : errno;
    if (polled == 0) return 0;
    uint8_t buffer[1024];
    const ssize_t got = ::read(handle_->fd, buffer, sizeof buffer);
    if (got > 0) {
        into.insert(into.end(), buffer, buffer + got);
        return 0;
    }
    if (got < 0) return (errno == EAGAIN || errno == EINTR) ? 0 : errno;
    // Readable, yet nothing to read: the device hung up.
    return (ready.revents & (POLLHUP | POLLERR | POLLNVAL)) ? EIO : 0;
}

int SerialDevice::Write(const uint8_t* bytes, size_t count) {
    if (!IsOpen()) return EBADF;
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(kWriteLimitMs);
    while (count > 0) {
        const ssize_t written = ::write(handle_->fd, bytes, count);
        if (written > 0) {
            bytes += written;
            count -= static_cast<size_t>(written);
            continue;
        }
        if (written < 0 && errno != EAGAIN && errno != EINTR) return errno;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return ETIMEDOUT;
        pollfd room{handle_->fd, POLLOUT, 0};
        if (::poll(&room, 1, static_cast<int>(left)) < 0 && errno != EINTR) return errno;
    }
    return 0;
}

}  // namespace rp770::platform
