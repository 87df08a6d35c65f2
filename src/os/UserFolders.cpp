#include "os/UserFolders.h"

#include <cstdlib>

namespace rp770::platform {

namespace fs = std::filesystem;

namespace {
bool IsAbsolute(const char* value) { return value && *value && fs::path(value).is_absolute(); }
}  // namespace

fs::path UserStateFolder(const char* xdgStateHome, const char* home) {
#if defined(_WIN32)
    (void)xdgStateHome;
    (void)home;
    for (const char* name : {"LOCALAPPDATA", "APPDATA"})
        if (const char* value = std::getenv(name); IsAbsolute(value)) return fs::path(value) / "RP770";
    return {};
#elif defined(__APPLE__)
    (void)xdgStateHome;
    if (!IsAbsolute(home)) return {};
    return fs::path(home) / "Library" / "Application Support" / "RP770";
#else
    if (IsAbsolute(xdgStateHome)) return fs::path(xdgStateHome) / "rp770";
    if (!IsAbsolute(home)) return {};
    return fs::path(home) / ".local" / "state" / "rp770";
#endif
}

fs::path UserStateFolder() { return UserStateFolder(std::getenv("XDG_STATE_HOME"), std::getenv("HOME")); }

}  // namespace rp770::platform
