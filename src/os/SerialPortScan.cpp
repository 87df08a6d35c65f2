#include "os/SerialPortScan.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace rp770::platform {

namespace fs = std::filesystem;

namespace {

std::string Hex4(uint16_t value) {
    static const char* digits = "0123456789abcdef";
    std::string text;
    for (int shift = 12; shift >= 0; shift -= 4) text += digits[(value >> shift) & 0xF];
    return text;
}

// ttyS2 before ttyS10: the trailing number counts as a number.
bool InNameOrder(const std::string& a, const std::string& b) {
    const auto split = [](const std::string& s) {
        size_t digits = s.size();
        while (digits > 0 && s[digits - 1] >= '0' && s[digits - 1] <= '9') --digits;
        const std::string number = s.substr(digits);
        return std::make_pair(s.substr(0, digits), number.empty() ? -1L : std::stol(number.substr(0, 9)));
    };
    return split(a) < split(b);
}

// A sysfs attribute's first line, without the spaces around it.
std::string Attribute(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    if (!in || !std::getline(in, line)) return "";
    const auto first = line.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return "";
    return line.substr(first, line.find_last_not_of(" \t\r\n") - first + 1);
}

std::optional<uint16_t> HexId(const std::string& text) {
    if (text.empty() || text.size() > 4) return std::nullopt;
    unsigned value = 0;
    for (char c : text) {
        const int digit = c >= '0' && c <= '9' ? c - '0'
                        : c >= 'a' && c <= 'f' ? c - 'a' + 10
                        : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (digit < 0) return std::nullopt;
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return static_cast<uint16_t>(value);
}

// The USB device a terminal belongs to: the nearest folder above the
// terminal's device that holds idVendor. Empty when there is none.
fs::path UsbDeviceOf(const fs::path& ttyFolder) {
    std::error_code ec;
    fs::path at = fs::canonical(ttyFolder / "device", ec);
    if (ec) return {};
    for (int up = 0; up < 8 && !at.empty() && at != at.root_path(); ++up, at = at.parent_path())
        if (fs::exists(at / "idVendor", ec)) return at;
    return {};
}

// The terminal's name ("ttyUSB0") for a device named directly or through a link.
std::string TerminalName(const std::string& device) {
    std::error_code ec;
    const fs::path real = fs::canonical(device, ec);
    return (ec ? fs::path(device) : real).filename().string();
}

}  // namespace

std::string SerialPortEntry::Description() const {
    std::vector<std::string> parts;
    std::string name = manufacturer;
    // "FTDI" and "FTDI FT232R" say the maker once.
    if (!product.empty()) name = product.rfind(manufacturer, 0) == 0 ? product : (name.empty() ? "" : name + " ") + product;
    if (!name.empty()) parts.push_back(name);
    if (vendorId && productId) parts.push_back("USB " + Hex4(*vendorId) + ":" + Hex4(*productId));
    if (!serialNumber.empty()) parts.push_back("serial " + serialNumber);
    if (!stableName.empty()) parts.push_back(stableName);
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : ", ") + part;
    return text;
}

std::vector<SerialPortEntry> ScanSysfsSerialPorts(const SysfsFolders& folders) {
    std::error_code ec;
    // The lasting names, each with the device it leads to.
    std::vector<std::pair<fs::path, std::string>> stable;
    for (const fs::directory_entry& link : fs::directory_iterator(folders.byId, ec)) {
        std::error_code linkError;
        const fs::path target = fs::canonical(link.path(), linkError);
        if (!linkError) stable.emplace_back(target, link.path().string());
    }
    std::sort(stable.begin(), stable.end());

    std::vector<SerialPortEntry> ports;
    for (const fs::directory_entry& tty : fs::directory_iterator(folders.ttyClass, ec)) {
        const fs::path folder = tty.path();
        std::error_code probe;
        if (!fs::exists(folder / "device", probe)) continue;  // a virtual terminal
        if (fs::exists(folder / "type", probe) && Attribute(folder / "type") == "0") continue;  // no UART there
        SerialPortEntry entry;
        const std::string name = folder.filename().string();
        entry.device = (fs::path(folders.dev) / name).string();
        if (const fs::path usb = UsbDeviceOf(folder); !usb.empty()) {
            entry.manufacturer = Attribute(usb / "manufacturer");
            entry.product = Attribute(usb / "product");
            entry.serialNumber = Attribute(usb / "serial");
            entry.vendorId = HexId(Attribute(usb / "idVendor"));
            entry.productId = HexId(Attribute(usb / "idProduct"));
            if (!entry.vendorId || !entry.productId) entry.vendorId = entry.productId = std::nullopt;
        }
        std::error_code devError;
        const fs::path real = fs::canonical(entry.device, devError);
        for (const auto& [target, link] : stable)
            if (!devError && target == real && entry.stableName.empty()) entry.stableName = link;
        ports.push_back(std::move(entry));
    }
    std::sort(ports.begin(), ports.end(),
              [](const SerialPortEntry& a, const SerialPortEntry& b) { return InNameOrder(a.device, b.device); });
    return ports;
}

bool IsUsbSerialAdapter(const std::string& device, const SysfsFolders& folders) {
    return !UsbDeviceOf(fs::path(folders.ttyClass) / TerminalName(device)).empty();
}

std::optional<int> LatencyTimerMs(const std::string& device, const SysfsFolders& folders) {
    const std::string text = Attribute(fs::path(folders.ttyClass) / TerminalName(device) / "device" / "latency_timer");
    if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    return std::stoi(text);
}

#if !defined(_WIN32)
std::vector<SerialPortEntry> ScanSerialPorts() {
#if defined(__linux__)
    return ScanSysfsSerialPorts({});
#else
    // Elsewhere the callout devices are the ports, and nothing more is known.
    std::vector<SerialPortEntry> ports;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator("/dev", ec)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("cu.", 0) == 0) ports.push_back(SerialPortEntry{entry.path().string(), {}, {}, {}, {}, {}, {}});
    }
    std::sort(ports.begin(), ports.end(),
              [](const SerialPortEntry& a, const SerialPortEntry& b) { return InNameOrder(a.device, b.device); });
    return ports;
#endif
}
#endif

}  // namespace rp770::platform
