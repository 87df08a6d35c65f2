#pragma once
// rp770-cli as processes of their own, in real time: the simulated radio on
// a pseudo-terminal of its own, and the tool as a user runs it in a terminal
// window. POSIX only.

#include <csignal>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace rp770::testing {

// Fast, so that the tests stay short; the simulator still paces every byte.
constexpr int kBaud = 115200;

// Starts rp770-cli with the arguments, its streams as the file actions say,
// with the environment entries ("NAME=value") added through env(1).
// Returns the process id, or -1.
inline pid_t SpawnCli(std::vector<std::string> args, const posix_spawn_file_actions_t* actions,
                      const std::vector<std::string>& environment = {}) {
    args.insert(args.begin(), RP770_CLI_PATH);
    args.insert(args.begin(), environment.begin(), environment.end());
    args.insert(args.begin(), "env");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    return posix_spawnp(&pid, "env", actions, nullptr, argv.data(), environ) == 0 ? pid : -1;
}

// The radio as a process of its own.
class Simulator {
public:
    ~Simulator() { Stop(SIGKILL); }

    // Starts it; false, with the reason, when it did not come up. Its
    // standard error (what it served, when it ends) goes to `errorFile`
    // when one is named.
    bool Start(const std::vector<std::string>& options, std::string& why, const std::string& errorFile = {}) {
        int out[2];
        if (::pipe(out) != 0) {
            why = "no pipe";
            return false;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        if (!errorFile.empty())
            posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        std::vector<std::string> args = {"simulate", "--baud", std::to_string(kBaud)};
        args.insert(args.end(), options.begin(), options.end());
        pid_ = SpawnCli(args, &actions);
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        if (pid_ <= 0) {
            ::close(out[0]);
            why = "cannot start " + std::string(RP770_CLI_PATH);
            return false;
        }
        std::string first;
        char c = 0;
        while (::read(out[0], &c, 1) == 1 && c != '\n') first += c;
        ::close(out[0]);
        if (first.rfind("PORT ", 0) != 0) {
            why = "the simulator did not start: " + first;
            Stop(SIGKILL);
            return false;
        }
        device_ = first.substr(5);
        return true;
    }
    // SIGKILL pulls the cable: the process and its terminal are gone at once.
    // Returns the exit status.
    int Stop(int signal) {
        if (pid_ <= 0) return -1;
        ::kill(pid_, signal);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return status;
    }
    const std::string& Device() const { return device_; }

private:
    pid_t pid_ = -1;
    std::string device_;
};

// rp770-cli in a terminal window: its output goes to a pseudo-terminal this
// side reads, so that it draws its progress bar; its input is empty, so that
// questions take their default answers.
class CliInTerminal {
public:
    ~CliInTerminal() {
        if (pid_ > 0) {
            Signal(SIGKILL);
            Finish();
        }
        if (master_ >= 0) ::close(master_);
    }
    bool Start(const std::vector<std::string>& args, const std::vector<std::string>& environment) {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return false;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, ::ptsname(master_), O_RDWR | O_NOCTTY, 0);
        posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
        posix_spawn_file_actions_addclose(&actions, master_);
        pid_ = SpawnCli(args, &actions, environment);
        posix_spawn_file_actions_destroy(&actions);
        return pid_ > 0;
    }
    // Reads its output until the text appears (true), or it ends or is
    // silent for a minute (false).
    bool WaitFor(const std::string& text) {
        char buf[512];
        while (output_.find(text) == std::string::npos) {
            pollfd ready{master_, POLLIN, 0};
            const ssize_t n = ::poll(&ready, 1, 60000) > 0 ? ::read(master_, buf, sizeof buf) : 0;
            if (n <= 0) return false;  // EIO once it has closed its end
            output_.append(buf, static_cast<size_t>(n));
        }
        return true;
    }
    void Signal(int signal) { ::kill(pid_, signal); }
    // The rest of its output, then its exit status (-1 when a signal ended it).
    int Finish() {
        WaitFor(std::string(1, '\0'));
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    const std::string& Output() const { return output_; }

private:
    pid_t pid_ = -1;
    int master_ = -1;
    std::string output_;
};

}  // namespace rp770::testing
