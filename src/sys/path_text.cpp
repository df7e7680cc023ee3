#include "sys/path_text.hpp"

#include "sys/platform.hpp"

#include <filesystem>
#include <system_error>

namespace qv {
namespace {

bool is_separator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

bool has_drive(std::wstring_view path) {
    return path.size() >= 2 && path[1] == L':' &&
           ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
}

// Absolute against the current folder, with "." and ".." resolved.
std::vector<std::wstring> normalized_components(const std::wstring& path) {
    std::wstring full = path;
    if (!is_absolute_path(path)) {
        std::error_code ec;
        full = path_append(std::filesystem::current_path(ec).wstring(), path);
    }
    std::vector<std::wstring> result;
    for (auto& part : split_path(full)) {
        if (part == L".") {
            continue;
        }
        if (part == L"..") {
            if (result.size() > 1) {
                result.pop_back();
            }
            continue;
        }
        result.push_back(std::move(part));
    }
    return result;
}

} // namespace

std::vector<std::wstring> split_path(std::wstring_view path) {
    std::vector<std::wstring> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || is_separator(path[i])) {
            if (i > start) {
                parts.emplace_back(path.substr(start, i - start));
            }
            start = i + 1;
        }
    }
    return parts;
}

std::wstring path_append(std::wstring base, std::wstring_view component) {
    while (!component.empty() && is_separator(component.front())) {
        component.remove_prefix(1);
    }
    if (!base.empty() && !is_separator(base.back()) && !component.empty()) {
        base.push_back(L'\\');
    }
    base.append(component);
    return base;
}

bool is_absolute_path(std::wstring_view path) {
    if (has_drive(path)) {
        return path.size() >= 3 && is_separator(path[2]);
    }
    if (path.size() >= 2 && is_separator(path[0]) && is_separator(path[1])) {
        return true; // \\server\share
    }
#ifndef _WIN32
    return !path.empty() && path[0] == L'/'; // the host's own absolute paths
#else
    return false;
#endif
}

bool same_path(const std::wstring& a, const std::wstring& b) {
    if (a == b) {
        return true;
    }
    // The conversion to a host path can throw for text the host cannot
    // spell (an unpaired surrogate outside Windows): the platform cannot
    // tell then, and the text comparison decides.
    try {
        std::error_code ec;
        const bool same = std::filesystem::equivalent(a, b, ec);
        if (!ec) {
            return same;
        }
    } catch (const std::exception&) {
    }
    const auto left = normalized_components(a);
    const auto right = normalized_components(b);
    if (left.size() != right.size()) {
        return false;
    }
    for (std::size_t i = 0; i < left.size(); ++i) {
        if (left[i].size() != right[i].size() || !equal_ignoring_case(left[i], right[i])) {
            return false;
        }
    }
    return true;
}

} // namespace qv
