// The setup program waits until the installed product has been closed.
#include "dialogs.hpp"
#include "product/product_paths.hpp"

#include <gtest/gtest.h>

namespace qv::test {
namespace {

// The product's window as setup sees it: open, and counted.
class startup_with_product : public ::testing::Test {
protected:
    void SetUp() override {
        product_window_ = wait_for_window([&] { return window_of(product_.id(), L"Kardelo"); });
        ASSERT_NE(product_window_, nullptr) << "the product shows no window";
    }

    bool close_product() {
        PostMessageW(product_window_, WM_CLOSE, 0, 0);
        return product_.wait_for_exit(reaction_time).has_value();
    }

    // Setup's request to close the product: Retry or Cancel.
    static HWND close_request_of(const child_process& setup) {
        const HWND box = wait_for_window([&] { return message_box_of(setup.id()); });
        EXPECT_NE(box, nullptr) << "setup does not ask to close the product";
        if (box) {
            const std::wstring text = message_text(box);
            EXPECT_TRUE(text.find(L"'Kardexa'") != std::wstring::npos ||
                        text.find(L"'Kardelo'") != std::wstring::npos)
                << "the text names no product";
            EXPECT_TRUE(has_button(box, IDRETRY) && has_button(box, IDCANCEL));
        }
        return box;
    }

private:
    child_process product_{stage_path(L"Kardelo.exe"), L""};
    HWND product_window_ = nullptr;
};

TEST_F(startup_with_product, asks_again_on_retry_until_the_product_is_closed) {
    child_process setup(QV_SETUP_PATH, L"");
    const HWND first = close_request_of(setup);
    ASSERT_NE(first, nullptr);

    click(first, IDRETRY);
    const HWND second = wait_for_window([&] {
        const HWND box = message_box_of(setup.id());
        return box == first ? nullptr : box;
    });
    ASSERT_NE(second, nullptr) << "setup did not ask again";
    EXPECT_EQ(frame_of(setup.id()), nullptr);

    ASSERT_TRUE(close_product()) << "the product did not close";
    click(second, IDRETRY);
    const HWND frame = wait_for_window([&] { return frame_of(setup.id()); });
    ASSERT_NE(frame, nullptr) << "no frame once the product is closed";
    EXPECT_EQ(message_box_of(setup.id()), nullptr);
    EXPECT_EQ(cancel_frame(setup, frame), 0);
}

TEST_F(startup_with_product, ends_on_cancel) {
    child_process setup(QV_SETUP_PATH, L"");
    const HWND box = close_request_of(setup);
    ASSERT_NE(box, nullptr);

    click(box, IDCANCEL);
    EXPECT_TRUE(setup.wait_for_exit(reaction_time).has_value()) << "setup still runs";
    EXPECT_TRUE(close_product());
}

} // namespace
} // namespace qv::test
