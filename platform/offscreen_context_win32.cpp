#include <windows.h>

#include "platform/offscreen_context.h"
#include "scene/translate.h"

bool open_offscreen_context(const char* /*display_name*/, std::string& error) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA window_class{};
    window_class.style = CS_OWNDC;
    window_class.lpfnWndProc = DefWindowProcA;
    window_class.hInstance = instance;
    window_class.lpszClassName = "planewave3d pictures";
    RegisterClassA(&window_class);
    // A window that is never shown: the context needs one; the pictures go into a
    // framebuffer object of their own.
    const HWND window = CreateWindowExA(0, window_class.lpszClassName, "", WS_OVERLAPPEDWINDOW, 0,
                                        0, 16, 16, nullptr, nullptr, instance, nullptr);
    const HDC device = window != nullptr ? GetDC(window) : nullptr;
    if (device == nullptr) {
        error = tr("cannot make a window for OpenGL");
        return false;
    }
    PIXELFORMATDESCRIPTOR format{};
    format.nSize = sizeof format;
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = 24;
    format.cDepthBits = 24;
    const int chosen = ChoosePixelFormat(device, &format);
    const HGLRC context =
        chosen != 0 && SetPixelFormat(device, chosen, &format) ? wglCreateContext(device) : nullptr;
    if (context == nullptr || !wglMakeCurrent(device, context)) {
        error = tr("no OpenGL context");
        return false;
    }
    return true;
}
