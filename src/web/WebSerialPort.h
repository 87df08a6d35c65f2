#pragma once
// The PC end of the cable in the browser: the link's serial port over a
// JavaScript port object (web/serial.js wraps a Web Serial port, real or
// stand-in, in one):
//   open(options)  a promise of {ok, number, text}; options are Web Serial's
//                  ({baudRate, dataBits, parity, stopBits})
//   close()        a promise, resolved once the port is closed
//   isOpen()       false once closed or lost (the cable pulled out)
//   write(bytes)   queues a Uint8Array for sending; false when it cannot
//   take()         every byte received since the last take, as a Uint8Array
//   lastError()    {number, text} of the last failure
// Its promises never reject.

#include <deque>
#include <emscripten/val.h>

#include "link/SerialPort.h"

namespace rp770::web {

class WebSerialPort : public link::SerialPort {
public:
    explicit WebSerialPort(emscripten::val port) : port_(std::move(port)) {}

    bool Open(const link::PortAddress& address, const std::string& settings) override;
    void Close() override;
    bool IsOpen() const override;
    std::string Settings() const override { return IsOpen() ? settings_ : std::string(); }
    bool Write(const std::vector<uint8_t>& bytes) override;
    int BytesAvailable() override;
    int ReadByte() override;
    link::PortError LastError() const override { return lastError_; }

    // From now on a close does not wait for the port: the link that owns it
    // is going away, and nothing may suspend in a destructor.
    void Detach() { detached_ = true; }

private:
    // Moves what the port received into the queue; a lost port reads nothing.
    void TakeReceived();

    emscripten::val port_;
    std::deque<uint8_t> received_;
    std::string settings_;
    link::PortError lastError_;
    bool detached_ = false;
};

// The Web Serial options for line settings such as "4800,N,8,1"; null when
// Web Serial cannot set them up (1.5 stop bits, mark or space parity) or the
// text is not a setting.
emscripten::val SerialOptions(const std::string& settings);

}  // namespace rp770::web
