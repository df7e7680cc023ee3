#include "log_entries.hpp"
#include "record/uninstall_log.hpp"
#include "sys/utf.hpp"

#include <gtest/gtest.h>

namespace qv {
namespace {

using Kind = UninstallEntryKind;

// Files that only note what is done to them; one write may fail.
class RecordingLogFiles final : public LogFiles {
public:
    std::vector<std::string> events;
    bool creatable = true;
    int failing_write = -1;

    std::unique_ptr<LogInput> open_existing(const std::wstring&) override { return nullptr; }
    std::unique_ptr<LogOutput> create_new(const std::wstring& path) override {
        events.push_back("create " + utf16_to_utf8(path));
        return creatable ? std::make_unique<Output>(*this) : nullptr;
    }
    void set_attributes(const std::wstring& path, std::uint32_t attributes) override {
        events.push_back("attributes " + utf16_to_utf8(path) + " " + std::to_string(attributes));
    }
    void remove(const std::wstring& path) override {
        events.push_back("remove " + utf16_to_utf8(path));
    }
    bool folder_exists(const std::wstring&) const override { return false; }
    std::optional<std::wstring> ansi_to_utf16(std::string_view, std::uint32_t) const override {
        return std::nullopt;
    }

private:
    class Output final : public LogOutput {
    public:
        explicit Output(RecordingLogFiles& files) : files_(files) {}
        ~Output() override { files_.events.emplace_back("close"); }
        Output(const Output&) = delete;
        Output& operator=(const Output&) = delete;

        bool write(std::string_view) override {
            files_.events.emplace_back("write");
            return writes_++ != files_.failing_write;
        }

    private:
        RecordingLogFiles& files_;
        int writes_ = 0;
    };
};

// Attributes normal, one write per line after the byte order mark, read-only
// after closing; then every backup made writable and deleted, whatever came
// of the log.
TEST(LogWrite, Steps) {
    struct Case {
        bool creatable;
        int failing_write;
        bool result;
    };
    const Case cases[] = {{true, -1, true}, {true, 0, false}, {true, 3, false}, {false, -1, false}};
    for (const auto& c : cases) {
        RecordingLogFiles files;
        files.creatable = c.creatable;
        files.failing_write = c.failing_write;
        UninstallLog log;
        log.entries = {test::file(L"C:\\K\\k.exe", 1), test::entry(Kind::folder, L"C:\\K"),
                       test::file(L"C:\\D\\a.kmat", 3)};
        log.entries.front().backup_path = L"B1";
        log.entries.back().backup_path = L"B2";
        log.previous_entries = {test::file(L"C:\\D\\old.kmat", 3)};

        std::vector<std::string> expected = {"attributes L 128", "create L"};
        if (c.creatable) {
            expected.insert(expected.end(), 1 + 6 + 4, "write");
            expected.insert(expected.end(), {"close", "attributes L 8225"});
        }
        expected.insert(expected.end(),
                        {"attributes B1 128", "remove B1", "attributes B2 128", "remove B2"});
        EXPECT_EQ(log.write(L"L", L"C:\\K", L"C:\\M", files), c.result) << c.failing_write;
        EXPECT_EQ(files.events, expected) << c.creatable << " " << c.failing_write;
    }
}

} // namespace
} // namespace qv
