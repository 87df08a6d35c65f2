#include "session/PortChoice.h"

#include "session/PortSetting.h"
#include "link/SerialPort.h"
#include "session/AppSession.h"

namespace rp770 {

namespace {

std::string NumberedDevice(const SystemPorts& system, int number) {
    const size_t index = static_cast<size_t>(number - 1);
    return index < system.numbered.size() ? system.numbered[index] : "COM" + std::to_string(number);
}

// The number of the numbered port that opens `device`; 0 for none.
int NumberOf(const SystemPorts& system, const std::string& device) {
    for (int n = 1; n <= kNumberedPorts; ++n)
        if (NumberedDevice(system, n) == device) return n;
    return 0;
}

PortEntry DeviceEntry(const SystemPorts& system, const SystemPort& port) {
    PortEntry entry;
    entry.device = port.device;
    entry.description = port.description;
    entry.number = NumberOf(system, port.device);
    if (entry.number > 0) {
        entry.label = "COM" + std::to_string(entry.number);
        entry.choice = PortSelection{entry.number, {}};
    } else {
        entry.label = port.device;
        entry.choice = PortSelection{1, port.lastingName.empty() ? port.device : port.lastingName};
    }
    return entry;
}

bool Selects(const PortEntry& entry, const SystemPorts& system, const PortSelection& current) {
    if (current.device.empty()) return entry.number > 0 && entry.number == current.number;
    if (entry.device == current.device || entry.choice.device == current.device) return true;
    // A port remembered by its lasting name is the device that name leads to.
    for (const SystemPort& port : system.reported)
        if (port.device == entry.device && !port.lastingName.empty() && port.lastingName == current.device) return true;
    return false;
}

}  // namespace

std::vector<PortEntry> PortEntries(const SystemPorts& system, const PortSelection& current) {
    std::vector<PortEntry> entries;
    bool listed[kNumberedPorts + 1] = {};
    for (const SystemPort& port : system.reported) {
        entries.push_back(DeviceEntry(system, port));
        listed[entries.back().number] = true;
    }
    const size_t devices = entries.size();
    for (int n = 1; n <= kNumberedPorts; ++n)
        if (!listed[n]) entries.push_back(PortEntry{NumberedDevice(system, n), "COM" + std::to_string(n), {}, n, {n, {}}});
    entries.push_back(
        PortEntry{link::kSimulatedRadioDevice, Words(MessageId::SimulatedRadio), {}, 0, {1, link::kSimulatedRadioDevice}});

    bool found = false;
    for (PortEntry& entry : entries) {
        entry.checked = !found && Selects(entry, system, current);
        found = found || entry.checked;
    }
    // A chosen device that has gone stays in the menu, checked, so that the
    // user sees why a transfer cannot open it.
    if (!found && !current.device.empty())
        entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(devices),
                       PortEntry{current.device, current.device, Words(MessageId::PortNotPresent), 0, current, true});
    return entries;
}

PortSelection DefaultPortSelection(const SystemPorts& system) {
    const SystemPort* pick = nullptr;
    for (const SystemPort& port : system.reported)
        if (!pick && (port.usb || !port.lastingName.empty())) pick = &port;
    if (!pick && !system.reported.empty()) pick = &system.reported.front();
    if (!pick) return PortSelection{1, {}};
    return DeviceEntry(system, *pick).choice;
}

PortSelection StartingPortSelection(const SettingsStore& store, const SystemPorts& system) {
    if (!store.Get(kPortSection, kPortNumberKey) && !store.Get(kPortSection, kPortDeviceKey))
        return DefaultPortSelection(system);
    link::LinkState state;
    LoadPortSetting(store, state);
    return PortSelection{state.PortNumber, state.PortDevice};
}

}  // namespace rp770
