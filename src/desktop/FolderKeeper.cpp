#include "desktop/FolderKeeper.h"

#include <system_error>

#include "desktop/AtomicFile.h"
#include "desktop/FileBytes.h"
#include "os/UserFolders.h"

namespace fs = std::filesystem;

namespace rp770 {

Failure FolderKeeperStorage::Write(const std::string& name, std::string_view bytes) {
    std::error_code error;
    fs::create_directories(folder_, error);
    if (error) return FailureFromErrno(error.value(), FailureKind::PathFileAccess);
    // Not other users' business: what a radio held, and where it was.
    fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::replace, error);
    return WriteFileAtomically(folder_ / name, bytes);
}

Failure FolderKeeperStorage::Read(const std::string& name, std::string& bytes, size_t limit) {
    return ReadWholeFile(folder_ / name, bytes, limit);
}

Failure FolderKeeperStorage::Remove(const std::string& name) {
    std::error_code error;
    fs::remove(folder_ / name, error);
    if (error) return FailureFromErrno(error.value(), FailureKind::PathFileAccess);
    return {};
}

std::vector<StoredEntry> FolderKeeperStorage::Entries() {
    std::vector<StoredEntry> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error)) {
        std::error_code sizeError;
        if (!it->is_regular_file(sizeError)) continue;
        const std::uintmax_t size = it->file_size(sizeError);
        if (sizeError) continue;
        entries.push_back({it->path().filename().string(), size});
    }
    return entries;
}

std::string FolderKeeperStorage::Where(const std::string& name) const { return (folder_ / name).string(); }

fs::path KeptRadiosFolder() {
    const fs::path state = platform::UserStateFolder();
    return state.empty() ? fs::path() : state / "radios";
}

DesktopRadioKeeper::DesktopRadioKeeper(fs::path folder)
    : folder_(std::move(folder)), storage_(folder_), keeper_(storage_) {}

}  // namespace rp770
