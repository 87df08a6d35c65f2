#include "web/WebSerialPort.h"

#include "link/LineSettings.h"
#include "messages/MessageText.h"

using emscripten::val;

namespace rp770::web {

val SerialOptions(const std::string& settings) {
    const auto line = link::ParseLineSettings(settings);
    if (!line || line->stopBits2 == 3) return val::null();
    const char* parity = line->parity == 'N' ? "none" : line->parity == 'E' ? "even" : line->parity == 'O' ? "odd" : nullptr;
    if (!parity) return val::null();
    val options = val::object();
    options.set("baudRate", line->baud);
    options.set("dataBits", line->dataBits);
    options.set("parity", std::string(parity));
    options.set("stopBits", line->stopBits2 / 2);
    return options;
}

bool WebSerialPort::Open(const link::PortAddress&, const std::string& settings) {
    const val options = SerialOptions(settings);
    if (options.isNull()) {
        lastError_ = {4, Words(MessageId::PortUnsupportedSettings)};
        return false;
    }
    received_.clear();
    const val result = port_.call<val>("open", options).await();
    if (!result["ok"].as<bool>()) {
        lastError_ = {result["number"].as<int>(), result["text"].as<std::string>()};
        return false;
    }
    settings_ = settings;
    return true;
}

void WebSerialPort::Close() {
    received_.clear();
    const val closed = port_.call<val>("close");
    if (!detached_) closed.await();
}

bool WebSerialPort::IsOpen() const { return port_.call<bool>("isOpen"); }

bool WebSerialPort::Write(const std::vector<uint8_t>& bytes) {
    const bool queued = port_.call<bool>("write", val(emscripten::typed_memory_view(bytes.size(), bytes.data())));
    if (!queued) {
        const val error = port_.call<val>("lastError");
        lastError_ = {error["number"].as<int>(), error["text"].as<std::string>()};
    }
    return queued;
}

void WebSerialPort::TakeReceived() {
    if (!IsOpen()) {
        received_.clear();
        return;
    }
    const val chunk = port_.call<val>("take");
    const auto bytes = emscripten::convertJSArrayToNumberVector<uint8_t>(chunk);
    received_.insert(received_.end(), bytes.begin(), bytes.end());
}

int WebSerialPort::BytesAvailable() {
    TakeReceived();
    return static_cast<int>(received_.size());
}

int WebSerialPort::ReadByte() {
    if (received_.empty()) TakeReceived();
    if (received_.empty()) return -1;
    const int b = received_.front();
    received_.pop_front();
    return b;
}

}  // namespace rp770::web
