#pragma once
// Files made anew for the program's own use (the temporary file of a safe
// save, a recovery file, a copy of standard input): created only when
// nothing at all has the name yet, so that a file or a symbolic link
// planted there is never opened or followed, and readable and writable by
// the user alone until the program says otherwise. Plain C++ over the
// system's calls; no Qt.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace rp770::platform {

class ExclusiveFile {
public:
    ExclusiveFile() = default;
    ~ExclusiveFile();  // closes the file if still open; never removes it
    ExclusiveFile(ExclusiveFile&& other) noexcept;
    ExclusiveFile& operator=(ExclusiveFile&& other) noexcept;
    ExclusiveFile(const ExclusiveFile&) = delete;
    ExclusiveFile& operator=(const ExclusiveFile&) = delete;

    // Creates `path` for writing. Returns 0, or the errno-style number of
    // the failure (EEXIST when anything has that name).
    int Create(const std::filesystem::path& path);

    // Creates a file named prefix + random letters + suffix in `folder`,
    // trying other names while one is taken. Returns 0 or the failure; the
    // name made is in path().
    int CreateUnique(const std::filesystem::path& folder, std::string_view prefix, std::string_view suffix);

    bool IsOpen() const { return handle_ != kNoHandle; }
    const std::filesystem::path& path() const { return path_; }

    // Writes every byte; 0 or the failure.
    int Write(std::string_view bytes);

    // Gives the open file these permission bits (no effect where the system
    // has none). 0 or the failure.
    int SetPermissions(std::filesystem::perms perms);

    // Pushes the bytes to the disk and closes the file; 0 or the failure.
    int Close();

private:
    static constexpr std::intptr_t kNoHandle = -1;
    std::intptr_t handle_ = kNoHandle;
    std::filesystem::path path_;
};

// The permission bits a file freshly created by this program gets: read and
// write for everyone the process's file-creation mask lets through.
std::filesystem::perms NormalFilePermissions();

// Creates a new folder, open to the user alone, named prefix + random
// letters in `parent`. Returns 0 or the failure; the folder made in `made`.
int CreatePrivateFolder(const std::filesystem::path& parent, std::string_view prefix, std::filesystem::path& made);

// Whether the program may create files in `folder` (tried by creating and
// removing a file there).
bool FolderIsWritable(const std::filesystem::path& folder);

}  // namespace rp770::platform
