// The COM ports Windows reports: the ports class of the device manager
// (each port's name, maker, description and, for USB adapters, the vendor
// and product ids and the serial number from its device instance), then
// any port the serial device map names that the device manager did not.
#include "os/SerialPortScan.h"

#include <windows.h>
// Keep the order: the SetupAPI headers need windows.h first.
#include <devguid.h>
#include <setupapi.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

namespace rp770::platform {

namespace {

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return "";
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

std::wstring Property(HDEVINFO set, SP_DEVINFO_DATA& device, DWORD property) {
    wchar_t buffer[512] = {};
    DWORD type = 0;
    if (!SetupDiGetDeviceRegistryPropertyW(set, &device, property, &type, reinterpret_cast<BYTE*>(buffer),
                                           sizeof buffer - sizeof(wchar_t), nullptr))
        return L"";
    return buffer;
}

std::wstring PortName(HDEVINFO set, SP_DEVINFO_DATA& device) {
    const HKEY key = SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE) return L"";
    wchar_t buffer[64] = {};
    DWORD size = sizeof buffer - sizeof(wchar_t);
    DWORD type = 0;
    const bool ok = RegQueryValueExW(key, L"PortName", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok && type == REG_SZ ? std::wstring(buffer) : L"";
}

std::optional<uint16_t> HexAfter(const std::string& text, const std::string& tag) {
    const size_t at = text.find(tag);
    if (at == std::string::npos || at + tag.size() + 4 > text.size()) return std::nullopt;
    unsigned value = 0;
    for (size_t i = at + tag.size(); i < at + tag.size() + 4; ++i) {
        const char c = text[i];
        const int digit = c >= '0' && c <= '9' ? c - '0' : (c | 0x20) >= 'a' && (c | 0x20) <= 'f' ? (c | 0x20) - 'a' + 10 : -1;
        if (digit < 0) return std::nullopt;
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return static_cast<uint16_t>(value);
}

// What a device instance id tells: "USB\VID_1A86&PID_7523\5&2E0B&0&3" or
// "FTDIBUS\VID_0403+PID_6001+A50285BIA\0000".
void FromInstanceId(const std::string& id, SerialPortEntry& entry) {
    const auto vendor = HexAfter(id, "VID_");
    const auto product = HexAfter(id, "PID_");
    if (!vendor || !product) return;
    entry.vendorId = vendor;
    entry.productId = product;
    if (id.rfind("USB\\", 0) == 0) {
        const size_t last = id.find_last_of('\\');
        const std::string serial = id.substr(last + 1);
        if (last > 4 && serial.find('&') == std::string::npos) entry.serialNumber = serial;  // '&': made up by Windows
    } else if (const size_t plus = id.find('+', id.find("PID_")); plus != std::string::npos) {
        entry.serialNumber = id.substr(plus + 1, id.find('\\', plus) - plus - 1);
    }
}

bool InNameOrder(const SerialPortEntry& a, const SerialPortEntry& b) {
    const auto number = [](const std::string& name) { return name.size() > 3 ? std::atoi(name.c_str() + 3) : 0; };
    return number(a.device) != number(b.device) ? number(a.device) < number(b.device) : a.device < b.device;
}

}  // namespace

std::vector<SerialPortEntry> ScanSerialPorts() {
    std::vector<SerialPortEntry> ports;
    const HDEVINFO set = SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
    if (set != INVALID_HANDLE_VALUE) {
        SP_DEVINFO_DATA device{};
        device.cbSize = sizeof device;
        for (DWORD i = 0; SetupDiEnumDeviceInfo(set, i, &device); ++i) {
            const std::string name = Utf8(PortName(set, device));
            if (name.rfind("COM", 0) != 0) continue;  // a printer port
            SerialPortEntry entry;
            entry.device = name;
            entry.manufacturer = Utf8(Property(set, device, SPDRP_MFG));
            entry.product = Utf8(Property(set, device, SPDRP_DEVICEDESC));
            wchar_t id[512] = {};
            if (SetupDiGetDeviceInstanceIdW(set, &device, id, 511, nullptr)) FromInstanceId(Utf8(id), entry);
            ports.push_back(std::move(entry));
        }
        SetupDiDestroyDeviceInfoList(set);
    }
    // The serial device map: every port the system has made, named by its data.
    HKEY map = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &map) == ERROR_SUCCESS) {
        for (DWORD i = 0;; ++i) {
            wchar_t value[256];
            DWORD valueSize = 255;
            wchar_t data[64] = {};
            DWORD dataSize = sizeof data - sizeof(wchar_t);
            DWORD type = 0;
            const LONG result = RegEnumValueW(map, i, value, &valueSize, nullptr, &type, reinterpret_cast<BYTE*>(data), &dataSize);
            if (result == ERROR_NO_MORE_ITEMS) break;
            if (result != ERROR_SUCCESS || type != REG_SZ) continue;
            const std::string name = Utf8(data);
            const bool known = std::any_of(ports.begin(), ports.end(), [&](const SerialPortEntry& p) { return p.device == name; });
            if (!known && name.rfind("COM", 0) == 0) ports.push_back(SerialPortEntry{name, {}, {}, {}, {}, {}, {}});
        }
        RegCloseKey(map);
    }
    std::sort(ports.begin(), ports.end(), InNameOrder);
    return ports;
}

}  // namespace rp770::platform
