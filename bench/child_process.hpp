#pragma once
// Child processes of the benchmark: its own measuring runs and the system
// bzip2, each with its standard output on a descriptor of ours.
#include "sys/unique_handle.hpp"

#include <string>
#include <sys/types.h>
#include <vector>

namespace qv::bench {

struct fd_traits {
    using value_type = int;
    static constexpr int invalid() noexcept { return -1; }
    static void close(int fd) noexcept;
};
using unique_fd = unique_any<fd_traits>;

// Throws std::system_error naming `what` when `result` is -1.
int check(int result, const char* what);

class ChildProcess {
public:
    // argv[0] is looked up in PATH unless it holds a "/".
    ChildProcess(const std::vector<std::string>& argv, int stdout_fd);
    // A child not waited for is killed first.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // True when it exited with status 0.
    bool wait();

private:
    pid_t pid_ = -1;
};

// Runs argv and returns what it wrote to its standard output; throws when
// it does not exit with status 0.
std::string output_of(const std::vector<std::string>& argv);

} // namespace qv::bench
