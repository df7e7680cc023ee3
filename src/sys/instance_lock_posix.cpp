#include "sys/instance_lock.hpp"

// Hosts other than Windows run no setup program: there is no mutex to create,
// so the lock stays empty and is never owned.
namespace qv {

struct InstanceLock::Handle {};

InstanceLock::InstanceLock() = default;
InstanceLock::InstanceLock(InstanceLock&&) noexcept = default;
InstanceLock& InstanceLock::operator=(InstanceLock&&) noexcept = default;
InstanceLock::~InstanceLock() = default;

void InstanceLock::create(const std::wstring&) {}
bool InstanceLock::try_acquire() {
    return false;
}
void InstanceLock::release() {
    owned_ = false;
}

} // namespace qv
