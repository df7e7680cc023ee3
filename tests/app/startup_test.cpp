#include "app/startup.hpp"

#include <gtest/gtest.h>

#include <deque>

namespace qv {
namespace {

// Answers as scripted and writes down every call, in order.
class ScriptedStartup final : public StartupServices {
public:
    bool lock = true;
    bool administrator = true;
    bool detection = true;
    std::deque<std::int32_t> running_counts{1};
    std::deque<int> answers;
    std::vector<std::string> calls;

    bool acquire_instance_lock() override {
        calls.push_back("lock");
        return lock;
    }
    void show_error_code(hresult code) override {
        calls.push_back("error " + std::to_string(code));
    }
    void initialize_language_and_title() override { calls.push_back("language"); }
    bool is_administrator() override {
        calls.push_back("administrator");
        return administrator;
    }
    int show_message(unsigned number, const std::wstring&, unsigned type) override {
        calls.push_back("message " + std::to_string(number) + " " + std::to_string(type));
        const int answer = answers.empty() ? 2 : answers.front();
        if (!answers.empty()) {
            answers.pop_front();
        }
        return answer;
    }
    std::int32_t running_count() override {
        calls.push_back("count");
        const auto count = running_counts.front();
        if (running_counts.size() > 1) {
            running_counts.pop_front();
        }
        return count;
    }
    bool detect_previous_installation(InstallerState&) override {
        calls.push_back("detect");
        return detection;
    }
    void complete_default_folders(InstallerState&) override { calls.push_back("folders"); }
    void run_wizard(InstallerState& state) override {
        calls.push_back(state.advanced_mode ? "wizard advanced" : "wizard");
    }
};

using Calls = std::vector<std::string>;

TEST(InitInstance, RunsItsStepsInOrderAndRefusesWhereItMust) {
    const struct {
        const char* what;
        bool processor_checked;
        bool lock;
        bool administrator;
        bool detection;
        std::deque<std::int32_t> counts;
        std::deque<int> answers;
        Calls calls;
    } cases[] = {
        // clang-format off
        {"first run", true, true, true, true, {1}, {},
         {"lock", "language", "administrator", "count", "detect", "folders", "wizard"}},
        {"processor not checked", false, true, true, true, {1}, {}, {"error -2147418113"}},
        {"another setup program", true, false, true, true, {1}, {}, {"lock", "error 170"}},
        {"not an administrator", true, true, false, true, {1}, {},
         {"lock", "language", "administrator", "message 1126 48"}},
        {"product running, cancel", true, true, true, true, {2}, {2},
         {"lock", "language", "administrator", "count", "message 1127 53"}},
        {"product closed, retry", true, true, true, true, {2, 2, 1}, {4, 4},
         {"lock", "language", "administrator", "count", "message 1127 53", "count",
          "message 1127 53", "count", "detect", "folders", "wizard"}},
        {"registry error while detecting", true, true, true, false, {1}, {},
         {"lock", "language", "administrator", "count", "detect"}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedStartup services;
        services.lock = c.lock;
        services.administrator = c.administrator;
        services.detection = c.detection;
        services.running_counts = c.counts;
        services.answers = c.answers;
        InstallerState state;
        state.advanced_mode = true;
        EXPECT_FALSE(init_instance(state, c.processor_checked, services));
        EXPECT_EQ(services.calls, c.calls);
    }
}

class ScriptedChecks final : public StaticChecks {
public:
    bool sse2 = true;
    bool process = true;
    bool application = true;
    Calls calls;

    bool processor_has_sse2() const override { return sse2; }
    bool initialize_process() override {
        calls.push_back("process");
        return process;
    }
    bool initialize_application() override {
        calls.push_back("application");
        return application;
    }
    void show_unsupported_processor() override { calls.push_back("unsupported"); }
    void show_initialization_error() override { calls.push_back("initialization error"); }
};

TEST(StaticChecks, EndTheProcessWithTheirExitCodes) {
    const struct {
        bool sse2, process, application;
        int exit_code;
        bool processor_checked;
        Calls calls;
    } cases[] = {
        {true, true, true, 0, true, {"process", "application"}},
        {false, true, true, 1, false, {"unsupported"}},
        {true, false, true, -11, true, {"process", "initialization error"}},
        {true, true, false, -11, true, {"process", "application", "initialization error"}},
    };
    for (const auto& c : cases) {
        ScriptedChecks checks;
        checks.sse2 = c.sse2;
        checks.process = c.process;
        checks.application = c.application;
        bool processor_checked = false;
        EXPECT_EQ(run_static_checks(checks, processor_checked), c.exit_code);
        EXPECT_EQ(processor_checked, c.processor_checked);
        EXPECT_EQ(checks.calls, c.calls);
    }
}

TEST(ApplicationId, FallsBackToTheProductNameThenTheFileStem) {
    EXPECT_EQ(choose_application_id(L"Kardelo5", L"Install", L"C:\\x\\setup.exe"), L"Kardelo5");
    EXPECT_EQ(choose_application_id(L"", L"Install", L"C:\\x\\setup.exe"), L"Install");
    EXPECT_EQ(choose_application_id(L"", L"", L"C:\\x.y\\Kardelo Setup.exe"), L"Kardelo Setup");
    EXPECT_EQ(choose_application_id(L"", L"", L"setup"), L"setup");
}

} // namespace
} // namespace qv
