#include "cli/ReadOutput.h"

#include <filesystem>
#include <iostream>
#include <random>

#include "core/MemoryImage.h"
#include "files/DatWriter.h"
#include "platform/ExclusiveFile.h"
#include "workspace/Workspace.h"

namespace rp770::cli {

namespace fs = std::filesystem;

namespace {

// The folder takes a new file: one is made under a name nobody uses and
// removed again.
bool FolderTakesNewFiles(const fs::path& folder, const std::string& name) {
    std::random_device random;
    for (int attempt = 0; attempt < 8; ++attempt) {
        const fs::path probe = folder / ("." + name + ".probe-" + std::to_string(random()));
        std::string why;
        const platform::NewFile made = platform::WriteNewFile(probe.string(), {}, why);
        if (made == platform::NewFile::NameTaken) continue;
        std::error_code ec;
        if (made == platform::NewFile::Written) fs::remove(probe, ec);
        return made == platform::NewFile::Written;
    }
    return false;
}

std::string FileBytes(DataSet data, const std::string& path) {
    if (!IsMemoryImagePath(path)) return FormatSettingsText(data);
    EncodeImage(data);  // as a save does
    FixStartChannel(data);
    return std::string(data.image.bytes.begin(), data.image.bytes.begin() + data.image.size());
}

}  // namespace

std::optional<std::string> WhyOutputCannotBeSaved(const std::string& path) {
    const fs::path target(path);
    if (target.filename().empty()) return "it names a folder, not a file";
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    if (fs::exists(status)) {
        if (fs::is_directory(status)) return "it is a folder";
        if (!fs::is_regular_file(status)) return "it is not a plain file";
        constexpr fs::perms anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
        if ((status.permissions() & anyWrite) == fs::perms::none) return "the file is read-only";
    }
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    if (!fs::is_directory(folder, ec)) return "the folder " + folder.string() + " does not exist";
    if (!FolderTakesNewFiles(folder, target.filename().string()))
        return "the folder " + folder.string() + " does not take new files";
    return std::nullopt;
}

bool SaveToRecoveryFile(const DataSet& data, const std::string& intendedPath) {
    std::string why;
    const std::string saved = platform::SaveRecoveryFile(intendedPath, FileBytes(data, intendedPath), why);
    if (saved.empty()) {
        std::cerr << "The data read from the radio could not be saved anywhere: " << why << "\n";
        return false;
    }
    std::cerr << "The data read from the radio were saved to " << saved << " instead; move that file where you want it.\n";
    return true;
}

}  // namespace rp770::cli
