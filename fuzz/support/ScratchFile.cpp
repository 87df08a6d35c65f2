#include "support/ScratchFile.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "support/FuzzCheck.h"

namespace rp770::fuzz {

namespace {

namespace fs = std::filesystem;

struct ScratchFolder {
    fs::path path;
    ScratchFolder() {
        // A memory file system where there is one: thousands of small
        // rewrites a second would otherwise keep a disk busy.
        std::error_code ec;
        const fs::path shm = "/dev/shm";
        const fs::path base = fs::is_directory(shm, ec) && ::access(shm.c_str(), W_OK) == 0 ? shm : fs::temp_directory_path();
        path = base / ("rp770-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(path);
    }
    ~ScratchFolder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

const fs::path& Folder() {
    static ScratchFolder folder;
    return folder.path;
}

}  // namespace

std::string ScratchPath(const std::string& name) { return (Folder() / name).string(); }

std::string WriteScratchFile(const std::string& name, const uint8_t* data, size_t size) {
    const std::string path = ScratchPath(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    FUZZ_CHECK(out.good(), "cannot write the scratch file " + path);
    return path;
}

std::string ReadBack(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace rp770::fuzz
