// Stands in for emscripten's WebGL context calls in the native tests of the page's shell: no
// context can be made, so nothing is drawn.
#pragma once

struct EmscriptenWebGLContextAttributes {
    int alpha, depth, antialias, preserveDrawingBuffer, majorVersion, minorVersion;
};
using EMSCRIPTEN_WEBGL_CONTEXT_HANDLE = int;
inline constexpr int EMSCRIPTEN_RESULT_SUCCESS = 0;
inline void emscripten_webgl_init_context_attributes(EmscriptenWebGLContextAttributes* a) {
    *a = EmscriptenWebGLContextAttributes{};
}
inline EMSCRIPTEN_WEBGL_CONTEXT_HANDLE emscripten_webgl_create_context(
    const char*, const EmscriptenWebGLContextAttributes*) {
    return 0;
}
inline int emscripten_webgl_make_context_current(EMSCRIPTEN_WEBGL_CONTEXT_HANDLE) { return -1; }
