#include "child_process.hpp"
#include "product_paths.hpp"

#include <gtest/gtest.h>

namespace qv::test {

namespace {

constexpr wchar_t probe_semaphore[] =
    L"Global\\KardeloProbe.{a3526b56-ca7c-4e16-8a26-da7758a378fd}";

// The count without changing it: a unit is added and taken back at once,
// since a release of 0 units is refused.
LONG units_of(HANDLE semaphore) {
    LONG before = -1;
    if (!ReleaseSemaphore(semaphore, 1, &before)) {
        return -1;
    }
    WaitForSingleObject(semaphore, 0);
    return before;
}

HWND visible_window_of(DWORD process_id, const wchar_t* title) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, nullptr, title)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process_id && IsWindowVisible(window)) {
            return window;
        }
    }
    return nullptr;
}

TEST(product_instance, holds_one_unit_while_its_window_is_open) {
    child_process product(probe_program_path(), L"");
    unique_handle semaphore;
    ASSERT_TRUE(eventually([&] {
        semaphore.reset(
            OpenSemaphoreW(SEMAPHORE_MODIFY_STATE | SYNCHRONIZE, FALSE, probe_semaphore));
        return static_cast<bool>(semaphore);
    })) << "no semaphore";
    EXPECT_TRUE(eventually([&] { return units_of(semaphore.get()) == 1; }))
        << units_of(semaphore.get()) << " units";

    HWND window = nullptr;
    ASSERT_TRUE(eventually([&] {
        return (window = visible_window_of(product.id(), L"Kardelo")) != nullptr;
    })) << "no window titled Kardelo";
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(product.wait_for_exit(30000), 0);
    // Our handle keeps the semaphore alive after the program has closed its own.
    EXPECT_EQ(units_of(semaphore.get()), 0);
}

} // namespace

} // namespace qv::test
