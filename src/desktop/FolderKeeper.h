#pragma once
// The desktop's store of kept radio memories: plain files in one folder
// (the user's state folder's "radios" folder), each written atomically and
// private to the user. The folder is made when the first file is kept.

#include <filesystem>
#include <string>

#include "session/RadioKeeper.h"

namespace rp770 {

class FolderKeeperStorage : public KeeperStorage {
public:
    explicit FolderKeeperStorage(std::filesystem::path folder) : folder_(std::move(folder)) {}
    Failure Write(const std::string& name, std::string_view bytes) override;
    Failure Read(const std::string& name, std::string& bytes, size_t limit) override;
    Failure Remove(const std::string& name) override;
    std::vector<StoredEntry> Entries() override;
    std::string Where(const std::string& name) const override;
    const std::filesystem::path& folder() const { return folder_; }

private:
    std::filesystem::path folder_;
};

// <state folder>/radios; empty when the system names no state folder.
std::filesystem::path KeptRadiosFolder();

// The keeper a desktop front end gives its session (null when there is no
// state folder): the storage and the keeper over it, together.
class DesktopRadioKeeper {
public:
    explicit DesktopRadioKeeper(std::filesystem::path folder = KeptRadiosFolder());
    // Null when there is nowhere to keep anything.
    RadioKeeper* keeper() { return folder_.empty() ? nullptr : &keeper_; }

private:
    std::filesystem::path folder_;
    FolderKeeperStorage storage_;
    StoredRadioKeeper keeper_;
};

}  // namespace rp770
