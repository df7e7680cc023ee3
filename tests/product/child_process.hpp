#pragma once
// A program started by a test; ended if the test stops waiting for it.
#include "sys/win32_handles.hpp"

#include <optional>
#include <string>

namespace qv::test {

class child_process {
public:
    // Runs `program` with `arguments` appended to its quoted name; throws
    // std::system_error if it cannot be started.
    child_process(const std::wstring& program, const std::wstring& arguments);
    ~child_process();
    child_process(const child_process&) = delete;
    child_process& operator=(const child_process&) = delete;

    DWORD id() const { return id_; }
    // The exit code, as the signed value the program returned.
    std::optional<int> wait_for_exit(DWORD milliseconds);

private:
    unique_handle process_;
    DWORD id_ = 0;
    bool exited_ = false;
};

// Polls `condition` until it holds or `milliseconds` have passed.
template <typename Condition> bool eventually(Condition condition, DWORD milliseconds = 30000) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (!condition()) {
        if (GetTickCount64() >= end) {
            return false;
        }
        Sleep(50);
    }
    return true;
}

} // namespace qv::test
