#pragma once
// A fresh folder per test below the system's temporary folder, as Windows
// path text, removed afterwards.
#include <filesystem>
#include <string>

namespace qv::test {

class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& path() const { return path_; }
    // `relative` uses "\" like the engine's paths.
    std::wstring operator/(const std::wstring& relative) const { return path_ + L"\\" + relative; }

private:
    std::filesystem::path native_;
    std::wstring path_;
};

// Host-side helpers on engine paths.
std::filesystem::path native_path(const std::wstring& path);
std::string read_file(const std::wstring& path);
void write_file(const std::wstring& path, const std::string& bytes);
bool is_read_only(const std::wstring& path);
void set_read_only(const std::wstring& path, bool read_only);

} // namespace qv::test
