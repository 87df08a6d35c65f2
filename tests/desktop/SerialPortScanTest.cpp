// The port list from sysfs, over a made-up /sys and /dev: which terminals
// are ports, what is known of a USB adapter, its lasting name and its
// latency timer.
#include <gtest/gtest.h>

#include <filesystem>

#include "files/TestFolder.h"
#include "os/SerialPortScan.h"

namespace rp770::platform {
namespace {

namespace fs = std::filesystem;
using testing::TestFolder;
using testing::WriteBytes;

class SysfsTree {
public:
    SysfsTree() {
        for (const char* dir : {"class", "devices", "dev", "by-id"}) fs::create_directories(root.path() / dir);
        folders = {(root.path() / "class").string(), (root.path() / "by-id").string(), (root.path() / "dev").string()};
    }
    // A terminal with a device behind it at `devicePath` under devices/.
    void Terminal(const std::string& name, const std::string& devicePath) {
        const fs::path device = root.path() / "devices" / devicePath;
        fs::create_directories(device);
        fs::create_directories(root.path() / "class" / name);
        fs::create_directory_symlink(device, root.path() / "class" / name / "device");
        WriteBytes((root.path() / "dev" / name).string(), "");
    }
    void Attribute(const std::string& relative, const std::string& text) {
        WriteBytes((root.path() / relative).string(), text + "\n");
    }
    TestFolder root;
    SysfsFolders folders;
};

TEST(SysfsSerialPorts, ListTheRealPortsWithWhatTheSystemKnows) {
    SysfsTree sys;
    // An FTDI adapter: the USB device two folders above the terminal's.
    sys.Terminal("ttyUSB0", "usb1/1-1/1-1:1.0/ttyUSB0");
    sys.Attribute("devices/usb1/1-1/idVendor", "0403");
    sys.Attribute("devices/usb1/1-1/idProduct", "6001");
    sys.Attribute("devices/usb1/1-1/manufacturer", "FTDI");
    sys.Attribute("devices/usb1/1-1/product", "FT232R USB UART");
    sys.Attribute("devices/usb1/1-1/serial", "A50285BI");
    sys.Attribute("devices/usb1/1-1/1-1:1.0/ttyUSB0/latency_timer", "16");
    fs::create_symlink(sys.root.path() / "dev" / "ttyUSB0",
                       sys.root.path() / "by-id" / "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    // Built-in ports: one with a UART, ttyS10 after it, one without (type 0).
    sys.Terminal("ttyS10", "platform/serial8250/tty/ttyS10");
    sys.Attribute("class/ttyS10/type", "4");
    sys.Terminal("ttyS2", "pnp0/00:02/tty/ttyS2");
    sys.Attribute("class/ttyS2/type", "4");
    sys.Terminal("ttyS3", "platform/serial8250/tty/ttyS3");
    sys.Attribute("class/ttyS3/type", "0");
    // A virtual terminal has no device.
    fs::create_directories(sys.root.path() / "class" / "tty1");

    const std::vector<SerialPortEntry> ports = ScanSysfsSerialPorts(sys.folders);
    std::vector<std::string> devices;
    for (const SerialPortEntry& p : ports) devices.push_back(fs::path(p.device).filename().string());
    EXPECT_EQ(devices, (std::vector<std::string>{"ttyS2", "ttyS10", "ttyUSB0"}));
    ASSERT_EQ(ports.size(), 3u);
    const SerialPortEntry& ftdi = ports[2];
    EXPECT_EQ(ftdi.Description(), "FTDI FT232R USB UART, USB 0403:6001, serial A50285BI, " +
                                      (sys.root.path() / "by-id" / "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0").string());
    EXPECT_EQ(ports[0].Description(), "");

    EXPECT_TRUE(IsUsbSerialAdapter(ftdi.device, sys.folders));
    EXPECT_TRUE(IsUsbSerialAdapter(ftdi.stableName, sys.folders)) << "named through its lasting link";
    EXPECT_FALSE(IsUsbSerialAdapter(ports[0].device, sys.folders));
    EXPECT_EQ(LatencyTimerMs(ftdi.stableName, sys.folders), 16);
    EXPECT_EQ(LatencyTimerMs(ports[0].device, sys.folders), std::nullopt);
}

}  // namespace
}  // namespace rp770::platform
