#pragma once
// The desktop's files: the program's data in a folder, and the user's files
// by path (read whole; written through a temporary file that replaces the
// old one only when complete).

#include <string>
#include <utility>
#include <vector>

#include "core/Storage.h"

namespace rp770 {

class FolderProgramData : public ProgramData {
public:
    explicit FolderProgramData(std::string folder) : folder_(std::move(folder)) {}
    std::string Where() const override { return folder_; }
    std::vector<std::string> Names() const override;
    Failure Read(const std::string& name, std::string& content, size_t limit) const override;

private:
    std::string folder_;
};

class DiskFiles : public FileAccess {
public:
    Failure Read(const std::string& path, std::string& content, size_t limit) override;
    Failure Write(const std::string& path, std::string_view content) override;
    std::vector<std::string> TakeNotices() override { return std::exchange(notices_, {}); }

private:
    std::vector<std::string> notices_;
};

}  // namespace rp770
