#include "pe_resource.hpp"

#include "payload/resource.hpp"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>

namespace qv::pack {
namespace {

// This test program's own image, which carries the fixture resource.
std::string own_image() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return std::move(bytes).str();
}

TEST(PeResource, FindsWhatTheLoaderFinds) {
    const auto image = own_image();
    ASSERT_TRUE(looks_like_executable(image));
    const auto range = find_pe_resource(image, payload_resource_type, payload_resource_name);
    ASSERT_TRUE(range);
    const auto [bytes, size] = find_resource(payload_resource_name, payload_resource_type, true);
    EXPECT_EQ(image.substr(range->offset, range->size), std::string(bytes, size));

    EXPECT_FALSE(find_pe_resource(image, payload_resource_type, 135));
    EXPECT_FALSE(find_pe_resource(image, 261, payload_resource_name));
}

TEST(PeResource, DamagedImagesAreRefused) {
    const auto image = own_image();
    EXPECT_THROW(find_pe_resource(image.substr(0, 200), 260, 134), ImageError);
    EXPECT_THROW(find_pe_resource("MZ", 260, 134), ImageError);
    auto no_pe = image;
    no_pe[0x3C] = 0x10; // e_lfanew pointing into the DOS header
    EXPECT_THROW(find_pe_resource(no_pe, 260, 134), ImageError);
}

} // namespace
} // namespace qv::pack
