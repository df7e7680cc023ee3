// The setup program's entry point. The start-up checks and the wizard build
// on this; for now it settles the language the way start-up will.
#include "app/product_registry.hpp"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    qv::initialize_language();
    return 0;
}
