#pragma once
// Running a check as another user, for the rules that depend on who runs
// the program: only root can do it (the suite runs as root in CI). The
// check runs in a child process that gives up root for good; its result
// comes back as the child's exit status.

#if !defined(_WIN32)
#include <grp.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace rp770::testing {

// A user and group no account on the machine is likely to have.
inline constexpr uid_t kOtherUser = 47113;
inline constexpr gid_t kOtherGroup = 47113;

inline bool RunningAsRoot() { return ::geteuid() == 0; }

// Runs `check` as `user`:`group`; its value (0-255) or -1 when the child
// could not become that user or did not end normally.
inline int RunAs(uid_t user, gid_t group, const std::function<int()>& check) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setresgid(group, group, group) != 0 ||
            ::setresuid(user, user, user) != 0)
            ::_exit(255);
        ::_exit(check());
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status) == 255 ? -1 : WEXITSTATUS(status);
}

}  // namespace rp770::testing
#endif
