#pragma once
// Temporary folders and file helpers for the file tests.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace rp770::testing {

namespace fs = std::filesystem;

class TestFolder {
public:
    TestFolder() {
        std::random_device device;
        path_ = fs::temp_directory_path() / ("rp770-test-" + std::to_string(device()) + std::to_string(device()));
        fs::create_directories(path_);
    }
    ~TestFolder() {
        std::error_code ec;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(path_, ec);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const fs::path& path() const { return path_; }
    std::string str() const { return path_.string(); }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

    // Every entry of the folder, by name.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(path_)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    fs::path path_;
};

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The folder of the shipped data (global.ini and the definition files).
inline std::string ShippedDataFolder() {
    const char* dir = std::getenv("RP770_DATA_DIR");
    return dir ? dir : ".";
}

inline void CopyShippedData(const fs::path& to, bool withDefinitions = true) {
    const fs::path from = ShippedDataFolder();
    fs::copy_file(from / "global.ini", to / "global.ini", fs::copy_options::overwrite_existing);
    if (!withDefinitions) return;
    for (const char* name : {"USA_013E.ini", "INT_013E.ini", "CAN_013E.ini"})
        fs::copy_file(from / name, to / name, fs::copy_options::overwrite_existing);
}

}  // namespace rp770::testing
