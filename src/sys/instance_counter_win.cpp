#include "sys/instance_counter_win.hpp"

#include "sys/everyone_only_win.hpp"

#include <limits>
#include <system_error>

namespace qv {

InstanceCounter::InstanceCounter(const std::wstring& name) {
    EveryoneOnly security(SEMAPHORE_ALL_ACCESS);
    semaphore_.reset(
        CreateSemaphoreW(security.get(), 0, std::numeric_limits<LONG>::max(), name.c_str()));
    if (!semaphore_) {
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                "CreateSemaphoreW");
    }
    if (ReleaseSemaphore(semaphore_.get(), 1, nullptr)) {
        held_ = 1;
    }
}

InstanceCounter::~InstanceCounter() {
    std::int32_t taken = 0;
    while (taken < held_ && WaitForSingleObject(semaphore_.get(), 0) == WAIT_OBJECT_0) {
        ++taken;
    }
    // A unit that could not be taken back leaves the count as it was.
    if (taken < held_ && taken > 0) {
        ReleaseSemaphore(semaphore_.get(), taken, nullptr);
    }
}

std::int32_t InstanceCounter::running_count() {
    LONG previous = 0;
    if (!ReleaseSemaphore(semaphore_.get(), 1, &previous)) {
        return 0;
    }
    WaitForSingleObject(semaphore_.get(), 0);
    return previous;
}

} // namespace qv
