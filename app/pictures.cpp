#include "app/pictures.h"

#include <GL/freeglut.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "app/desktop_session.h"
#include "app/frame.h"
#include "app/picture_files.h"
#include "app/startup.h"
#include "platform/exit_requests.h"
#include "platform/offscreen_context.h"
#include "scene/translate.h"

namespace {

struct Recording {
    GifRecording gif;
    int32_t first = 1;  // the time sample it started from
    int32_t taken = 0;  // frames encoded so far
    bool active = false;
};
Recording current;

// The frame of time sample index as a picture, without the readout's status: a recorded
// frame is the same whether the animation runs or stands.
RgbImage picture_of_sample(int32_t index) {
    const AnimationState animation = g_session->animation;
    const std::string activity = g_session->activity;
    g_session->animation.frame_index = index;
    g_session->animation.pause_counter = 1;
    g_session->activity.clear();
    RgbImage image = draw_current_picture();
    g_session->animation = animation;
    g_session->activity = activity;
    return image;
}

void stop_recording() {
    current.active = false;
    g_session->activity.clear();
}

const char* const no_framebuffer =
    translatable("this OpenGL cannot draw off the screen (no framebuffer objects)");

void ignore_warning(const char* /*format*/, va_list /*arguments*/) {}

// However the program ends, a recording under way leaves no file behind.
extern "C" void abandon_at_exit() {
    if (current.active) abandon_gif(current.gif);
}

}  // namespace

std::string picture_file_name(const char* extension, std::time_t now) {
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", std::localtime(&now));
    const std::string base = std::string("planewave3d-") + stamp;
    std::string name = base + "." + extension;
    // Anything of that name counts, a file this process cannot read too.
    for (int n = 2; name_taken(name); ++n) {
        name = base + "-" + std::to_string(n) + "." + extension;
    }
    return name;
}

void save_picture() {
    const RgbImage image = draw_current_picture();
    if (image.rgb.empty()) {
        std::fprintf(stderr, tr("picture not saved: %s\n"), tr(no_framebuffer));
        return;
    }
    const std::string path = picture_file_name("png", std::time(nullptr));
    const std::string error = write_png(path, image, false);
    if (!error.empty()) {
        std::fprintf(stderr, tr("picture not saved: %s\n"), error.c_str());
        return;
    }
    std::printf(tr("picture saved to %s\n"), absolute_path(path).c_str());
    std::fflush(stdout);
}

void toggle_recording() {
    if (current.active) {
        cancel_recording(translatable("r pressed again"));
        return;
    }
    const std::string path = picture_file_name("gif", std::time(nullptr));
    current = Recording{};
    if (!begin_gif(current.gif, path, g_session->screen.window_width,
                   g_session->screen.window_height, false)) {
        std::fprintf(stderr, tr("recording not started: %s\n"), current.gif.error.c_str());
        return;
    }
    current.first = g_session->animation.frame_index;
    current.active = true;
    static const bool guarded = [] {
        std::atexit(abandon_at_exit);
        install_exit_guards();  // termination signals end the program through the clock
        return true;
    }();
    (void)guarded;
    g_session->activity = recording_activity(0);
    std::printf(tr("recording one period to %s\n"), absolute_path(path).c_str());
    std::fflush(stdout);
}

void cancel_recording(const char* why) {
    if (!current.active) return;
    abandon_gif(current.gif);
    stop_recording();
    std::printf(tr("recording cancelled (%s), nothing saved\n"), tr(why));
    std::fflush(stdout);
}

