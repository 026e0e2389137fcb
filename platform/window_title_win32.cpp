#include <GL/freeglut.h>
#include <windows.h>

#include <string>

#include "platform/window_title.h"

void set_window_title(const char* utf8) {
    glutSetWindowTitle(utf8);
    // The toolkit sets it through the ANSI code page; the window's own UTF-16 title keeps the
    // dash. The toolkit's window is the one of the context's device.
    const HWND window = WindowFromDC(wglGetCurrentDC());
    if (window == nullptr) return;
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    if (length <= 0) return;
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide.data(), length);
    SetWindowTextW(window, wide.c_str());
}
