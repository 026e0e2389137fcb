// What the stand-in for Windows (windows.h beside this file) answers and what it was asked, in
// plain types, for tests that also see X11's headers.
#pragma once

struct Win32Calls {
    bool window_made = true;       // CreateWindowExA gives a window
    int format_found = 7;          // what ChoosePixelFormat answers; 0: none
    bool context_made = true;      // wglCreateContext gives a context
    unsigned asked[6] = {};        // nSize, nVersion, dwFlags, iPixelType, cColorBits, cDepthBits
    unsigned descriptor_size = 0;  // sizeof PIXELFORMATDESCRIPTOR
    int format_set = 0;            // what SetPixelFormat was given
    bool current = false;          // a context made current on the window's device
    int (*console_handler)(unsigned) = nullptr;     // what SetConsoleCtrlHandler was given
    unsigned slept_ms = 0;                          // Sleep's waits added up, INFINITE aside
    void (*while_sleeping)(unsigned ms) = nullptr;  // another thread's work meanwhile
};

// What ExitProcess throws, so that a test sees the status the process would have ended with.
struct ProcessEnded {
    unsigned status;
};

Win32Calls& win32_calls();
