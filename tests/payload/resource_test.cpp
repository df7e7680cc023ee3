#include "app/language.hpp"
#include "payload/resource.hpp"

#include <gtest/gtest.h>

#include <windows.h>

#include <iterator>
#include <string>

namespace qv {
namespace {

const std::string fixture = std::string("payload fixture") + "\r\n";

std::string read_all(std::istream& in) {
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(Resource, PayloadIsReadInPlace) {
    auto in = open_resource_stream(payload_resource_type, payload_resource_name);
    EXPECT_EQ(read_all(in), fixture);
    const auto [bytes, size] = find_resource(payload_resource_name, payload_resource_type, true);
    EXPECT_EQ(std::string(bytes, size), fixture);
    EXPECT_EQ(find_resource(payload_resource_name, payload_resource_type, false).first, bytes);
}

TEST(Resource, MissingResourceGivesAnEmptyStream) {
    EXPECT_EQ(find_resource(135, payload_resource_type, false).first, nullptr);
    auto in = open_resource_stream(payload_resource_type, 135);
    EXPECT_EQ(in.get(), std::char_traits<char>::eof());
}

TEST(Resource, OtherModuleFallsBackToTheExecutableUnlessExecutableOnly) {
    auto& settings = language_settings();
    const auto saved = settings.resource_module;
    settings.resource_module = GetModuleHandleW(L"kernel32.dll");
    EXPECT_EQ(find_resource(payload_resource_name, payload_resource_type, false).second,
              fixture.size());
    EXPECT_EQ(find_resource(payload_resource_name, payload_resource_type, true).second, 0u);
    settings.resource_module = saved;
}

} // namespace
} // namespace qv
