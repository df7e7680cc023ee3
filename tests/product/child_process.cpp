#include "child_process.hpp"

#include <system_error>

namespace qv::test {

child_process::child_process(const std::wstring& program, const std::wstring& arguments) {
    std::wstring command_line = L"\"" + program + L"\"" + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &started)) {
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                "CreateProcessW");
    }
    process_.reset(started.hProcess);
    const unique_handle thread(started.hThread);
    id_ = started.dwProcessId;
}

child_process::~child_process() {
    if (!exited_) {
        TerminateProcess(process_.get(), 255);
        WaitForSingleObject(process_.get(), INFINITE);
    }
}

std::optional<int> child_process::wait_for_exit(DWORD milliseconds) {
    DWORD code = 0;
    if (WaitForSingleObject(process_.get(), milliseconds) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process_.get(), &code)) {
        return std::nullopt;
    }
    exited_ = true;
    return static_cast<int>(code);
}

} // namespace qv::test
