#pragma once
// The machine-wide count of running processes that carry one application
// identifier: this setup program and the installed product.
#include "sys/win32_handles.hpp"

#include <cstdint>
#include <string>

namespace qv {

class InstanceCounter {
public:
    // Creates or opens the semaphore and adds this process's unit; throws
    // std::system_error when it cannot be created.
    explicit InstanceCounter(const std::wstring& name);
    // Takes back the units this process holds.
    ~InstanceCounter();
    InstanceCounter(const InstanceCounter&) = delete;
    InstanceCounter& operator=(const InstanceCounter&) = delete;

    // The processes counted, this one included; 0 when it cannot be read.
    std::int32_t running_count();

private:
    unique_handle semaphore_;
    std::int32_t held_ = 0;
};

} // namespace qv
