// A second setup program refuses while the first one runs its wizard.
#include "dialogs.hpp"

#include <gtest/gtest.h>

namespace qv::test {
namespace {

TEST(startup_second_copy, is_refused_while_the_first_shows_its_frame) {
    child_process first(QV_SETUP_PATH, L"");
    const HWND frame = wait_for_window([&] { return frame_of(first.id()); });
    ASSERT_NE(frame, nullptr) << "the first copy shows no frame";

    child_process second(QV_SETUP_PATH, L"");
    const HWND box = wait_for_window([&] { return message_box_of(second.id()); });
    ASSERT_NE(box, nullptr) << "the second copy shows no box";
    EXPECT_FALSE(message_text(box).empty());
    ASSERT_TRUE(has_button(box, IDOK));
    EXPECT_EQ(frame_of(second.id()), nullptr);

    click(box, IDOK);
    EXPECT_TRUE(second.wait_for_exit(reaction_time).has_value()) << "the second copy still runs";
    EXPECT_EQ(frame_of(first.id()), frame);
    EXPECT_EQ(cancel_frame(first, frame), 0);
}

} // namespace
} // namespace qv::test
