// The serial device on Windows: a COM port through the Win32 API. COM1 to
// COM9 open by their names; COM10 and above only as \\.\COM10, so every
// COM name is opened that way. The port is opened without sharing, so no
// other program can hold it at the same time. Windows offers no request for
// low latency: an adapter's latency timer is its driver's setting.
#include "os/SerialDevice.h"

#include <windows.h>

#include <cerrno>
#include <cctype>

#include "os/LowLatency.h"

namespace rp770::platform {

namespace {

constexpr DWORD kWriteLimitMs = 2000;

int ErrnoOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_UNIT: return ENOENT;
        // A COM port held by another program says "access denied".
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION: return EBUSY;
        case ERROR_INVALID_PARAMETER:
        case ERROR_NOT_SUPPORTED: return EINVAL;
        case ERROR_TIMEOUT:
        case WAIT_TIMEOUT: return ETIMEDOUT;
        default: return EIO;
    }
}

// "COM12" (any case) becomes "\\.\COM12"; other names stay as they are.
std::string Win32Name(const std::string& device) {
    if (device.size() > 3 && (device[0] | 0x20) == 'c' && (device[1] | 0x20) == 'o' && (device[2] | 0x20) == 'm') {
        bool digits = true;
        for (size_t i = 3; i < device.size(); ++i) digits = digits && std::isdigit(static_cast<unsigned char>(device[i]));
        if (digits) return "\\\\.\\" + device;
    }
    return device;
}

BYTE ParityOf(char parity, bool& ok) {
    ok = true;
    switch (parity) {
        case 'N': return NOPARITY;
        case 'E': return EVENPARITY;
        case 'O': return ODDPARITY;
        case 'M': return MARKPARITY;
        case 'S': return SPACEPARITY;
        default: ok = false; return NOPARITY;
    }
}

}  // namespace

struct SerialDevice::Handle {
    HANDLE handle = INVALID_HANDLE_VALUE;
    DWORD readWaitMs = MAXDWORD;  // the read time-out in force
};

SerialDevice::SerialDevice(SerialDriverControl* control)
    : handle_(new Handle), control_(control ? control : &SystemDriverControl()) {}

SerialDevice::~SerialDevice() {
    Close();
    delete handle_;
}

bool SerialDevice::IsOpen() const { return handle_->handle != INVALID_HANDLE_VALUE; }

int SerialDevice::Open(const std::string& device, const SerialLine& line) {
    if (IsOpen()) return EBUSY;
    bool parityOk = false;
    const BYTE parity = ParityOf(line.parity, parityOk);
    if (!parityOk || line.dataBits < 5 || line.dataBits > 8 || line.baud <= 0) return EINVAL;
    const HANDLE h = CreateFileA(Win32Name(device).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return ErrnoOf(GetLastError());
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    int error = GetCommState(h, &dcb) ? 0 : ErrnoOf(GetLastError());
    if (error == 0) {
        // Raw bytes, the line as given, no flow control of any kind.
        dcb.BaudRate = static_cast<DWORD>(line.baud);
        dcb.ByteSize = static_cast<BYTE>(line.dataBits);
        dcb.Parity = parity;
        dcb.StopBits = line.stopBits2 == 4 ? TWOSTOPBITS : line.stopBits2 == 3 ? ONE5STOPBITS : ONESTOPBIT;
        dcb.fBinary = TRUE;
        dcb.fParity = parity != NOPARITY;
        dcb.fOutxCtsFlow = FALSE;
        dcb.fOutxDsrFlow = FALSE;
        dcb.fDtrControl = DTR_CONTROL_ENABLE;
        dcb.fRtsControl = RTS_CONTROL_ENABLE;
        dcb.fDsrSensitivity = FALSE;
        dcb.fOutX = FALSE;
        dcb.fInX = FALSE;
        dcb.fErrorChar = FALSE;
        dcb.fNull = FALSE;
        dcb.fAbortOnError = FALSE;
        if (!SetCommState(h, &dcb)) error = ErrnoOf(GetLastError());
    }
    COMMTIMEOUTS timeouts{};
    timeouts.WriteTotalTimeoutConstant = kWriteLimitMs;
    if (error == 0 && !SetCommTimeouts(h, &timeouts)) error = ErrnoOf(GetLastError());
    if (error != 0) {
        CloseHandle(h);
        return error;
    }
    PurgeComm(h, PURGE_RXCLEAR | PURGE_TXCLEAR | PURGE_RXABORT | PURGE_TXABORT);
    handle_->handle = h;
    handle_->readWaitMs = MAXDWORD;
    lowLatency_ = LowLatencyReport{};  // not asked: the driver's own setting
    return 0;
}

void SerialDevice::Close() {
    if (!IsOpen()) return;
    CloseHandle(handle_->handle);
    handle_->handle = INVALID_HANDLE_VALUE;
}

int SerialDevice::Read(std::vector<uint8_t>& into, int waitMs) {
    if (!IsOpen()) return EBADF;
    const DWORD wait = waitMs > 0 ? static_cast<DWORD>(waitMs) : 0;
    if (handle_->readWaitMs != wait) {
        // What has come returns at once; else the first byte is awaited at
        // most `wait` milliseconds (no wait at all for 0).
        COMMTIMEOUTS timeouts{};
        timeouts.ReadIntervalTimeout = MAXDWORD;
        timeouts.ReadTotalTimeoutMultiplier = wait > 0 ? MAXDWORD : 0;
        timeouts.ReadTotalTimeoutConstant = wait;
        timeouts.WriteTotalTimeoutConstant = kWriteLimitMs;
        if (!SetCommTimeouts(handle_->handle, &timeouts)) return EIO;
        handle_->readWaitMs = wait;
    }
    uint8_t buffer[1024];
    DWORD got = 0;
    if (!ReadFile(handle_->handle, buffer, sizeof buffer, &got, nullptr)) {
        DWORD errors = 0;
        // A line error (an overrun, a framing error) is cleared and read past;
        // anything else means the device is gone.
        if (ClearCommError(handle_->handle, &errors, nullptr)) return 0;
        return EIO;
    }
    into.insert(into.end(), buffer, buffer + got);
    return 0;
}

int SerialDevice::Write(const uint8_t* bytes, size_t count) {
    if (!IsOpen()) return EBADF;
    while (count > 0) {
        DWORD written = 0;
        if (!WriteFile(handle_->handle, bytes, static_cast<DWORD>(count), &written, nullptr)) {
            const DWORD error = GetLastError();
            DWORD errors = 0;
            if (!ClearCommError(handle_->handle, &errors, nullptr)) return EIO;
            return ErrnoOf(error);
        }
        if (written == 0) return ETIMEDOUT;
        bytes += written;
        count -= written;
    }
    return 0;
}

}  // namespace rp770::platform
