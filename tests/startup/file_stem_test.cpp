// A setup program whose version resource names no application is known by
// its file name.
#include "dialogs.hpp"

#include <gtest/gtest.h>

namespace qv::test {
namespace {

constexpr wchar_t mutex_suffix[] = L".{5ead623c-dfcd-474d-8e3c-e6978cac039e}";
constexpr wchar_t semaphore_suffix[] = L".{a3526b56-ca7c-4e16-8a26-da7758a378fd}";

bool mutex_exists(const std::wstring& id) {
    const unique_handle mutex(
        OpenMutexW(SYNCHRONIZE, FALSE, (L"Global\\" + id + mutex_suffix).c_str()));
    return static_cast<bool>(mutex);
}

bool semaphore_exists(const std::wstring& id) {
    const unique_handle semaphore(
        OpenSemaphoreW(SYNCHRONIZE, FALSE, (L"Global\\" + id + semaphore_suffix).c_str()));
    return static_cast<bool>(semaphore);
}

TEST(startup_file_stem, names_the_kernel_objects_after_the_program_file) {
    child_process setup(QV_ANONYMOUS_SETUP_PATH, L"");
    const HWND frame = wait_for_window([&] { return frame_of(setup.id()); });
    ASSERT_NE(frame, nullptr) << "no frame";

    EXPECT_TRUE(mutex_exists(L"Anonymous Setup"));
    EXPECT_TRUE(semaphore_exists(L"Anonymous Setup"));
    EXPECT_FALSE(mutex_exists(L"Kardelo5"));
    EXPECT_FALSE(semaphore_exists(L"Kardelo5"));
    EXPECT_EQ(cancel_frame(setup, frame), 0);
}

} // namespace
} // namespace qv::test
