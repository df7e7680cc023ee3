#include "support/scratch_folder.hpp"

#include "sys/utf.hpp"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace qv::test {

namespace fs = std::filesystem;

std::filesystem::path native_path(const std::wstring& path) {
#ifdef _WIN32
    return fs::path(path);
#else
    std::string text = utf16_to_utf8(path);
    std::replace(text.begin(), text.end(), '\\', '/');
    return fs::path(text);
#endif
}

ScratchFolder::ScratchFolder(const std::string& name)
    : native_(fs::temp_directory_path() / ("qv-" + name)) {
    fs::remove_all(native_);
    fs::create_directories(native_);
#ifdef _WIN32
    path_ = native_.wstring();
#else
    path_ = utf8_to_utf16(native_.string()).value();
#endif
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    fs::permissions(native_, fs::perms::owner_all, fs::perm_options::add, ignored);
    for (auto it = fs::recursive_directory_iterator(native_, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, ignored);
    }
    fs::remove_all(native_, ignored);
}

std::string read_file(const std::wstring& path) {
    std::ifstream in(native_path(path), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return std::move(bytes).str();
}

void write_file(const std::wstring& path, const std::string& bytes) {
    fs::create_directories(native_path(path).parent_path());
    std::ofstream(native_path(path), std::ios::binary | std::ios::trunc) << bytes;
}

bool is_read_only(const std::wstring& path) {
    return (fs::status(native_path(path)).permissions() & fs::perms::owner_write) ==
           fs::perms::none;
}

void set_read_only(const std::wstring& path, bool read_only) {
    fs::permissions(native_path(path),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    read_only ? fs::perm_options::remove : fs::perm_options::add);
}

} // namespace qv::test
