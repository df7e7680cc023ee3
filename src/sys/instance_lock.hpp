#pragma once
// The machine-wide mutex that admits one setup program at a time.
#include <memory>
#include <string>

namespace qv {

class InstanceLock {
public:
    InstanceLock();
    InstanceLock(InstanceLock&&) noexcept;
    InstanceLock& operator=(InstanceLock&&) noexcept;
    ~InstanceLock();

    // Creates (or opens) the named mutex without owning it.
    void create(const std::wstring& name);
    // Takes the mutex without waiting; false when another process holds it.
    bool try_acquire();
    void release();
    bool owned() const { return owned_; }

private:
    struct Handle;
    std::unique_ptr<Handle> handle_;
    bool owned_ = false;
};

} // namespace qv
