#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    MessageBoxW(nullptr, L"Kardelo uninstall is not available in this demo.", L"Kardelo",
                MB_OK | MB_ICONINFORMATION);
    return 0;
}
