#pragma once
// The extraction engine's own failures: std::system_error with codes of the
// "compress" category. The values are fixed; add at the end only.
#include <system_error>

namespace qv {

enum class compress_errc {
    invalid_checksum = 3,
    verification_failed = 4,
    interrupted = 5,
    bzip2_error = 6,
    unexpected_error = 7,
};

const std::error_category& compress_category();

inline std::error_code make_error_code(compress_errc e) {
    return {static_cast<int>(e), compress_category()};
}

[[noreturn]] void throw_compress_error(compress_errc e, const char* what = "");

} // namespace qv

template <> struct std::is_error_code_enum<qv::compress_errc> : std::true_type {};
