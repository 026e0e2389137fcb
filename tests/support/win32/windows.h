// Stands in for the few Windows calls that the off-screen context and the console's exit
// requests make, so that a native test sees what they ask of Windows (win32_calls.h beside it).
#pragma once

#include <cstdint>

#include "tests/support/win32/win32_calls.h"

using BYTE = uint8_t;
using WORD = uint16_t;
using DWORD = uint32_t;
using UINT = unsigned;
using BOOL = int;
using HINSTANCE = void*;
using HWND = void*;
using HDC = void*;
using HGLRC = void*;
using HMENU = void*;
using LRESULT = intptr_t;
using WNDPROC = LRESULT (*)(HWND, UINT, uintptr_t, intptr_t);
struct WNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    HINSTANCE hInstance;
    const char* lpszClassName;
};
struct PIXELFORMATDESCRIPTOR {
    WORD nSize, nVersion;
    DWORD dwFlags;
    BYTE iPixelType, cColorBits, cDepthBits;
};
constexpr UINT CS_OWNDC = 0x20;
constexpr DWORD WS_OVERLAPPEDWINDOW = 0xCF0000, PFD_DRAW_TO_WINDOW = 4, PFD_SUPPORT_OPENGL = 0x20,
                PFD_DOUBLEBUFFER = 1;
constexpr BYTE PFD_TYPE_RGBA = 0;
constexpr DWORD CTRL_C_EVENT = 0, CTRL_BREAK_EVENT = 1, CTRL_CLOSE_EVENT = 2, CTRL_LOGOFF_EVENT = 5,
                CTRL_SHUTDOWN_EVENT = 6, INFINITE = 0xFFFFFFFF, STATUS_CONTROL_C_EXIT = 0xC000013A;
constexpr BOOL FALSE = 0, TRUE = 1;
#define WINAPI

inline HINSTANCE GetModuleHandleA(const char*) { return nullptr; }
inline LRESULT DefWindowProcA(HWND, UINT, uintptr_t, intptr_t) { return 0; }
inline WORD RegisterClassA(const WNDCLASSA*) { return 1; }
inline HWND CreateWindowExA(DWORD, const char*, const char*, DWORD, int, int, int, int, HWND, HMENU,
                            HINSTANCE, void*) {
    return win32_calls().window_made ? &win32_calls() : nullptr;
}
inline HDC GetDC(HWND window) { return window; }
inline int ChoosePixelFormat(HDC, const PIXELFORMATDESCRIPTOR* f) {
    const unsigned asked[6] = {f->nSize,      f->nVersion,   f->dwFlags,
                               f->iPixelType, f->cColorBits, f->cDepthBits};
    for (int k = 0; k < 6; ++k) win32_calls().asked[k] = asked[k];
    win32_calls().descriptor_size = sizeof(PIXELFORMATDESCRIPTOR);
    return win32_calls().format_found;
}
inline BOOL SetPixelFormat(HDC, int format, const PIXELFORMATDESCRIPTOR*) {
    win32_calls().format_set = format;
    return 1;
}
inline HGLRC wglCreateContext(HDC device) { return win32_calls().context_made ? device : nullptr; }
inline BOOL wglMakeCurrent(HDC device, HGLRC context) {
    win32_calls().current = device == &win32_calls() && context == device;
    return 1;
}
inline BOOL SetConsoleCtrlHandler(BOOL (*handler)(DWORD), BOOL) {
    win32_calls().console_handler = handler;
    return 1;
}
inline void Sleep(DWORD ms) {
    if (ms != INFINITE) win32_calls().slept_ms += ms;
    if (win32_calls().slept_ms > 60000) throw ProcessEnded{0};  // a wait that would not end
    if (win32_calls().while_sleeping != nullptr) win32_calls().while_sleeping(ms);
}
[[noreturn]] inline void ExitProcess(UINT status) { throw ProcessEnded{status}; }
