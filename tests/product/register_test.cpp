#include "child_process.hpp"
#include "product_paths.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace qv::test {

namespace {

namespace fs = std::filesystem;

// A fresh folder under %TEMP% for one copy of the program, removed with
// whatever the run left in it.
class temp_folder {
public:
    temp_folder()
        : path_(fs::temp_directory_path() /
                (L"kardelo-register-" + std::to_wstring(GetCurrentProcessId()))) {
        fs::remove_all(path_);
        fs::create_directory(path_);
    }
    ~temp_folder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    temp_folder(const temp_folder&) = delete;
    temp_folder& operator=(const temp_folder&) = delete;

    std::wstring copy_of_program() const {
        const fs::path program = path_ / L"Kardelo.exe";
        fs::copy_file(stage_path(L"Kardelo.exe"), program);
        return program.wstring();
    }
    fs::path record() const { return path_ / L"Kardelo.register.txt"; }

private:
    fs::path path_;
};

std::string contents_of(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::wstring widened(std::string_view ascii) {
    return {ascii.begin(), ascii.end()};
}

constexpr int registered = -10;

struct register_case {
    const char* name;
    const char* arguments;
    const char* update; // as the record writes it
};

constexpr register_case register_cases[] = {
    {"with_update", " /Register /Background /update=0005001900030000", "0005001900030000"},
    {"without_update", " /Register /Background", "none"},
    {"with_a_short_update", " /Register /Background /update=000500190003000", "none"},
    {"with_a_long_update", " /Register /Background /update=00050019000300001", "none"},
    {"with_a_non_hex_update", " /Register /Background /update=000500190003000g", "none"},
};

// Names the case in the test's name.
void PrintTo(const register_case& row, std::ostream* out) {
    *out << row.name;
}

class register_run : public testing::TestWithParam<register_case> {};

TEST_P(register_run, records_its_arguments_beside_itself) {
    const temp_folder folder;
    child_process run(folder.copy_of_program(), widened(GetParam().arguments));
    EXPECT_EQ(run.wait_for_exit(30000), registered);
    EXPECT_EQ(contents_of(folder.record()), std::string("arguments=") + GetParam().arguments +
                                                "\r\nupdate=" + GetParam().update + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(product, register_run, testing::ValuesIn(register_cases));

TEST(product_register_run, exits_with_1_when_it_cannot_write_its_record) {
    const temp_folder folder;
    const std::wstring program = folder.copy_of_program();
    fs::create_directory(folder.record());
    child_process run(program, L" /Register /Background");
    EXPECT_EQ(run.wait_for_exit(30000), 1);
}

} // namespace

} // namespace qv::test
