#include "payload/compress_error.hpp"

#include <string>

namespace qv {

const std::error_category& compress_category() {
    class category final : public std::error_category {
    public:
        const char* name() const noexcept override { return "compress"; }
        std::string message(int value) const override {
            switch (value) {
            case 3:
                return "invalid checksum";
            case 5:
                return "interrupted";
            case 6:
                return "bzip2 error";
            case 7:
                return "unexpected error";
            default:
                return "unknown error";
            }
        }
    };
    static const category instance;
    return instance;
}

void throw_compress_error(compress_errc e, const char* what) {
    throw std::system_error(make_error_code(e), what);
}

} // namespace qv
