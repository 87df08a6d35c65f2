#include "os/DeviceAccess.h"

#if !defined(_WIN32)
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>
#endif

namespace rp770::platform {

#if defined(_WIN32)

DeviceAccess CheckDeviceAccess(const std::string&) { return {}; }

#else

namespace {

std::string GroupName(gid_t gid) {
    std::vector<char> buffer(16384);
    group entry{};
    group* found = nullptr;
    if (getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found) return "";
    return found->gr_name;
}

}  // namespace

DeviceAccess CheckDeviceAccess(const std::string& device) {
    struct stat info {};
    if (::stat(device.c_str(), &info) != 0) return {errno, ""};
    if (::access(device.c_str(), R_OK | W_OK) == 0) return {};
    DeviceAccess result{errno, ""};
    // Members of the owning group may use it when the group may read and write.
    const mode_t groupReadWrite = S_IRGRP | S_IWGRP;
    if (result.error == EACCES && (info.st_mode & groupReadWrite) == groupReadWrite)
        result.group = GroupName(info.st_gid);
    return result;
}

#endif

}  // namespace rp770::platform
