#include "sim/PtyRadio.h"

#include "core/Failure.h"
#include "messages/MessageText.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/select.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <stdlib.h>

namespace rp770::sim {

namespace {
constexpr double kLongestNap = 0.02;
}

PtyRadio::PtyRadio(SimulatedRadio& radio, int baud) : radio_(radio), line_(baud) { radio_.Connect(this); }

PtyRadio::~PtyRadio() {
    radio_.Connect(nullptr);
    CloseAll();
}

void PtyRadio::CloseAll() {
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
    slave_ = master_ = -1;
}

bool PtyRadio::Open(std::string& error) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        error = Words(MessageId::NoPseudoTerminal, ErrnoText(errno));
        CloseAll();
        return false;
    }
    const char* name = ::ptsname(master_);
    if (!name) {
        error = Words(MessageId::NoPseudoTerminalName, ErrnoText(errno));
        CloseAll();
        return false;
    }
    path_ = name;
    slave_ = ::open(path_.c_str(), O_RDWR | O_NOCTTY);
    if (slave_ < 0) {
        error = Words(MessageId::CannotOpenNamed, path_, ErrnoText(errno));
        CloseAll();
        return false;
    }
    // A raw line: no echo by the terminal, no translation of CR or LF.
    termios tio{};
    if (::tcgetattr(slave_, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(slave_, TCSANOW, &tio);
    }
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    return true;
}

double PtyRadio::Now() const {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void PtyRadio::Echo(uint8_t byte) { WriteOut(&byte, 1); }

void PtyRadio::Transmit(const Bytes& bytes, double delaySeconds) { line_.Send(Side::Radio, Now(), bytes, delaySeconds); }

void PtyRadio::WriteOut(const uint8_t* bytes, size_t count) {
    while (count > 0 && master_ >= 0) {
        const ssize_t n = ::write(master_, bytes, count);
        if (n > 0) {
            bytes += n;
            count -= static_cast<size_t>(n);
        } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return;  // nobody listens: the byte is lost, as on a cable
        } else if (n < 0 && errno == EAGAIN) {
            return;  // the terminal's buffer is full: drop, as an overrun would
        }
    }
}

void PtyRadio::Serve(const std::function<bool()>& stop) {
    uint8_t buffer[256];
    while (!stop()) {
        LineEvent event;
        while (line_.PopArrived(Now(), event)) {
            if (event.from == Side::Pc)
                radio_.Receive(event.byte);
            else
                WriteOut(&event.byte, 1);
        }
        double nap = kLongestNap;
        if (const auto next = line_.NextTime()) nap = std::clamp(*next - Now(), 0.0, kLongestNap);
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(master_, &readable);
        timeval timeout{0, static_cast<suseconds_t>(nap * 1e6)};
        const int ready = ::select(master_ + 1, &readable, nullptr, nullptr, &timeout);
        if (ready > 0 && FD_ISSET(master_, &readable)) {
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n > 0) line_.Send(Side::Pc, Now(), std::vector<uint8_t>(buffer, buffer + n));
        }
    }
}

}  // namespace rp770::sim