void record_next_frame() {
    if (!current.active) return;
    const RgbImage image = picture_of_sample(recorded_frame_index(current.first, current.taken));
    if (image.rgb.empty() || image.width != current.gif.width ||
        image.height != current.gif.height || !add_gif_frame(current.gif, image, gif_delay_cs)) {
        const std::string why = image.rgb.empty() ? tr(no_framebuffer) : current.gif.error;
        abandon_gif(current.gif);
        stop_recording();
        std::fprintf(stderr, tr("recording stopped, nothing saved: %s\n"), why.c_str());
        return;
    }
    ++current.taken;
    g_session->activity = recording_activity(current.taken);
    if (current.taken < recorded_frames) return;
    const std::string path = current.gif.file.path;
    const std::string error = finish_gif(current.gif);
    stop_recording();
    if (!error.empty()) {
        std::fprintf(stderr, tr("recording not saved: %s\n"), error.c_str());
        return;
    }
    std::printf(tr("recording saved to %s\n"), absolute_path(path).c_str());
    std::fflush(stdout);
}

ShownState shown_state() {
    return shown_state(*g_session);
}

void cancel_recording_if_changed(const ShownState& before) {
    if (!current.active) return;
    if (const char* why = change_that_cancels(before, shown_state())) cancel_recording(why);
}

namespace {

// The file of --snapshot or --record while it is written: a request to end from outside
// (SIGINT, SIGTERM, SIGHUP) removes it and ends the program as the request would.
void end_if_requested(PendingFile& file, GifRecording* gif = nullptr) {
    const int request = pending_exit_request();
    if (request == 0) return;
    if (gif != nullptr) abandon_gif(*gif);
    abandon_file(file);
    end_as_requested(request);
}

// Pictures off the screen switch no mode: nothing to put back.
void nothing_to_restore() {}

}  // namespace

int make_pictures_off_screen(const Options& o, int& argc, char** argv) {
    watch_exit_requests(nothing_to_restore);
    const bool snapshot = !o.snapshot_path.empty();
    const std::string& path = snapshot ? o.snapshot_path : o.record_path;
    // An explicit target may replace a file of the user's, but only one that could be read.
    const std::string blocked = in_the_way(path);
    if (!blocked.empty()) {
        std::fprintf(stderr, "planewave3d: %s\n",
                     fill(tr("cannot write '%s': left alone, %s"), {path, blocked}).c_str());
        return 1;
    }
    std::string error;
    if (!open_offscreen_context(o.display, error)) {
        std::fprintf(stderr, "planewave3d: %s\n", error.c_str());
        return 1;
    }
    // The toolkit serves only its stroke fonts and the cones of the axes here: its warnings
    // about a screen it need not know (Windows' display context) are not the user's concern.
    glutInitWarningFunc(ignore_warning);
    glutInit(&argc, argv);
    init_gl_state();
    glLineWidth(1.5f);
    // A frame first, as the window draws one before another: the guide lines drawn first are
    // lit with the normal the frame before left current.
    picture_of_sample(1);
    PendingFile unbegun;
    end_if_requested(unbegun);
    if (snapshot) {
        const RgbImage image = picture_of_sample(o.frame > 0 ? o.frame : 1);
        PendingFile file;
        if (image.rgb.empty()) {
            error = tr(no_framebuffer);
        } else if (begin_file(file, path, error)) {
            error = encode_png(file, image);
            if (error.empty()) {
                end_if_requested(file);
                error = finish_file(file);
            }
        }
    } else {
        GifRecording gif;
        if (begin_gif(gif, path, g_session->screen.window_width, g_session->screen.window_height,
                      true)) {
            for (int32_t k = 0; k < recorded_frames && error.empty(); ++k) {
                const RgbImage image = picture_of_sample(k + 1);
                end_if_requested(gif.file, &gif);
                if (image.rgb.empty()) error = tr(no_framebuffer);
                if (error.empty() && !add_gif_frame(gif, image, gif_delay_cs)) error = gif.error;
            }
            if (error.empty()) {
                end_if_requested(gif.file, &gif);
                error = finish_gif(gif);
            } else {
                abandon_gif(gif);
            }
        } else {
            error = gif.error;
        }
    }
    end_if_requested(unbegun);  // after a whole file: nothing to remove
    if (!error.empty()) {
        std::fprintf(stderr, "planewave3d: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
