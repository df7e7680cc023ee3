#include "main_window.hpp"

#include "sys/win32_handles.hpp"

namespace qv::kardelo {

namespace {

using unique_window = unique_any<win32_traits<HWND, DestroyWindow, nullptr>>;

constexpr wchar_t window_class[] = L"Kardelo.MainWindow";

LRESULT CALLBACK main_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CREATE: {
        // A child window is destroyed with its parent: it needs no owner.
        const HWND text =
            CreateWindowExW(0, L"STATIC", L"Kardelo is running.", WS_CHILD | WS_VISIBLE | SS_CENTER,
                            16, 28, 312, 24, window, nullptr,
                            reinterpret_cast<const CREATESTRUCTW*>(lparam)->hInstance, nullptr);
        SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                     FALSE);
        return 0;
    }
    case WM_CLOSE:
        // Ending the loop lets run_main_window() destroy the window.
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wparam, lparam);
    }
}

} // namespace

int run_main_window(HINSTANCE instance, int show) {
    WNDCLASSEXW window_type{};
    window_type.cbSize = sizeof(window_type);
    window_type.lpfnWndProc = main_window_procedure;
    window_type.hInstance = instance;
    window_type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    window_type.lpszClassName = window_class;
    if (!RegisterClassExW(&window_type)) {
        return 1;
    }
    const unique_window window(CreateWindowExW(
        0, window_class, L"Kardelo", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
        CW_USEDEFAULT, CW_USEDEFAULT, 360, 120, nullptr, nullptr, instance, nullptr));
    if (!window) {
        return 1;
    }
    ShowWindow(window.get(), show);

    MSG message;
    BOOL got = FALSE;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return got == 0 ? static_cast<int>(message.wParam) : 1;
}

} // namespace qv::kardelo
