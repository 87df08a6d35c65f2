#include "sim/RadioMemoryFile.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "messages/MessageText.h"

namespace rp770::sim {

bool LoadRadioMemory(const std::string& path, RadioMemory& memory, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = Words(MessageId::CannotOpen, path);
        return false;
    }
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() != memory.size()) {
        error = Words(MessageId::ImageFileWrongSize, path, bytes.size(), memory.size());
        return false;
    }
    for (size_t i = 0; i < memory.size(); ++i) memory[i] = static_cast<uint8_t>(bytes[i]);
    return true;
}

bool SaveRadioMemory(const std::string& path, const RadioMemory& memory, std::string& error) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(memory.data()), static_cast<std::streamsize>(memory.size()));
    out.close();
    if (!out) {
        error = Words(MessageId::CannotWrite, path);
        return false;
    }
    return true;
}

}  // namespace rp770::sim
