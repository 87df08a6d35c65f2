#include "platform/SerialPortList.h"

#include <QSerialPortInfo>

#include "platform/QtSerialPort.h"
#include <algorithm>
#include <filesystem>

namespace rp770::platform {

namespace {

std::string Hex4(uint16_t value) {
    static const char* digits = "0123456789abcdef";
    std::string text;
    for (int shift = 12; shift >= 0; shift -= 4) text += digits[(value >> shift) & 0xF];
    return text;
}

// The /dev/serial/by-id links, each with the device it leads to.
std::vector<std::pair<std::string, std::string>> StableNames() {
    std::vector<std::pair<std::string, std::string>> names;
#if defined(__linux__)
    namespace fs = std::filesystem;
    std::error_code ec;
    for (const fs::directory_entry& link : fs::directory_iterator("/dev/serial/by-id", ec)) {
        const fs::path target = fs::canonical(link.path(), ec);
        if (!ec) names.emplace_back(target.string(), link.path().string());
    }
    std::sort(names.begin(), names.end());
#endif
    return names;
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

std::vector<SerialPortEntry> ListSerialPorts() {
    const auto stable = StableNames();
    std::vector<SerialPortEntry> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SerialPortEntry entry;
        entry.device = info.systemLocation().toStdString();
        entry.manufacturer = info.manufacturer().trimmed().toStdString();
        entry.product = info.description().trimmed().toStdString();
        if (info.hasVendorIdentifier() && info.hasProductIdentifier()) {
            entry.vendorId = info.vendorIdentifier();
            entry.productId = info.productIdentifier();
        }
        entry.serialNumber = info.serialNumber().trimmed().toStdString();
        for (const auto& [target, link] : stable)
            if (target == entry.device) entry.stableName = link;
        ports.push_back(std::move(entry));
    }
    std::sort(ports.begin(), ports.end(),
              [](const SerialPortEntry& a, const SerialPortEntry& b) { return InNameOrder(a.device, b.device); });
    return ports;
}

SystemPorts SystemSerialPorts() {
    SystemPorts ports;
    for (const SerialPortEntry& entry : ListSerialPorts())
        ports.reported.push_back(SystemPort{entry.device, entry.Description(), entry.stableName, entry.vendorId.has_value()});
    for (int n = 1; n <= kNumberedPorts; ++n) ports.numbered.push_back(QtSerialPort::DeviceName(link::PortAddress{n, {}}));
    return ports;
}

}  // namespace rp770::platform
