#include "platform/linux/Processes.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

extern char** environ;

namespace keslog {

namespace {

using namespace std::chrono_literals;

// Kept to the tail: a program that chatters must not fill the memory.
constexpr std::size_t kErrorOutputLimit = 4096;

// SIGTERM first, for a clean end; SIGKILL when that did not end it in two
// seconds.
void endInBackground(pid_t pid) {
    ::kill(pid, SIGTERM);
    std::thread([pid] {
        for (int i = 0; i < 200; ++i) {
            if (::waitpid(pid, nullptr, WNOHANG) != 0) return;
            std::this_thread::sleep_for(10ms);
        }
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }).detach();
}

class PosixChildProcess : public IChildProcess {
  public:
    PosixChildProcess(pid_t pid, int errorFd) : pid_(pid), errorFd_(errorFd) {}
    ~PosixChildProcess() override {
        if (running()) endInBackground(pid_);
        ::close(errorFd_);
    }
    PosixChildProcess(const PosixChildProcess&) = delete;
    PosixChildProcess& operator=(const PosixChildProcess&) = delete;

    bool running() override {
        if (!ended_ && ::waitpid(pid_, nullptr, WNOHANG) != 0) ended_ = true;
        return !ended_;
    }

    std::string errorOutput() override {
        char buffer[1024];
        ssize_t n;
        while ((n = ::read(errorFd_, buffer, sizeof buffer)) > 0)
            errors_.append(buffer, static_cast<std::size_t>(n));
        if (errors_.size() > kErrorOutputLimit)
            errors_.erase(0, errors_.size() - kErrorOutputLimit);
        return errors_;
    }

  private:
    pid_t pid_;
    int errorFd_;
    bool ended_ = false;
    std::string errors_;
};

}  // namespace

Result<std::unique_ptr<IChildProcess>> PosixProcessLauncher::start(
    const std::vector<std::string>& argv) {
    if (argv.empty()) return Status::error("No program to start.");
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        return Status::error(std::string("pipe: ") + std::strerror(errno));
    ::fcntl(pipeFds[0], F_SETFL, O_NONBLOCK);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    const int failed = ::posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (failed != 0) {
        ::close(pipeFds[0]);
        if (failed == ENOENT) return Status::error("the program " + argv[0] + " was not found");
        return Status::error(argv[0] + ": " + std::strerror(failed));
    }
    return std::unique_ptr<IChildProcess>(std::make_unique<PosixChildProcess>(pid, pipeFds[0]));
}

}  // namespace keslog
