// The SerialPort menu's entries and the first choice of a new installation,
// over lists of system ports as Linux and Windows report them.
#include "session/PortChoice.h"

#include <gtest/gtest.h>

#include "files/MemorySettingsStore.h"
#include "session/PortSetting.h"

namespace rp770 {
namespace {

const SystemPort kUsb{"/dev/ttyUSB0", "FTDI FT232R USB UART", "/dev/serial/by-id/usb-FTDI-if00", true};
const SystemPort kTtyS0{"/dev/ttyS0", "", "", false};
const SystemPort kCom3{"COM3", "Prolific USB-to-Serial", "", true};
const std::vector<std::string> kLinux = {"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"};
const std::vector<std::string> kWindows = {"COM1", "COM2", "COM3", "COM4"};

// An entry as one line: what --port takes, the label, what is known, "*" when checked.
std::string Line(const PortEntry& e) {
    return e.device + " | " + e.label + " | " + e.description + (e.checked ? " *" : "");
}

TEST(PortChoice, TheSystemsDevicesFirstEachPortOnceTheChoiceChecked) {
    const struct {
        const char* name;
        SystemPorts system;
        PortSelection current;
        std::vector<std::string> lines;
        PortSelection chosen;  // what the checked entry selects again
    } cases[] = {
        {"a new Linux installation with a USB cable",
         {{kTtyS0, kUsb}, kLinux},
         {1, {}},
         {"/dev/ttyS0 | COM1 |  *", "/dev/ttyUSB0 | /dev/ttyUSB0 | FTDI FT232R USB UART",
          "/dev/ttyS1 | COM2 | ", "/dev/ttyS2 | COM3 | ", "/dev/ttyS3 | COM4 | ", "sim | Simulated radio | "},
         {1, {}}},
        {"a cable remembered by its lasting name",
         {{kUsb}, kLinux},
         {1, kUsb.lastingName},
         {"/dev/ttyUSB0 | /dev/ttyUSB0 | FTDI FT232R USB UART *", "/dev/ttyS0 | COM1 | ", "/dev/ttyS1 | COM2 | ",
          "/dev/ttyS2 | COM3 | ", "/dev/ttyS3 | COM4 | ", "sim | Simulated radio | "},
         {1, kUsb.lastingName}},
        {"a chosen cable that has gone",
         {{}, kLinux},
         {1, "/dev/ttyACM0"},
         {"/dev/ttyACM0 | /dev/ttyACM0 | (not present) *", "/dev/ttyS0 | COM1 | ", "/dev/ttyS1 | COM2 | ",
          "/dev/ttyS2 | COM3 | ", "/dev/ttyS3 | COM4 | ", "sim | Simulated radio | "},
         {1, "/dev/ttyACM0"}},
        {"a Windows port that is COM3 twice, the simulated radio chosen",
         {{kCom3}, kWindows},
         {3, "sim"},
         {"COM3 | COM3 | Prolific USB-to-Serial", "COM1 | COM1 | ", "COM2 | COM2 | ", "COM4 | COM4 | ",
          "sim | Simulated radio |  *"},
         {1, "sim"}},
        {"COM3 by number", {{kCom3}, kWindows}, {3, {}}, {"COM3 | COM3 | Prolific USB-to-Serial *", "COM1 | COM1 | ",
                                                          "COM2 | COM2 | ", "COM4 | COM4 | ", "sim | Simulated radio | "},
         {3, {}}},
    };
    for (const auto& c : cases) {
        const std::vector<PortEntry> entries = PortEntries(c.system, c.current);
        std::vector<std::string> lines;
        std::vector<PortSelection> checked;  // exactly one, selecting the current port again
        for (const PortEntry& e : entries) {
            lines.push_back(Line(e));
            if (e.checked) checked.push_back(e.choice);
        }
        EXPECT_EQ(lines, c.lines) << c.name;
        EXPECT_EQ(checked, std::vector<PortSelection>{c.chosen}) << c.name;
    }
    // A stored number outside COM1-COM4 checks nothing.
    for (const PortEntry& e : PortEntries({{kUsb}, kLinux}, {7, {}})) EXPECT_FALSE(e.checked) << e.device;
}

TEST(PortChoice, ANewInstallationStartsOnARealDeviceWhenThereIsOne) {
    const struct {
        std::vector<SystemPort> reported;
        std::vector<std::string> numbered;
        PortSelection start;
    } cases[] = {
        {{}, kLinux, {1, {}}},                                // nothing reported: COM1, as ever
        {{kTtyS0}, kLinux, {1, {}}},                          // the one port is COM1
        {{kTtyS0, kUsb}, kLinux, {1, kUsb.lastingName}},      // the cable, by the name that lasts
        {{{"/dev/ttyS4", "", "", false}}, kLinux, {1, "/dev/ttyS4"}},
        {{kCom3}, kWindows, {3, {}}},                         // Windows' COM3 is the numbered COM3
    };
    for (const auto& c : cases) {
        const SystemPorts system{c.reported, c.numbered};
        EXPECT_EQ(DefaultPortSelection(system), c.start) << c.reported.size();
        MemorySettingsStore fresh;
        EXPECT_EQ(StartingPortSelection(fresh, system), c.start);
        // A remembered choice stands, whatever the system reports now.
        MemorySettingsStore remembered;
        remembered.Set(kPortSection, kPortNumberKey, "2");
        EXPECT_EQ(StartingPortSelection(remembered, system), (PortSelection{2, {}}));
    }
}

}  // namespace
}  // namespace rp770
