// The system's serial port on a pseudo-terminal: the request for low
// latency as opening makes it (watched through the driver-settings seam),
// given back on closing; the port held by one opener alone; bytes both
// ways; a device that goes away.
#include <gtest/gtest.h>

#if defined(__linux__)
#include <fcntl.h>
#include <linux/serial.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "desktop/SystemSerialPort.h"
#include "os/LowLatency.h"
#include "os/SerialDevice.h"

namespace rp770::platform {
namespace {

// A driver's serial settings kept in memory, every call recorded.
class FakeDriver : public SerialDriverControl {
public:
    int Get(int, serial_struct& settings) override {
        calls.push_back("get");
        if (getError) return getError;
        settings = held;
        return 0;
    }
    int Set(int, const serial_struct& settings) override {
        calls.push_back(settings.flags & ASYNC_LOW_LATENCY ? "set low" : "set normal");
        if (setError) return setError;
        if (keeps) held = settings;
        return 0;
    }
    serial_struct held{};
    int getError = 0;
    int setError = 0;
    bool keeps = true;
    std::vector<std::string> calls;
};

TEST(LowLatency, IsAskedOfTheDriverAndOnlyWhatItKeptCounts) {
    const struct {
        const char* what;
        int getError;
        bool alreadyLow;
        int setError;
        bool keeps;
        LowLatencyState state;
        bool added;
        std::vector<std::string> calls;
    } cases[] = {
        {"granted", 0, false, 0, true, LowLatencyState::Granted, true, {"get", "set low", "get"}},
        {"already low", 0, true, 0, true, LowLatencyState::Granted, false, {"get"}},
        {"refused", 0, false, EPERM, true, LowLatencyState::Refused, false, {"get", "set low"}},
        {"ignored", 0, false, 0, false, LowLatencyState::Refused, false, {"get", "set low", "get"}},
        {"no such setting", ENOTTY, false, 0, true, LowLatencyState::NotOffered, false, {"get"}},
    };
    for (const auto& c : cases) {
        FakeDriver driver;
        driver.getError = c.getError;
        driver.setError = c.setError;
        driver.keeps = c.keeps;
        if (c.alreadyLow) driver.held.flags = ASYNC_LOW_LATENCY;
        driver.held.xmit_fifo_size = 62;  // the rest of the settings go back as they were
        bool added = false;
        const LowLatencyReport report = RequestLowLatency(3, driver, added);
        EXPECT_EQ(report.state, c.state) << c.what;
        EXPECT_EQ(added, c.added) << c.what;
        EXPECT_EQ(driver.calls, c.calls) << c.what;
        EXPECT_EQ(driver.held.xmit_fifo_size, 62) << c.what;
    }
}

class PseudoTerminal {
public:
    PseudoTerminal() {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0) device = ::ptsname(master);
    }
    ~PseudoTerminal() { Hangup(); }
    void Hangup() {
        if (master >= 0) ::close(master);
        master = -1;
    }
    int master = -1;
    std::string device;
};

#define PTY_OR_SKIP(pty) \
    if ((pty).device.empty()) GTEST_SKIP() << "no pseudo-terminal";

TEST(SystemSerialPort, OpeningAsksForLowLatencyAndClosingGivesItBack) {
    PseudoTerminal pty;
    PTY_OR_SKIP(pty);
    FakeDriver driver;
    SystemSerialPort port(&driver);
    std::vector<link::PortLatency> notices;
    port.OnOpened([&](const link::PortLatency& got) { notices.push_back(got); });
    ASSERT_TRUE(port.Open({1, pty.device}, "4800,N,8,1")) << port.LastError().text;
    EXPECT_EQ(driver.calls, (std::vector<std::string>{"get", "set low", "get"}));
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].lowLatency, link::LowLatency::Granted);
    EXPECT_EQ(notices[0].system, link::HostSystem::Linux);
    EXPECT_EQ(notices[0].device, pty.device);
    EXPECT_EQ(port.Settings(), "4800,N,8,1");
    port.Close();
    EXPECT_EQ(driver.calls.back(), "set normal");
    EXPECT_FALSE(driver.held.flags & ASYNC_LOW_LATENCY);

    // The system's own driver control: a terminal has no such setting.
    SystemSerialPort plain;
    ASSERT_TRUE(plain.Open({1, pty.device}, "4800,N,8,1"));
    EXPECT_EQ(plain.Latency().lowLatency, link::LowLatency::NotOffered);
    EXPECT_FALSE(plain.Latency().usbAdapter);
}

TEST(SystemSerialPort, IsHeldByOneOpenerAndSaysWhyAnOpenFailed) {
    PseudoTerminal pty;
    PTY_OR_SKIP(pty);
    SystemSerialPort first;
    SystemSerialPort second;
    ASSERT_TRUE(first.Open({1, pty.device}, "4800,N,8,1"));
    EXPECT_FALSE(second.Open({1, pty.device}, "4800,N,8,1"));
    EXPECT_EQ(second.LastError().systemError, EBUSY);
    EXPECT_EQ(second.LastError().device, pty.device);
    first.Close();
    EXPECT_TRUE(second.Open({1, pty.device}, "4800,N,8,1")) << "free again once closed";

    SystemSerialPort missing;
    EXPECT_FALSE(missing.Open({1, "/dev/rp770-no-such-port"}, "4800,N,8,1"));
    EXPECT_EQ(missing.LastError().systemError, ENOENT);
    EXPECT_FALSE(missing.Open({1, pty.device}, "4800,X,8,1")) << "line settings not understood";
    EXPECT_EQ(SystemSerialPort::DeviceName({3, {}}), "/dev/ttyS2");
}

TEST(SystemSerialPort, CarriesBytesBothWaysAndClosesWhenTheDeviceGoes) {
    PseudoTerminal pty;
    PTY_OR_SKIP(pty);
    SystemSerialPort port;
    ASSERT_TRUE(port.Open({1, pty.device}, "4800,N,8,1"));
    ASSERT_TRUE(port.Write({'P', 0x00, 0xFF, '\r', '\n'}));
    uint8_t got[8] = {};
    ssize_t n = 0;
    for (int tries = 0; tries < 100 && n < 5; ++tries) {
        const ssize_t more = ::read(pty.master, got + n, sizeof got - static_cast<size_t>(n));
        if (more > 0) n += more;
    }
    EXPECT_EQ(std::vector<uint8_t>(got, got + n), (std::vector<uint8_t>{'P', 0x00, 0xFF, '\r', '\n'})) << "raw, untranslated";

    const uint8_t answer[] = {'#', 0x0D, 0x0A, 0x11, 0x13};
    ASSERT_EQ(::write(pty.master, answer, sizeof answer), static_cast<ssize_t>(sizeof answer));
    std::vector<int> received;
    for (int tries = 0; tries < 1000 && received.size() < sizeof answer; ++tries)
        if (port.BytesAvailable() > 0) received.push_back(port.ReadByte());
    EXPECT_EQ(received, (std::vector<int>{'#', 0x0D, 0x0A, 0x11, 0x13})) << "no flow control, no translation";
    EXPECT_EQ(port.ReadByte(), -1);

    pty.Hangup();
    for (int tries = 0; tries < 100 && port.IsOpen(); ++tries) port.BytesAvailable();
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(port.Write({'P'}));
}

}  // namespace
}  // namespace rp770::platform
#endif
