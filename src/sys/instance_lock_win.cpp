#include "sys/instance_lock.hpp"

#include "sys/everyone_only_win.hpp"
#include "sys/win32_handles.hpp"

#include <system_error>

namespace qv {

struct InstanceLock::Handle {
    unique_handle mutex;
};

InstanceLock::InstanceLock() = default;
InstanceLock::InstanceLock(InstanceLock&&) noexcept = default;
InstanceLock& InstanceLock::operator=(InstanceLock&&) noexcept = default;
InstanceLock::~InstanceLock() {
    release();
}

void InstanceLock::create(const std::wstring& name) {
    release();
    EveryoneOnly security(MUTEX_ALL_ACCESS);
    HANDLE mutex = CreateMutexW(security.get(), FALSE, name.c_str());
    if (!mutex) {
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                "CreateMutexW");
    }
    handle_ = std::make_unique<Handle>(Handle{unique_handle(mutex)});
}

bool InstanceLock::try_acquire() {
    if (owned_) {
        return true;
    }
    if (!handle_) {
        return false;
    }
    const DWORD wait = WaitForSingleObject(handle_->mutex.get(), 0);
    owned_ = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
    return owned_;
}

void InstanceLock::release() {
    if (owned_ && handle_) {
        ReleaseMutex(handle_->mutex.get());
    }
    owned_ = false;
}

} // namespace qv
