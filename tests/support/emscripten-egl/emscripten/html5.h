// Stands in for emscripten's WebGL context calls (ahead of the other stand-ins) when the page's
// shell runs natively on OpenGL ES 3: tests/web/webgl_native.cpp makes the context.
#pragma once

struct EmscriptenWebGLContextAttributes {
    int alpha, depth, antialias, preserveDrawingBuffer, majorVersion, minorVersion;
};
using EMSCRIPTEN_WEBGL_CONTEXT_HANDLE = int;
inline constexpr int EMSCRIPTEN_RESULT_SUCCESS = 0;
void emscripten_webgl_init_context_attributes(EmscriptenWebGLContextAttributes* a);
EMSCRIPTEN_WEBGL_CONTEXT_HANDLE emscripten_webgl_create_context(
    const char* target, const EmscriptenWebGLContextAttributes* a);
int emscripten_webgl_make_context_current(EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context);
