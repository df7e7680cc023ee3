#include "child_process.hpp"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

extern char** environ;

namespace qv::bench {

void fd_traits::close(int fd) noexcept {
    ::close(fd);
}

int check(int result, const char* what) {
    if (result == -1) {
        throw std::system_error(errno, std::generic_category(), what);
    }
    return result;
}

namespace {

class SpawnActions {
public:
    SpawnActions() { posix_spawn_file_actions_init(&actions_); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;
    posix_spawn_file_actions_t* get() { return &actions_; }

private:
    posix_spawn_file_actions_t actions_;
};

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, int stdout_fd) {
    std::vector<char*> args;
    for (const auto& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    SpawnActions actions;
    posix_spawn_file_actions_adddup2(actions.get(), stdout_fd, STDOUT_FILENO);
    const int rc = posix_spawnp(&pid_, args[0], actions.get(), nullptr, args.data(), environ);
    if (rc != 0) {
        pid_ = -1;
        throw std::system_error(rc, std::generic_category(), "cannot start " + argv[0]);
    }
}

ChildProcess::~ChildProcess() {
    if (pid_ != -1) {
        ::kill(pid_, SIGKILL);
        wait();
    }
}

bool ChildProcess::wait() {
    int status = 0;
    while (::waitpid(pid_, &status, 0) == -1 && errno == EINTR) {
    }
    pid_ = -1;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string output_of(const std::vector<std::string>& argv) {
    int ends[2];
    check(::pipe2(ends, O_CLOEXEC), "pipe");
    unique_fd read_end(ends[0]);
    unique_fd write_end(ends[1]);
    ChildProcess child(argv, write_end.get());
    write_end.reset();
    std::string output;
    char buffer[256];
    for (;;) {
        const auto n = ::read(read_end.get(), buffer, sizeof buffer);
        if (n == 0 || (n == -1 && errno != EINTR)) {
            break;
        }
        if (n > 0) {
            output.append(buffer, static_cast<std::size_t>(n));
        }
    }
    if (!child.wait()) {
        std::string command;
        for (const auto& arg : argv) {
            command += (command.empty() ? "" : " ") + arg;
        }
        throw std::runtime_error(command + " failed");
    }
    return output;
}

} // namespace qv::bench
