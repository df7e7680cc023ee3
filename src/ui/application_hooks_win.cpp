#include "ui/application_hooks.hpp"

namespace qv {

ApplicationHooks& application_hooks() {
    static ApplicationHooks hooks;
    return hooks;
}

} // namespace qv
