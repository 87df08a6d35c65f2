#include "desktop/DiskFiles.h"

#include <filesystem>
#include <system_error>

#include "desktop/AtomicFile.h"
#include "desktop/FileBytes.h"

namespace rp770 {

namespace fs = std::filesystem;

std::vector<std::string> FolderProgramData::Names() const {
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(folder_.empty() ? fs::path(".") : fs::path(folder_), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError)) names.push_back(it->path().filename().string());
    }
    return names;
}

Failure FolderProgramData::Read(const std::string& name, std::string& content, size_t limit) const {
    return ReadWholeFile((folder_.empty() ? fs::path(".") : fs::path(folder_)) / name, content, limit);
}

Failure DiskFiles::Read(const std::string& path, std::string& content, size_t limit) {
    return ReadWholeFile(path, content, limit);
}

Failure DiskFiles::Write(const std::string& path, std::string_view content) {
    std::string notice;
    const Failure failure = WriteFileAtomically(path, content, &notice);
    if (!notice.empty()) notices_.push_back(std::move(notice));
    return failure;
}

}  // namespace rp770
