#include "counted_instance.hpp"

#include <limits>

namespace qv::kardelo {

counted_instance::counted_instance(const std::wstring& application_id) {
    const std::wstring name =
        L"Global\\" + application_id + L".{a3526b56-ca7c-4e16-8a26-da7758a378fd}";
    // Only the rights that counting needs, so that a semaphore made by an
    // elevated setup program can still be opened.
    semaphore_.reset(CreateSemaphoreExW(nullptr, 0, std::numeric_limits<LONG>::max(), name.c_str(),
                                        0, SEMAPHORE_MODIFY_STATE | SYNCHRONIZE));
    counted_ = semaphore_ && ReleaseSemaphore(semaphore_.get(), 1, nullptr);
}

counted_instance::~counted_instance() {
    if (counted_) {
        WaitForSingleObject(semaphore_.get(), 0);
    }
}

} // namespace qv::kardelo
