#include "record/log_reader.hpp"

#include "record/log_format.hpp"
#include "record/log_line_reader.hpp"

#include <iterator>
#include <locale>
#include <sstream>

namespace qv {
namespace {

// The classic locale's white space, whatever the global locale is.
bool is_space(wchar_t c) {
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}

std::wstring_view trim_start(std::wstring_view text) {
    while (!text.empty() && is_space(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

std::wstring_view trim_end(std::wstring_view text) {
    while (!text.empty() && is_space(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::wstring_view trim(std::wstring_view text) {
    return trim_end(trim_start(text));
}

// The text with the first occurrence of `word` taken out; nothing without
// one.
std::optional<std::wstring> without(std::wstring_view text, std::wstring_view word) {
    const auto at = text.find(word);
    if (at == std::wstring_view::npos) {
        return std::nullopt;
    }
    return std::wstring(text.substr(0, at)).append(text.substr(at + word.size()));
}

std::wistringstream classic_stream(std::wstring text) {
    std::wistringstream in(std::move(text));
    in.imbue(std::locale::classic());
    return in;
}

// Position, code, outcome and "--", each after optional white space, then
// the path.
std::optional<UninstallLogEntry> parse_entry_line(std::wstring_view line) {
    auto in = classic_stream(std::wstring(line));
    int position = -1;
    wchar_t colon = 0;
    wchar_t second_colon = 0;
    int code = 0;
    wchar_t outcome = 0;
    std::wstring word;
    in >> position >> colon >> std::hex >> code >> second_colon >> outcome >> word;
    const int kind = code >> 8;
    if (in.fail() || position < 0 || colon != L':' || kind < 0 ||
        kind > static_cast<int>(UninstallEntryKind::registration) || second_colon != L':' ||
        (outcome != L'0' && outcome != L'1') || word != separator_word) {
        return std::nullopt;
    }
    UninstallLogEntry entry;
    entry.kind = static_cast<UninstallEntryKind>(kind);
    entry.succeeded = outcome == L'1';
    entry.payload_kind = (code & 0xFF) == 0xFF ? -1 : code & 0xFF;
    if (entry.kind != UninstallEntryKind::uninstall_key &&
        entry.kind != UninstallEntryKind::registration) {
        const std::wstring rest(std::istreambuf_iterator<wchar_t>(in), {});
        entry.path = trim_start(rest);
    }
    return entry;
}

class LogParser {
public:
    LogParser(UninstallLog& log, const LogFiles& files) : log_(log), files_(files) {}

    // False when the line ends the reading.
    bool take(std::wstring_view line) {
        const std::wstring_view text = trim_end(line);
        const bool accepted = text.starts_with(L"//") ? take_header(text) : take_entry(text);
        ++line_;
        return accepted;
    }

private:
    bool take_header(std::wstring_view text) {
        while (!text.empty() && text.front() == L'/') {
            text.remove_prefix(1);
        }
        text = trim_start(text);
        switch (line_) {
        case 0:
            return take_version(text);
        case 2:
            return take_label(text);
        case 3:
            return take_folder(text, install_path_label, log_.previous_install_folder);
        case 4:
            return take_folder(text, shortcut_path_label, log_.previous_start_menu_folder);
        default:
            return true;
        }
    }

    bool take_version(std::wstring_view text) {
        const auto rest = without(text, log_signature);
        if (!rest) {
            return false;
        }
        classic_stream(*rest) >> version_;
        return version_ == log_version;
    }

    // "Install" and the product label, and after an update " -- Update (" and
    // the label before it.
    bool take_label(std::wstring_view text) {
        auto rest = without(text, install_word);
        if (!rest) {
            return false;
        }
        const auto update = rest->find(separator_word);
        if (update != std::wstring::npos) {
            rest->erase(update);
        }
        log_.previous_label = trim(*rest);
        return true;
    }

    bool take_folder(std::wstring_view text, std::wstring_view label, std::wstring& folder) {
        const auto rest = without(text, label);
        if (!rest) {
            return false;
        }
        const std::wstring named(trim(*rest));
        if (files_.folder_exists(named)) {
            folder = named;
        }
        return true;
    }

    bool take_entry(std::wstring_view text) {
        if (version_ != log_version) {
            return false;
        }
        auto entry = parse_entry_line(text);
        if (entry) {
            log_.previous_entries.push_back(std::move(*entry));
        }
        return entry.has_value();
    }

    UninstallLog& log_;
    const LogFiles& files_;
    int line_ = 0;
    int version_ = 0;
};

} // namespace

void read_log(LogInput& input, std::uint32_t code_page, const LogFiles& files, UninstallLog& log) {
    LogLineReader lines(input, code_page, files);
    LogParser parser(log, files);
    while (const auto line = lines.next_line()) {
        if (!parser.take(*line)) {
            return;
        }
    }
}

} // namespace qv
