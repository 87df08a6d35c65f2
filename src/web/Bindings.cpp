// The browser edition's composition root: what JavaScript sees of the
// engine. web/engine.js wraps it for the page.
//
//   new WebLink(runtime)             the radio link (runtime: web/engine.js)
//     .useSerialPort(port, name)     a port object of web/serial.js
//     .useSimulatedRadio(faults)     the simulated radio on a virtual cable; "" or why not
//     .setDebugMode(on)
//     .read(image)                   -> {synchronised, completed, partial, messages, image}
//     .program(image)                -> {synchronised, completed, partial, messages}
//     .testConnection()              -> {result, text, found, modelCode, supported}
//     .simulatedMemory() / .setSimulatedMemory(bytes)
//   new StandInRadio()               the far end of web/standin-serial.js's cable
//     .write(bytes, now) .take(now) .nextArrival() .unplug()
//     .setFaults(names) .memory() .setMemory(bytes)
//     .log()                         -> what the radio heard, what the line carried
//   shippedFileNames(), shippedFile(name)
//
// Byte arrays travel as Uint8Array, times as seconds. Calls that wait
// (read, program, testConnection) return promises; while one runs, nothing
// else may be called on this module instance.

#include <emscripten/bind.h>

#include "web/ShippedData.h"
#include "web/StandInRadio.h"
#include "web/WebLink.h"

using emscripten::val;

namespace rp770::web {
namespace {

std::vector<uint8_t> Bytes(const val& array) {
    if (array.isUndefined() || array.isNull()) return {};
    return emscripten::convertJSArrayToNumberVector<uint8_t>(array);
}

val Uint8Array(const uint8_t* data, size_t size) {
    return val::global("Uint8Array").new_(emscripten::typed_memory_view(size, data));
}
val Uint8Array(const std::vector<uint8_t>& bytes) { return Uint8Array(bytes.data(), bytes.size()); }

val TransferObject(const WebTransfer& t) {
    val o = val::object();
    o.set("synchronised", t.synchronised);
    o.set("completed", t.completed);
    o.set("partial", t.partial);
    o.set("messages", MessagesObject(t.messages));
    if (t.completed && !t.image.empty()) o.set("image", Uint8Array(t.image));
    return o;
}

const char* ProbeResultName(link::ProbeResult result) {
    switch (result) {
        case link::ProbeResult::PortFailed: return "portFailed";
        case link::ProbeResult::NoEcho: return "noEcho";
        case link::ProbeResult::NoAnswer: return "noAnswer";
        case link::ProbeResult::Silent: return "silent";
        case link::ProbeResult::Refused: return "refused";
        case link::ProbeResult::NotReady: return "notReady";
        case link::ProbeResult::NoModelCode: return "noModelCode";
        case link::ProbeResult::Found: return "found";
        case link::ProbeResult::Cancelled: return "cancelled";
    }
    return "cancelled";
}

val ProbeObject(const link::ProbeReport& r) {
    val o = val::object();
    o.set("result", std::string(ProbeResultName(r.result)));
    o.set("text", r.Text());
    o.set("found", r.RadioFound());
    o.set("modelCode", r.modelCode);
    o.set("supported", r.supported);
    return o;
}

val MemoryOf(const sim::SimulatedRadio* radio) {
    if (!radio) return val::null();
    return Uint8Array(radio->Memory().data(), radio->Memory().size());
}

bool SetMemoryOf(sim::SimulatedRadio* radio, const val& bytes) {
    const std::vector<uint8_t> b = Bytes(bytes);
    if (!radio || b.size() != sim::kRadioMemorySize) return false;
    sim::RadioMemory memory{};
    std::copy(b.begin(), b.end(), memory.begin());
    radio->SetMemory(memory);
    return true;
}

val LogObject(const StandInRadio& radio) {
    const sim::RadioLog& log = radio.Log();
    val o = val::object();
    o.set("pcBytes", static_cast<double>(radio.Carried(sim::Side::Pc)));
    o.set("radioBytes", static_cast<double>(radio.Carried(sim::Side::Radio)));
    o.set("cans", log.cans);
    o.set("syncRequests", log.syncRequests);
    o.set("statusRequests", log.statusRequests);
    o.set("readRequests", log.readRequests);
    o.set("writeRequests", log.writeRequests);
    return o;
}

val ShippedFileNames() {
    val names = val::array();
    for (const ShippedFile& f : ShippedFiles()) names.call<void>("push", std::string(f.name));
    return names;
}

val ShippedFileBytes(const std::string& name) {
    for (const ShippedFile& f : ShippedFiles())
        if (f.name == name) return Uint8Array(reinterpret_cast<const uint8_t*>(f.bytes.data()), f.bytes.size());
    return val::null();
}

}  // namespace

EMSCRIPTEN_BINDINGS(rp770_web) {
    using emscripten::optional_override;

    emscripten::class_<WebLink>("WebLink")
        .constructor<val>()
        .function("useSerialPort", &WebLink::UseSerialPort)
        .function("useSimulatedRadio", &WebLink::UseSimulatedRadio)
        .function("setDebugMode", &WebLink::SetDebugMode)
        .function("read", optional_override([](WebLink& l, val image) { return TransferObject(l.Read(Bytes(image))); }))
        .function("program", optional_override([](WebLink& l, val image) { return TransferObject(l.Program(Bytes(image))); }))
        .function("testConnection", optional_override([](WebLink& l) { return ProbeObject(l.TestConnection()); }))
        .function("simulatedMemory", optional_override([](WebLink& l) { return MemoryOf(l.SimulatedRadio()); }))
        .function("setSimulatedMemory",
                  optional_override([](WebLink& l, val bytes) { return SetMemoryOf(l.SimulatedRadio(), bytes); }));

    emscripten::class_<StandInRadio>("StandInRadio")
        .constructor<>()
        .function("write", optional_override([](StandInRadio& r, val bytes, double now) { r.Write(Bytes(bytes), now); }))
        .function("take", optional_override([](StandInRadio& r, double now) { return Uint8Array(r.Take(now)); }))
        .function("nextArrival", &StandInRadio::NextArrival)
        .function("unplug", &StandInRadio::Unplug)
        .function("setFaults", &StandInRadio::SetFaults)
        .function("memory", optional_override([](StandInRadio& r) { return Uint8Array(r.Memory()); }))
        .function("setMemory", optional_override([](StandInRadio& r, val bytes) { return r.SetMemory(Bytes(bytes)); }))
        .function("log", optional_override([](StandInRadio& r) { return LogObject(r); }));

    emscripten::function("shippedFileNames", &ShippedFileNames);
    emscripten::function("shippedFile", &ShippedFileBytes);
}

}  // namespace rp770::web
