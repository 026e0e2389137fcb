#include "app/frame.h"

#include "app/desktop_session.h"

GlBackend& gl_backend() {
    static GlBackend backend;
    return backend;
}

namespace {

// Rebuilt for every frame in the room of the one before.
FrameDescription& current_frame() {
    static FrameDescription frame;
    build_frame(frame_inputs(*g_session), frame);
    return frame;
}

}  // namespace

void on_display() {
    draw_frame(gl_backend(), current_frame());
}

RgbImage draw_current_picture() {
    return draw_picture(gl_backend(), current_frame(), g_session->screen.window_width,
                        g_session->screen.window_height);
}
