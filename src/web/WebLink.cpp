#include "web/WebLink.h"

#include <algorithm>

#include "core/MemoryImage.h"
#include "web/StandInRadio.h"

namespace rp770::web {

namespace {

constexpr const char* kReadTitle = "Read from Radio";
constexpr const char* kProgramTitle = "Program to Radio";
constexpr const char* kTestTitle = "Test Connection";

// The factory data set with the image given; false when the bytes are not a whole image.
bool TakeImage(const std::vector<uint8_t>& image, DataSet& data) {
    data.flags = {true, true, true};
    ResetDataSet(data);
    if (static_cast<int>(image.size()) != data.image.size()) return false;
    std::copy(image.begin(), image.end(), data.image.bytes.begin());
    return true;
}

std::vector<uint8_t> ImageBytes(const MemoryImage& image) {
    return {image.bytes.begin(), image.bytes.begin() + image.size()};
}

}  // namespace

WebLink::WebLink(emscripten::val runtime) : clock_(runtime), pump_(runtime, clock_), hooks_(runtime) {}

WebLink::~WebLink() { Disconnect(); }

void WebLink::Disconnect() {
    if (serial_) serial_->Detach();
    link_.reset();  // closes the port
    pump_.Attach(nullptr, nullptr);
    wire_.reset();
    radio_.reset();
    serial_.reset();
}

void WebLink::Connect(link::SerialPort& port, Clock& clock, Pump& pump, const std::string& name) {
    link_ = std::make_unique<link::RadioLink>(port, clock, pump, &hooks_);
    link_->SetObserver(&hooks_);
    link_->State().PortDevice = name;
    link_->State().DebugMode = debugMode_;
}

void WebLink::UseSerialPort(emscripten::val port, const std::string& name) {
    Disconnect();
    serial_ = std::make_unique<WebSerialPort>(std::move(port));
    Connect(*serial_, clock_, pump_, name);
    pump_.Attach(serial_.get(), &link_->State());
}

std::string WebLink::UseSimulatedRadio(const std::string& faults) {
    sim::Faults parsed;
    if (std::string error = ParseFaultNames(faults, parsed); !error.empty()) return error;
    Disconnect();
    radio_ = std::make_unique<sim::SimulatedRadio>(parsed);
    wire_ = std::make_unique<sim::VirtualWire>(*radio_);
    Connect(wire_->Port(), wire_->GetClock(), wire_->GetPump(), "the simulated radio");
    return {};
}

void WebLink::SetDebugMode(bool on) {
    debugMode_ = on;
    if (link_) link_->State().DebugMode = on;
}

bool WebLink::Synchronise() {
    link_->ShowMonitor("startsync...");
    if (!link_->SyncRadio()) {
        link_->ShowMonitor("can not syncing!!");
        return false;
    }
    link_->ShowMonitor("sync ok");
    return true;
}

WebTransfer WebLink::Read(const std::vector<uint8_t>& current) {
    WebTransfer result;
    if (!link_) return result;
    link_->SetTitle(kReadTitle);
    DataSet data;
    TakeImage(current, data);
    if ((result.synchronised = Synchronise())) {
        result.completed = link_->ReadFromRadio(data);
        if (result.completed) result.image = ImageBytes(data.image);
    }
    result.messages = link_->TakeMessages();
    return result;
}

WebTransfer WebLink::Program(const std::vector<uint8_t>& image) {
    WebTransfer result;
    DataSet data;
    if (!link_ || !TakeImage(image, data)) return result;
    link_->SetTitle(kProgramTitle);
    if ((result.synchronised = Synchronise())) {
        const link::ProgramOutcome outcome = link_->ProgramToRadio(data);
        result.completed = outcome == link::ProgramOutcome::Complete;
        result.partial = outcome == link::ProgramOutcome::Partial;
    }
    result.messages = link_->TakeMessages();
    if (result.partial) result.messages.push_back(Message{link::kPartlyProgrammed, kProgramTitle, Icon::Warning});
    return result;
}

link::ProbeReport WebLink::TestConnection() {
    if (!link_) return {};
    link_->SetTitle(kTestTitle);
    return link_->Probe();
}

}  // namespace rp770::web
