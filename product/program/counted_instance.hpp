#pragma once
// While Kardelo runs it holds one unit of a named semaphore: the setup
// program reads the count to know how many instances are open.
#include "sys/win32_handles.hpp"

#include <string>

namespace qv::kardelo {

class counted_instance {
public:
    // Counting is best effort: the program runs even if the semaphore fails.
    explicit counted_instance(const std::wstring& application_id);
    ~counted_instance();
    counted_instance(const counted_instance&) = delete;
    counted_instance& operator=(const counted_instance&) = delete;

private:
    unique_handle semaphore_;
    bool counted_ = false;
};

} // namespace qv::kardelo
